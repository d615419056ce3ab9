// Forms found by force densities against the forms known exactly: surfaces on which the
// grid's second differences vanish, and the hung cable's parabola.

#include "form_finding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace ombrix {
namespace {

using Surface = std::function<double(double, double)>;

// A grid of n x n cells of 1, its edge nodes held on the surface, its inner nodes started
// off the grid and flat. Members along x have force density qx, along y qy (N0 = q L as
// given); a member's density is its force over its length where forces are the target.
Model grid(int n, double qx, double qy, const Surface& edge) {
    Model model;
    const auto at = [n](int i, int j) { return j * (n + 1) + i; };
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            const bool held = i == 0 || j == 0 || i == n || j == n;
            const Point start = held ? Point{double(i), double(j), edge(i, j)}
                                     : Point{i + 0.3 * std::sin(i * j), j - 0.2 * i / n, 0};
            model.nodes.push_back({start, {held, held, held}});
        }
    const auto member = [&](int a, int b, double q) {
        model.members.push_back({a, b, MemberKind::Cable, 1e6, 0, {}});
        model.members.back().initialForce = q * lengthOf(model, model.members.back());
    };
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i < n; ++i) {
            member(at(i, j), at(i + 1, j), qx);
            member(at(j, i), at(j, i + 1), qy);
        }
    return model;
}

double largestOffSurface(const Model& form, const Surface& surface) {
    double off = 0;
    for (const Node& node : form.nodes) {
        const Point& p = node.position;
        off = std::max({off, std::abs(p[0] - std::round(p[0])), std::abs(p[1] - std::round(p[1])),
                        std::abs(p[2] - surface(p[0], p[1]))});
    }
    return off;
}

// The largest sum of the members' forces N0 (and the loads) at a free node, in the form.
double largestImbalance(const Model& form, const std::vector<Point>& loads = {}) {
    std::vector<Point> sums(form.nodes.size(), Point{});
    for (std::size_t n = 0; n < loads.size(); ++n)
        sums[n] = loads[n];
    for (const Member& member : form.members) {
        const Point& a = form.nodes[member.first].position;
        const Point& b = form.nodes[member.second].position;
        const double length = std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]);
        for (int axis = 0; axis < 3; ++axis) {
            const double pull = member.initialForce * (b[axis] - a[axis]) / length;
            sums[member.first][axis] += pull;
            sums[member.second][axis] -= pull;
        }
    }
    double largest = 0;
    for (std::size_t n = 0; n < form.nodes.size(); ++n)
        for (int axis = 0; axis < 3; ++axis)
            if (!form.nodes[n].restrained[axis])
                largest = std::max(largest, std::abs(sums[n][axis]));
    return largest;
}

