// Every family, loaded by a generated loading, through Prepare, Forces and Solve as the
// programs run them; where the answer has a closed form, the solution matches it.

#include "checked_files.h"
#include "closed_forms.h"
#include "families.h"
#include "folder_storage.h"
#include "loading_plan.h"
#include "results_file.h"
#include "runs.h"

#include "test_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace ombrix {
namespace {

// The force in the member between the nodes at a and b.
double forceBetween(const Model& model, const CaseResults& results, Point a, Point b) {
    const auto at = [&](int node, const Point& p) { return model.nodes[node].position == p; };
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const Member& member = model.members[m];
        if ((at(member.first, a) && at(member.second, b)) ||
            (at(member.first, b) && at(member.second, a)))
            return results.axialForces[m];
    }
    ADD_FAILURE() << "no member there";
    return 0;
}

// Loads and reactions together: the largest component of their sum.
double overallImbalance(const Model& model, const LoadCase& loadCase, const CaseResults& results) {
    Point sum{};
    for (const NodalLoad& load : loadCase.loads)
        for (int axis = 0; axis < 3; ++axis)
            sum[axis] += load.force[axis];
    for (std::size_t n = 0; n < model.nodes.size(); ++n)
        for (int axis = 0; axis < 3; ++axis)
            sum[axis] += results.reactions[n][axis];
    return std::max({std::abs(sum[0]), std::abs(sum[1]), std::abs(sum[2])});
}

using Check = std::function<void(const Model&, const LoadCase&, const CaseResults&)>;

struct Proof {
    const char* name;
    const char* family;
    std::vector<double> values;
    ForceRow loads;
    Check check;
};

ForceRow downward(double load, std::vector<long long> nodes = {}) {
    return {nodes.empty() ? LoadedNodes::everyFreeNode : LoadedNodes::listed,
            {0, 0, -load},
            {},
            {},
            std::move(nodes)};
}

void balanced(const Model& model, const LoadCase& loadCase, const CaseResults& results) {
    EXPECT_LT(overallImbalance(model, loadCase, results), 1e-6);
}

// A truss of 4 panels over 12 at height 2, 10 at the middle of its bottom chord: each
// support takes 5; a diagonal over a panel of width w carries the shear 5 at sin = 2 / d.
Check trussForces(const std::vector<std::array<Point, 2>>& members,
                  const std::vector<double>& forces) {
    return [=](const Model& model, const LoadCase&, const CaseResults& results) {
        for (std::size_t k = 0; k < members.size(); ++k)
            EXPECT_LT(
                relative(forceBetween(model, results, members[k][0], members[k][1]), forces[k]),
                1e-6)
                << k;
    };
}

const double panelDiagonal = std::hypot(3.0, 2.0), halfPanelDiagonal = std::hypot(1.5, 2.0);

// A square sail of n x n cells whose high corners face each other, loaded alike at every
// free node: turned half round about its middle, it moves as it did.
Check turnsHalfRound(int cells) {
    return [=](const Model& model, const LoadCase& loadCase, const CaseResults& results) {
        balanced(model, loadCase, results);
        const auto node = [&](int i, int j) { return j * (cells + 1) + i; };
        for (int j = 0; j <= cells; ++j)
            for (int i = 0; i <= cells; ++i) {
                const Point& u = results.displacements[node(i, j)];
                const Point& turned = results.displacements[node(cells - i, cells - j)];
                for (int axis = 0; axis < 3; ++axis)
                    EXPECT_NEAR(u[axis], (axis == 2 ? 1 : -1) * turned[axis], 1e-9)
                        << i << " " << j << " axis " << axis;
            }
    };
}

