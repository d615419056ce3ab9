// The solver against closed forms and published answers, one row per problem.

#include "geometry.h"
#include "loading.h"
#include "solver.h"

#include "test_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

namespace ombrix {
namespace {

// The root of f between a and b, where f changes sign.
double root(const std::function<double(double)>& f, double a, double b) {
    for (int k = 0; k < 200; ++k) {
        const double middle = (a + b) / 2;
        (f(a) < 0) == (f(middle) < 0) ? a = middle : b = middle;
    }
    return (a + b) / 2;
}

double relative(double value, double expected) {
    return std::abs(value / expected - 1);
}

// Von Mises two-bar truss: bars of 2 m at 65 degrees, EA = 210e9 Pa x 2.5e-3 m2.
const double vonMisesX = 2 * std::cos(65 * std::numbers::pi / 180);
const double vonMisesZ = 2 * std::sin(65 * std::numbers::pi / 180);
constexpr double vonMisesEA = 210e9 * 2.5e-3;

double vonMisesLoad(double w) {
    const double l = std::hypot(vonMisesZ - w, vonMisesX);
    return 2 * vonMisesEA * (2 - l) / 2 * (vonMisesZ - w) / l;
}

std::string vonMises() {
    const std::string x = exactNumber(vonMisesX), z = exactNumber(vonMisesZ);
    return "Von Mises truss\n3 2\n1 0 0 0 1 1 1\n2 " + x + " 0 " + z + " 0 1 0\n3 " +
           exactNumber(2 * vonMisesX) + " 0 0 1 1 1\n1 1 2 B 5.25e8 0\n2 2 3 B 5.25e8 0\n";
}

// The prestressed wire: 10 in between fixed ends, two members, EA = 30e6 psi x 2 in2.
constexpr double wireEA = 60e6, wireForce = 3000;

double wireDeflection(double load, double unstressed = 5 * wireEA / (wireEA + wireForce)) {
    return root(
        [&](double d) {
            const double l = std::hypot(5.0, d);
            return 2 * wireEA * (l - unstressed) / unstressed * d / l - load;
        },
        0, 5);
}

const char* const wire = "Prestressed wire\n3 2\n1 0 0 0 1 1 1\n2 5 0 0 0 0 0\n3 10 0 0 1 1 1\n"
                         "1 1 2 B 6e7 3000\n2 2 3 B 6e7 3000\n";

std::string surveyWire() {
    return "Prestressed wire\n3 2\n1 500000 4500000 0 1 1 1\n2 500005 4500000 0 0 0 0\n"
           "3 500010 4500000 0 1 1 1\n1 1 2 B 6e7 3000\n2 2 3 B 6e7 3000\n";
}

std::string withoutInitialForce(std::string geometry) {
    for (std::size_t at = geometry.find(" 3000"); at != std::string::npos;
         at = geometry.find(" 3000"))
        geometry.replace(at, 5, " 0");
    return geometry;
}

const char* const slackFrame = "Square frame with cross cables\n4 6\n"
                               "1 0 0 0 1 1 1\n2 0 1 0 0 0 1\n3 1 1 0 0 0 1\n4 1 0 0 0 1 1\n"
                               "1 1 2 B 2.1e7 0\n2 2 3 B 2.1e7 0\n3 3 4 B 2.1e7 0\n"
                               "4 4 1 B 2.1e7 0\n5 1 3 C 2.1e7 0\n6 2 4 C 2.1e7 0\n";

// 325 m span, 70 straight unstressed cable members, weight 6.35689 N/m at the nodes.
constexpr int cableMembers = 70;
constexpr double cableSpan = 325;

std::string heavyCable() {
    std::string text = "Heavy cable\n" + std::to_string(cableMembers + 1) + " " +
                       std::to_string(cableMembers) + "\n";
    for (int n = 0; n <= cableMembers; ++n) {
        const char* fixity = n == 0 || n == cableMembers ? " 1 1 1" : " 0 0 0";
        text += std::to_string(n + 1) + " " + exactNumber(cableSpan * n / cableMembers) + " 0 0" +
                fixity + "\n";
    }
    for (int m = 1; m <= cableMembers; ++m)
        text += std::to_string(m) + " " + std::to_string(m) + " " + std::to_string(m + 1) +
                " C 1.298631e7 0\n";
    return text;
}

std::string heavyCableLoads() {
    const double weight = 6.35689 * cableSpan / cableMembers;
    std::string text = "1 " + std::to_string(cableMembers - 1) + " 10\n";
    for (int n = 2; n <= cableMembers; ++n)
        text += std::to_string(n) + " 0 0 " + exactNumber(-weight) + "\n";
    return text;
}

// Each node's members, load and reaction in the deformed geometry: the largest sum left.
double largestImbalance(const Model& model, const LoadCase& loadCase, const Solution& solution) {
    std::vector<Point> sums = solution.reactions;
    for (const NodalLoad& load : loadCase.loads)
        for (int axis = 0; axis < 3; ++axis)
            sums[load.node - 1][axis] += load.force[axis];
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const Member& member = model.members[m];
        Point span{};
        for (int axis = 0; axis < 3; ++axis)
            span[axis] = model.nodes[member.second].position[axis] +
                         solution.displacements[member.second][axis] -
                         model.nodes[member.first].position[axis] -
                         solution.displacements[member.first][axis];
        const double length = std::hypot(span[0], span[1], span[2]);
        for (int axis = 0; axis < 3; ++axis) {
            sums[member.first][axis] += solution.axialForces[m] * span[axis] / length;
            sums[member.second][axis] -= solution.axialForces[m] * span[axis] / length;
        }
    }
    double largest = 0;
    for (const Point& sum : sums)
        for (double component : sum)
            largest = std::max(largest, std::abs(component));
    return largest;
}

struct Reference {
    const char* name;
    std::string geometry;
    std::string loads; // one case block
    std::function<void(const Model&, const LoadCase&, const Solution&)> check;
};

const Reference references[] = {
    {"von Mises truss below its limit load", vonMises(), "1 1 10\n2 0 0 -3.0e8\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_FALSE(s.snapThrough);
         EXPECT_LT(relative(-s.displacements[1][2], 0.983585), 1e-6);
     }},
    {"von Mises truss past its limit load snaps through", vonMises(), "1 1 10\n2 0 0 -3.5e8\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_TRUE(s.snapThrough);
         EXPECT_LT(relative(s.limitLoadFactor * 3.5e8, 3.031602e8), 0.02);
         const double far =
             root([](double w) { return vonMisesLoad(w) - 3.5e8; }, 2 * vonMisesZ, 4 * vonMisesZ);
         EXPECT_LT(relative(-s.displacements[1][2], far), 1e-6);
     }},
    {"prestressed wire", wire, "1 1 0\n2 0 0 100\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(s.displacements[1][2], wireDeflection(100)), 1e-8);
     }},
    {"wire drawn straight without initial force", withoutInitialForce(wire), "1 1 0\n2 0 0 100\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(s.displacements[1][2], wireDeflection(100, 5)), 1e-8);
     }},
    {"slack cables that tighten under the load",
     "Slack wire\n3 2\n1 0 0 0 1 1 1\n2 5 0 0 0 0 0\n3 10 0 0 1 1 1\n1 1 2 C 6e7 0 5.01\n"
     "2 2 3 C 6e7 0 5.01\n",
     "1 1 0\n2 0 0 -100\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(-s.displacements[1][2], wireDeflection(100, 5.01)), 1e-8);
     }},
    {"load below what the coordinates resolve",
     "Stiff bar\n2 1\n1 0 0 0 1 1 1\n2 1 0 0 0 1 1\n1 1 2 B 2e11 0\n", "1 1 3\n2 1e-9 0 0\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_EQ(s.steps, 3);
         EXPECT_LE(std::abs(s.displacements[1][0]), 1e-20);
     }},
    {"initial forces out of balance",
     "Two bars in line\n3 2\n1 0 0 0 1 1 1\n2 5 0 0 0 1 1\n3 10 0 0 1 1 1\n1 1 2 B 6e7 3000\n"
     "2 2 3 B 6e7 1000\n",
     "1 0 0\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         const double first = 5 * wireEA / (wireEA + 3000), second = 5 * wireEA / (wireEA + 1000);
         const double balanced = wireEA * (10 / (first + second) - 1);
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(s.axialForces[0], balanced), 1e-9);
         EXPECT_LT(relative(s.axialForces[1], balanced), 1e-9);
     }},
    {"slack cable in a square frame", slackFrame, "1 1 0\n3 1000 0 0\n",
     [](const Model& model, const LoadCase& loadCase, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_EQ(s.axialForces[5], 0.0);
         EXPECT_LT(relative(s.axialForces[4], 1414.2), 1e-3);
         EXPECT_LT(relative(s.axialForces[2], -1000), 1e-3);
         EXPECT_LT(largestImbalance(model, loadCase, s), 1e-9 * 1000);
     }},
    {"heavy cable from straight", heavyCable(), heavyCableLoads(),
     [](const Model& model, const LoadCase& loadCase, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(-s.displacements[cableMembers / 2][2], 6.3526), 1e-3);
         EXPECT_LT(largestImbalance(model, loadCase, s), 1e-9 * 1e5);
     }},
    {"prestressed wire at survey coordinates", surveyWire(), "1 1 0\n2 0 0 100\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(s.displacements[1][2], wireDeflection(100)), 1e-8);
     }},
    {"one member ten billion times stiffer than the others",
     "Stiff tie\n3 3\n1 0 0 0 1 1 1\n2 4 0 0 0 1 1\n3 2 0 3 0 1 0\n1 1 2 B 1e16 0\n"
     "2 2 3 B 1e6 0\n3 1 3 B 1e6 0\n",
     "1 1 0\n3 100 0 -200\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
     }},
};

class ReferenceProblem : public testing::TestWithParam<Reference> {};

TEST_P(ReferenceProblem, MatchesItsAnswer) {
    const Model model = readGeometry(GetParam().geometry);
    const LoadCase loadCase = readCase(GetParam().loads, 1);
    ASSERT_FALSE(problemOf(loadCase, model));
    GetParam().check(model, loadCase, solve(model, loadCase));
}

INSTANTIATE_TEST_SUITE_P(Solver, ReferenceProblem, testing::ValuesIn(references),
                         rowName<Reference>);

} // namespace
} // namespace ombrix