TEST(FormFinding, FindsTheSurfacesOnWhichTheGridsSecondDifferencesVanish) {
    constexpr double c = 0.05, k = 0.01, q1 = 3, q2 = 5;
    const struct {
        std::string name;
        double qx, qy;
        Surface surface;
    } rows[] = {
        {"uniform force density, z = c x y", 2, 2, [](double x, double y) { return c * x * y; }},
        {"two families, z = k (q2 x^2 - q1 y^2)", q1, q2,
         [](double x, double y) { return k * (q2 * x * x - q1 * y * y); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Model form =
            findForm(grid(12, row.qx, row.qy, row.surface), FormTarget::ForceDensities);
        EXPECT_LT(largestOffSurface(form, row.surface), 1e-12);
        EXPECT_LT(largestImbalance(form), 1e-12);
        for (const Member& member : form.members)
            EXPECT_FALSE(member.unstressedLength);
    }
}

// A cable of n equal links a under p at each inner node with horizontal force H: its nodes
// lie on the parabola z = -p a i (n - i) / (2 H), the sag p L^2 / (8 H a) at mid-span.
TEST(FormFinding, HangsACableUnderItsNodeLoadsOnTheParabola) {
    constexpr int links = 20;
    constexpr double a = 2.5, p = 40, horizontal = 1000;
    Model cable;
    std::vector<Point> loads;
    for (int i = 0; i <= links; ++i) {
        const bool end = i == 0 || i == links;
        cable.nodes.push_back({{a * i * 0.9 + (end ? a * i * 0.1 : 0), 0, 0}, {end, true, end}});
        loads.push_back({0, 0, end ? 0 : -p});
    }
    for (int i = 0; i < links; ++i) {
        cable.members.push_back({i, i + 1, MemberKind::Cable, 1e7, 0, {}});
        cable.members.back().initialForce = horizontal / a * lengthOf(cable, cable.members.back());
    }
    const Model form = findForm(cable, FormTarget::ForceDensities, loads);
    for (int i = 0; i <= links; ++i) {
        EXPECT_NEAR(form.nodes[i].position[0], a * i, 1e-12 * a * links);
        EXPECT_NEAR(form.nodes[i].position[2], -p * a * i * (links - i) / (2 * horizontal),
                    1e-12 * a * links);
    }
    EXPECT_NEAR(form.nodes[links / 2].position[2],
                -p * (a * links) * (a * links) / (8 * horizontal * a), 1e-12 * a * links);
    EXPECT_LT(largestImbalance(form, loads), 1e-9 * p);
}

// A four-point sail: the grid held at its corners only, two opposite ones high, its edge
// members pulling ten times as hard as the inner ones.
Model sail(int n) {
    Model model = grid(n, 1, 1, [n](double x, double y) { return x == y ? 0.75 * n : 0.0; });
    for (Node& node : model.nodes) {
        const Point& p = node.position;
        const bool corner = (p[0] == 0 || p[0] == n) && (p[1] == 0 || p[1] == n);
        node.restrained = {corner, corner, corner};
    }
    for (Member& member : model.members) {
        const Point& a = model.nodes[member.first].position;
        const Point& b = model.nodes[member.second].position;
        const bool edge = (a[0] == b[0] && (a[0] == 0 || a[0] == n)) ||
                          (a[1] == b[1] && (a[1] == 0 || a[1] == n));
        member.initialForce = edge ? 20 : 2;
    }
    return model;
}

TEST(FormFinding, ReachesTheForcesAsked) {
    Model saddle = grid(10, 1, 1, [](double x, double y) { return 0.04 * (x * x - y * y); });
    for (std::size_t m = 0; m < saddle.members.size(); ++m)
        saddle.members[m].initialForce = m % 2 == 0 ? 100 : 60;
    const struct {
        std::string name;
        Model model;
    } rows[] = {{"saddle, warp and weft apart", saddle}, {"four-point sail", sail(2)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Model form = findForm(row.model, FormTarget::Forces);
        double largest = 0;
        for (std::size_t m = 0; m < form.members.size(); ++m) {
            const double asked = row.model.members[m].initialForce;
            EXPECT_NEAR(form.members[m].initialForce, asked, 1e-9 * asked);
            largest = std::max(largest, asked);
        }
        EXPECT_LT(largestImbalance(form), 1e-9 * largest);
    }
}

TEST(FormFinding, RefusesAFormThatCannotExistNamingWhatIsWrong) {
    const auto flat = [](double, double) { return 0.0; };
    const auto withForce = [&](std::size_t member, double force) {
        Model model = grid(4, 1, 1, flat);
        model.members[member].initialForce = force;
        return model;
    };
    // Two members in line at a node with nothing else: their forces must be equal.
    Model line;
    line.nodes = {{{0, 0, 0}, {true, true, true}},
                  {{1, 0.1, 0}, {false, false, false}},
                  {{3, 0, 0}, {true, true, true}}};
    line.members = {{0, 1, MemberKind::Cable, 1e6, 10, {}}, {1, 2, MemberKind::Cable, 1e6, 20, {}}};
    Model floating = grid(4, 1, 1, flat);
    for (Member& member : floating.members)
        if (member.first == 6 || member.second == 6)
            member.initialForce = 0;
    const struct {
        std::string name;
        Model model;
        FormTarget target;
        std::string message; // or its start
    } rows[] = {
        {"a node that no pulling member holds", floating, FormTarget::ForceDensities,
         "node 7 is not held in x: no chain of members with a positive force density ties it "
         "to a node held in x"},
        {"a member in compression stronger than the net around it", withForce(13, -50),
         FormTarget::ForceDensities,
         "no stable form: the members in compression (member 14) outweigh the members in "
         "tension that hold their nodes"},
        {"forces that no form balances", line, FormTarget::Forces,
         "the forces cannot be reached: member 2 has "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            findForm(row.model, row.target);
            ADD_FAILURE() << "found a form";
        } catch (const FormRefused& refused) {
            EXPECT_EQ(std::string(refused.what()).substr(0, row.message.size()), row.message);
        }
    }
}

} // namespace
} // namespace ombrix