const Proof proofs[] = {
    {"saddle net held all round",
     "Cable net",
     {8, 6, 1, 0.8, 50, 1e5, 0, 0, 1, 1},
     downward(2),
     balanced},
    {"flat net held at two ends",
     "Cable net",
     {6, 4, 1, 0, 50, 1e5, 1, 0, 1, 1},
     downward(1),
     balanced},
    {"radial cable net", "Radial cable net", {12, 10, 2, 50, 1e5, 0, 1, 1}, downward(2), balanced},
    {"lattice dome", "Lattice dome", {20, 4, 3, 10, 1e6}, downward(5), balanced},
    {"guyed mast pushed sideways at the top",
     "Guyed mast",
     {30, 3, 3, 15, 1e7, 1e5, 10, 0, 1},
     {LoadedNodes::listed, {2, 1, 0}, {}, {}, {4}},
     balanced},
    {"Pratt truss",
     "Pratt truss",
     {12, 4, 2, 1e10},
     downward(10, {3}),
     trussForces({{{{0, 0, 0}, {3, 0, 2}}}, {{{0, 0, 0}, {3, 0, 0}}}, {{{3, 0, 2}, {6, 0, 0}}}},
                 {-5 * panelDiagonal / 2, 5 * 3 / 2.0, 5 * panelDiagonal / 2})},
    {"Howe truss",
     "Howe truss",
     {12, 4, 2, 1e10},
     downward(10, {3}),
     trussForces({{{{0, 0, 0}, {3, 0, 2}}}, {{{3, 0, 0}, {6, 0, 2}}}},
                 {-5 * panelDiagonal / 2, -5 * panelDiagonal / 2})},
    {"Warren truss",
     "Warren truss",
     {12, 4, 2, 1e10},
     downward(10, {3}),
     trussForces({{{{0, 0, 0}, {1.5, 0, 2}}}, {{{0, 0, 0}, {3, 0, 0}}}},
                 {-5 * halfPanelDiagonal / 2, 5 * 1.5 / 2})},
    {"four-point sail with edge cables",
     "Four-point sail",
     {6, 12, 3, 0, 3, 0, 1, 0, 10, 1e5},
     downward(0.5),
     turnsHalfRound(6)},
    {"hung cable",
     "Hung cable",
     {100, 1, 20, 1e5, 0, 1, 1},
     downward(1),
     [](const Model& model, const LoadCase&, const CaseResults& results) {
         const ElasticCable cable(20, 100, 1, 1, 1e5);
         EXPECT_LT(
             relative(-(model.nodes[10].position[2] + results.displacements[10][2]), cable.sag),
             1e-8);
         for (int m = 0; m < 20; ++m)
             EXPECT_LT(relative(results.axialForces[m], cable.tension[m]), 1e-8) << m;
     }},
};

class Proven : public InstallationTest, public testing::WithParamInterface<Proof> {};

TEST_P(Proven, ByPrepareForcesAndSolve) {
    const Proof& proof = GetParam();
    const Model model = createStructure(familyNamed(proof.family), proof.values);
    const std::string loadingFile =
        loadingFileText(model, {"Loads", {{"loads", 1, proof.loads, std::nullopt}}});
    const Loading loading = readLoading(loadingFile);
    ASSERT_TRUE(storage_.replace("../Dat/s.dat", geometryFileText(model)));
    ASSERT_TRUE(storage_.replace("../Dat/s.inc", loadingFile));

    ASSERT_EQ(
        prepareAnalysis(storage_, {"../Dat/s.dat", "../Dat/s.rez", "Short", "English"}).exitCode,
        0);
    ASSERT_EQ(prepareLoads(storage_, "../Dat/s.inc").exitCode, 0);
    ASSERT_EQ(solveLoadCases(storage_, {"1"}).exitCode, 0);
    const CaseResults results =
        readResults(storage_.read("../Dat/s.dat.work/1.res").value_or(""), model);
    ASSERT_TRUE(results.converged);
    proof.check(model, loading.cases[0], results);
}

INSTANTIATE_TEST_SUITE_P(, Proven, testing::ValuesIn(proofs), rowName<Proof>);

// At each free node the initial forces of its members balance, so that the structure
// stands as drawn before it is loaded.
class Prestressed : public testing::TestWithParam<Proof> {};

TEST_P(Prestressed, StandsInBalanceAsDrawn) {
    const Model model = createStructure(familyNamed(GetParam().family), GetParam().values);
    std::vector<Point> sums(model.nodes.size());
    for (const Member& member : model.members) {
        const Point& a = model.nodes[member.first].position;
        const Point& b = model.nodes[member.second].position;
        const double length = lengthOf(model, member);
        for (int axis = 0; axis < 3; ++axis) {
            sums[member.first][axis] += member.initialForce * (b[axis] - a[axis]) / length;
            sums[member.second][axis] -= member.initialForce * (b[axis] - a[axis]) / length;
        }
    }
    for (std::size_t n = 0; n < model.nodes.size(); ++n)
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(model.nodes[n].restrained[axis] ? 0 : sums[n][axis], 0, 1e-9)
                << "node " << n + 1 << " axis " << axis;
}

INSTANTIATE_TEST_SUITE_P(, Prestressed,
                         testing::Values(proofs[0], proofs[1], proofs[2], proofs[4], proofs[8]),
                         rowName<Proof>);

} // namespace
} // namespace ombrix
