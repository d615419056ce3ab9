// Each family's nodes and members, counted and placed, and the values each refuses.

#include "checked_files.h"
#include "families.h"
#include "geometry.h"

#include "test_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ombrix {
namespace {

struct Placed {
    int node; // number, from 1
    Point position;
    bool held;
};

struct Shape {
    const char* name;
    const char* family;
    std::vector<double> values;
    std::size_t nodes, members;
    std::vector<Placed> placed;
};

const Shape shapes[] = {
    {"flat net held all round",
     "Cable net",
     {3, 2, 1.5, 0, 10, 1e5, 0, 0, 1, 1},
     12,
     7,
     {{1, {0, 0, 0}, true}, {6, {1.5, 1.5, 0}, false}, {12, {4.5, 3, 0}, true}}},
    // z = k (x^2 - y^2) about the centre (3, 2), k = 1 / 3^2
    {"saddle held all round",
     "Cable net",
     {6, 4, 1, 1, 10, 1e5, 0, 0, 1, 1},
     35,
     38,
     {{1, {0, 0, 1 - 4 / 9.0}, true},
      {2, {1, 0, 4 / 9.0 - 4 / 9.0}, true},
      {18, {3, 2, 0}, false}}},
    {"radial net",
     "Radial cable net",
     {4, 10, 2, 50, 1e5, 0, 1, 1},
     8,
     8,
     {{2, {0, 10, 0}, true}, {7, {-2, 0, 0}, false}}},
    // sphere of radius 10 through the base circle of radius 10 and the apex at 10
    {"hemispherical dome",
     "Lattice dome",
     {20, 10, 2, 4, 1e6},
     9,
     16,
     {{1, {0, 0, 10}, false},
      {3, {0, 10 * std::sin(std::numbers::pi / 4), 10 * std::cos(std::numbers::pi / 4)}, false},
      {9, {0, -10, 0}, true}}},
    // a cap of base angle t, rings at polar angles t k / n: at a height h (1 - (k / n)^2) to
    // within t^2 h when shallow, at h cos(pi k / 2 n) on a hemisphere
    {"widest and flattest dome",
     "Lattice dome",
     {1e6, 1e-3, 2, 3, 1e6},
     7,
     12,
     {{2, {2.5e5, 0, 0.75e-3}, false}, {5, {5e5, 0, 0}, true}}},
    {"smallest hemisphere",
     "Lattice dome",
     {2e-3, 1e-3, 2, 4, 1e6},
     9,
     16,
     {{2,
       {1e-3 * std::sin(std::numbers::pi / 4), 0, 1e-3 * std::cos(std::numbers::pi / 4)},
       false}}},
    {"Pratt truss",
     "Pratt truss",
     {12, 4, 2, 1e6},
     8,
     13,
     {{1, {0, 0, 0}, true}, {5, {12, 0, 0}, false}, {6, {3, 0, 2}, false}}},
    {"Howe truss", "Howe truss", {12, 2, 2, 1e6}, 4, 5, {{4, {6, 0, 2}, false}}},
    {"Warren truss",
     "Warren truss",
     {12, 3, 2, 1e6},
     7,
     11,
     {{4, {12, 0, 0}, false}, {5, {2, 0, 2}, false}, {7, {10, 0, 2}, false}}},
    {"guyed mast",
     "Guyed mast",
     {30, 3, 4, 15, 1e6, 1e5, 10, 0, 1},
     8,
     15,
     {{1, {0, 0, 0}, true}, {4, {0, 0, 30}, false}, {6, {0, 15, 0}, true}}},
    // two links of 2.5 over a span of 4
    {"hung cable",
     "Hung cable",
     {4, 1, 2, 1e5, 0, 1, 1},
     3,
     2,
     {{1, {0, 0, 0}, true}, {2, {2, 0, -std::sqrt(2.5 * 2.5 - 4)}, false}, {3, {4, 0, 0}, true}}},
    // Form-found by force densities, whatever the free nodes' places as drawn: on the saddle
    // z = k (x^2 - y^2) of its edges, k = 1 / 3^2, about the centre (3, 2)
    {"saddle form-found, warp and weft alike",
     "Cable net",
     {6, 4, 1, 1, 10, 1e5, 0, 1, 7, 7},
     35,
     38,
     {{9, {1, 1, (4 - 1) / 9.0}, false}, {20, {5, 2, 4 / 9.0}, false}}},
    // 2 x 2 cells of 1.5, warp 2, weft 1: a free edge node at y = 1.5 qf / (2 qw + qf); in z,
    // with the held middles at 1 and corners at 0, z_edge = qf z_mid / (2 qw + qf) and
    // 2 qw (1 - z_mid) = 2 qf (z_mid - z_edge): z_mid = 5 / 7, z_edge = 1 / 7
    {"net held at two edges form-found, its free edges curving in",
     "Cable net",
     {2, 2, 1.5, 1, 10, 1e5, 1, 1, 2, 1},
     9,
     8,
     {{2, {1.5, 0.3, 1 / 7.0}, false},
      {5, {1.5, 1.5, 5 / 7.0}, false},
      {8, {1.5, 2.7, 1 / 7.0}, false}}},
    // the hub ring at r = qs R / (qs + 4 qr sin^2(pi / n)), whatever the hub radius drawn
    {"radial net of 6 spokes form-found",
     "Radial cable net",
     {6, 10, 2, 50, 1e5, 1, 3, 2},
     12,
     12,
     {{7, {6, 0, 0}, false}, {9, {-3, 3 * std::sqrt(3.0), 0}, false}}},
    // under P at each inner node and force density q: x_k = k L / n, z_k = -P k (n - k) / 2q
    {"hung cable form-found",
     "Hung cable",
     {100, 2, 20, 1e5, 1, 5, 1},
     21,
     20,
     {{2, {5, 0, -1.9}, false}, {11, {50, 0, -10}, false}, {21, {100, 0, 0}, true}}},
};

class Families : public testing::TestWithParam<Shape> {};

TEST_P(Families, CountAndPlaceTheirNodesAndMembers) {
    const Shape& shape = GetParam();
    const Model model =
        readGeometry(geometryFileText(createStructure(familyNamed(shape.family), shape.values)));
    EXPECT_EQ(model.nodes.size(), shape.nodes);
    EXPECT_EQ(model.members.size(), shape.members);
    for (const Placed& placed : shape.placed) {
        const Node& node = model.nodes.at(static_cast<std::size_t>(placed.node) - 1);
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(node.position[axis], placed.position[axis], 1e-9)
                << "node " << placed.node << " axis " << axis;
        EXPECT_EQ(node.restrained[0] && node.restrained[2], placed.held) << placed.node;
    }
}

INSTANTIATE_TEST_SUITE_P(, Families, testing::ValuesIn(shapes), rowName<Shape>);

TEST(FamilyHeadings, NameTheFamilyAndItsValues) {
    const Family& net = familyNamed("Cable net");
    EXPECT_EQ(createStructure(net, initialValues(net)).heading,
              "Cable net: cells in x 10, cells in y 10, spacing 1, rise 1, prestress 50, "
              "EA 100000, held edges all four, form as given, warp force density 50, weft "
              "force density 50");
}

struct Refusal {
    const char* name;
    const char* family;
    std::size_t parameter;
    double value;
    const char* message;
    bool formFound = false; // the value typed into a cable family form-found
};

const Refusal refusals[] = {
    {"net of one cell", "Cable net", 0, 1, "cells in x: a whole number from 2 to 200, not 1"},
    {"net of half cells", "Cable net", 1, 2.5, "cells in y: a whole number from 2 to 200, not 2.5"},
    {"spacing zero", "Cable net", 2, 0, "spacing: from 0.001 to 1000000, not 0"},
    {"negative prestress", "Cable net", 4, -1, "prestress: from 0 to 1e+15, not -1"},
    {"edges not offered", "Cable net", 6, 2,
     "held edges: one of \"all four\", \"x = 0 and x = end\", not 2"},
    {"saddle held at two edges only, its curved cables not balanced", "Cable net", 6, 1,
     "rise: 0 for a net held at x = 0 and x = end only, as given, not 1"},
    {"hub as wide as the rim", "Radial cable net", 2, 10,
     "hub radius: less than the outer radius, 10, not 10"},
    {"two spokes", "Radial cable net", 0, 2, "spokes: a whole number from 3 to 360, not 2"},
    {"dome rising above a hemisphere", "Lattice dome", 1, 10.5,
     "rise: at most half the span, 10, not 10.5"},
    // L0 = L EA / (EA + N0) of the first cable, L = hypot(1, 0.36), N0 = 1e15 L
    {"net prestressed past its cables' stretch", "Cable net", 4, 1e15,
     "prestress: not 1e+15 with the other values (member 1: its unstressed length, "
     "9.99999999906e-11, must lie between 1e-09 and 10000000000)"},
    {"mast too soft for its guys", "Guyed mast", 4, 1,
     "mast EA: not 1 with the other values (member 1: the initial force must be greater than "
     "-EA)"},
    {"Pratt truss of odd panels", "Pratt truss", 1, 5, "panels: an even number, not 5"},
    {"Warren truss without panels", "Warren truss", 1, 0,
     "panels: a whole number from 1 to 100, not 0"},
    {"stiffness zero", "Howe truss", 3, 0, "EA: from 1e-20 to 1e+20, not 0"},
    {"mast with two guys", "Guyed mast", 2, 2,
     "guys per level: a whole number from 3 to 12, not 2"},
    {"cable without slack", "Hung cable", 1, 0, "slack: from 1e-06 to 1000000, not 0"},
    {"not a number", "Hung cable", 0, std::nan(""), "span: from 0.001 to 1000000, not nan"},
    {"radial net of 16 slack spokes", "Radial cable net", 6, 0,
     "node 17 is not held in x: no chain of members with a positive force density ties it to a "
     "node held in x",
     true},
    {"slack hung cable", "Hung cable", 5, 0,
     "node 2 is not held in x: no chain of members with a positive force density ties it to a "
     "node held in x",
     true},
};

class Refusals : public testing::TestWithParam<Refusal> {};

TEST_P(Refusals, NameTheParameterAndItsRange) {
    const Refusal& refusal = GetParam();
    const Family& family = familyNamed(refusal.family);
    std::vector<double> values = initialValues(family);
    values.at(refusal.parameter) = refusal.value;
    for (std::size_t k = 0; k < values.size() && refusal.formFound; ++k)
        if (family.parameters[k].name == "form")
            values[k] = 1;
    try {
        checkedStructure(family, values);
        ADD_FAILURE() << "accepted";
    } catch (const Refused& refused) {
        EXPECT_STREQ(refused.what(), refusal.message);
    }
}

INSTANTIATE_TEST_SUITE_P(, Refusals, testing::ValuesIn(refusals), rowName<Refusal>);

// Form-found, each guy pulls with its force density times its length, and the mast carries
// down what the guys above pull: 4 guys of q = 0.5, each pulling down q z.
TEST(GuyedMastFormFound, GuysPullWithTheirForceDensityTimesTheirLength) {
    const Model mast =
        createStructure(familyNamed("Guyed mast"), {30, 3, 4, 15, 1e6, 1e5, 10, 1, 0.5});
    const struct {
        std::size_t member; // from 1
        double force;
    } rows[] = {{12, 0.5 * std::hypot(15.0, 30.0)},
                {4, 0.5 * std::hypot(15.0, 10.0)},
                {2, -4 * 0.5 * (30.0 + 20)}};
    for (const auto& row : rows)
        EXPECT_NEAR(mast.members.at(row.member - 1).initialForce, row.force,
                    1e-9 * std::abs(row.force))
            << "member " << row.member;
}

// A mast too soft for the guys' pull: its compression would exceed EA.
TEST(GeometryFiles, TheReaderRefusesAreNotWritten) {
    const Family& mast = familyNamed("Guyed mast");
    try {
        geometryFileText(createStructure(mast, {30, 3, 4, 15, 1, 1e5, 10, 0, 1}));
        ADD_FAILURE() << "accepted";
    } catch (const Refused& refused) {
        EXPECT_TRUE(std::string(refused.what()).starts_with("the geometry, line 11: "))
            << refused.what();
    }
}

} // namespace
} // namespace ombrix
