// The solver against closed forms and published answers, one row per problem; every
// converged answer is a stable state, its tangent stiffness positive definite.

#include "geometry.h"
#include "loading.h"
#include "numbers.h"
#include "solver.h"
#include "structure.h"

#include "closed_forms.h"
#include "test_names.h"
#include "von_mises.h"

#include <gtest/gtest.h>

#include <Eigen/Eigenvalues>

#include <array>
#include <fstream>
#include <sstream>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <utility>

namespace ombrix {
namespace {

std::string readSample(const std::string& name) {
    std::ifstream file(std::string(OMBRIX_SAMPLES) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
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

// Equal bars of law E without initial force from supports in a plane to a loaded node on
// the supports' axis, at height h above their plane: the load that holds the node there,
// and the node's stiffness across, along a direction in which each support lies `across`
// from the axis. The node leaves the axis where that stiffness vanishes.
struct Apex {
    int bars;
    double spread; // the supports' distance from the axis
    double across;
    double height; // as given
    double ea;

    double given() const { return std::hypot(spread, height); }
    double force(double h) const { return ea * (std::hypot(spread, h) / given() - 1); }
    double load(double h) const { return -bars * force(h) * h / std::hypot(spread, h); }
    double stiffnessAcross(double h) const {
        const double l = std::hypot(spread, h), n = across / l;
        return ea / given() * n * n + force(h) / l * (1 - n * n);
    }
    double bifurcationLoad() const {
        return load(root([&](double h) { return stiffnessAcross(h); }, height / 2, height));
    }
    double hangingDeflection(double p) const {
        const double slack = -std::sqrt(given() * given() - spread * spread);
        return root([&](double h) { return load(h) - p; }, 10 * slack, slack) - height;
    }
};

const Apex seventyDegrees{2, 0.68404028665, 0.68404028665, 1.87938524157, 5.25e8};
const char* const seventyDegreeTruss =
    "Two bars at 70 degrees\n3 2\n1 0 0 0 1 1 1\n2 0.68404028665 0 1.87938524157 0 1 0\n"
    "3 1.3680805733 0 0 1 1 1\n1 1 2 B 5.25e8 0\n2 2 3 B 5.25e8 0\n";
const Apex pyramid{4, std::hypot(0.5, 0.8), 0.5, 2, 1e6};

const char* const slackFrame = "Square frame with cross cables\n4 6\n"
                               "1 0 0 0 1 1 1\n2 0 1 0 0 0 1\n3 1 1 0 0 0 1\n4 1 0 0 0 1 1\n"
                               "1 1 2 B 2.1e7 0\n2 2 3 B 2.1e7 0\n3 3 4 B 2.1e7 0\n"
                               "4 4 1 B 2.1e7 0\n5 1 3 C 2.1e7 0\n6 2 4 C 2.1e7 0\n";

// A cable of straight members between supports, its inner nodes loaded alike.
std::string cable(int members, double span, const std::string& member, const char* inner) {
    std::string text =
        "Cable\n" + std::to_string(members + 1) + " " + std::to_string(members) + "\n";
    for (int n = 0; n <= members; ++n)
        text += std::to_string(n + 1) + " " + exactNumber(span * n / members) + " 0 0" +
                (n == 0 || n == members ? " 1 1 1" : inner) + "\n";
    for (int m = 1; m <= members; ++m)
        text += std::to_string(m) + " " + std::to_string(m) + " " + std::to_string(m + 1) + " C " +
                member + "\n";
    return text;
}

std::string cableLoads(int members, double load, int steps) {
    std::string text = "1 " + std::to_string(members - 1) + " " + std::to_string(steps) + "\n";
    for (int n = 2; n <= members; ++n)
        text += std::to_string(n) + " 0 0 " + exactNumber(-load) + "\n";
    return text;
}

// 325 m span, 70 straight unstressed cable members, weight 6.35689 N/m at the nodes.
constexpr int cableMembers = 70;
constexpr double cableSpan = 325;

// 40 members of 2.5025 m (0.1 % slack) over 100 m, 30 N on each inner node, EA = 1.3e7 N.
constexpr int slackMembers = 40;

// A tensegrity prism (triangles of radius 1 turned 150 degrees, 1.2 apart, in self-stress)
// with its bars and cables swapped: its cables, the former struts, start slack.
std::string swappedPrism() {
    std::string text = "Prism with bars and cables swapped\n6 12\n";
    for (int n = 0; n < 6; ++n) {
        const double angle = std::numbers::pi * (2 * (n % 3) / 3.0 + (n < 3 ? 0 : 5 / 6.0));
        text += std::to_string(n + 1) + " " + exactNumber(std::cos(angle)) + " " +
                exactNumber(std::sin(angle)) + (n < 3 ? " 0 1 1 1\n" : " 1.2 0 0 0\n");
    }
    const std::string cable = " C 1e6 -227.42143275357486\n", bar = " B 1e5 100\n",
                      tie = " B 1e5 130.68853019416519\n";
    const std::string members[] = {"1 2" + bar,   "2 3" + bar, "3 1" + bar,   "4 5" + bar,
                                   "5 6" + bar,   "6 4" + bar, "1 4" + cable, "2 5" + cable,
                                   "3 6" + cable, "1 6" + tie, "2 4" + tie,   "3 5" + tie};
    for (int m = 0; m < 12; ++m)
        text += std::to_string(m + 1) + " " + members[m];
    return text;
}

// A flat square net of cables, cells x cells of 1 m, its edge held, and the loads of one case
// in the given steps: 10 down on every inner node.
constexpr int netCells = 8;

std::string flatNet(const std::string& initialForce) {
    std::string text = "Flat net\n" + std::to_string((netCells + 1) * (netCells + 1)) + " " +
                       std::to_string(2 * netCells * (netCells + 1)) + "\n";
    for (int j = 0; j <= netCells; ++j)
        for (int i = 0; i <= netCells; ++i) {
            const bool edge = i == 0 || j == 0 || i == netCells || j == netCells;
            text += std::to_string(j * (netCells + 1) + i + 1) + " " + std::to_string(i) + " " +
                    std::to_string(j) + (edge ? " 0 1 1 1\n" : " 0 0 0 0\n");
        }
    int member = 0;
    for (int j = 0; j <= netCells; ++j)
        for (int i = 0; i < netCells; ++i)
            for (const auto& [first, second] :
                 {std::pair{j * (netCells + 1) + i, j * (netCells + 1) + i + 1},
                  std::pair{i * (netCells + 1) + j, (i + 1) * (netCells + 1) + j}})
                text += std::to_string(++member) + " " + std::to_string(first + 1) + " " +
                        std::to_string(second + 1) + " C 1e5 " + initialForce + "\n";
    return text;
}

std::string netLoads(int steps) {
    std::string text =
        "1 " + std::to_string((netCells - 1) * (netCells - 1)) + " " + std::to_string(steps) + "\n";
    for (int j = 1; j < netCells; ++j)
        for (int i = 1; i < netCells; ++i)
            text += std::to_string(j * (netCells + 1) + i + 1) + " 0 0 -10\n";
    return text;
}

void expectBalancedNet(const Model& model, const LoadCase& loadCase, const Solution& s) {
    EXPECT_EQ(s.status, SolutionStatus::Converged);
    EXPECT_LT(largestImbalance(model, loadCase, s), 1e-9 * 1000);
}

// The smallest eigenvalue of the tangent stiffness at the solution.
double smallestStiffness(const Model& model, const Solution& solution) {
    Structure structure(model);
    std::vector<Eigen::Vector3d> displacements;
    for (const Point& u : solution.displacements)
        displacements.emplace_back(u[0], u[1], u[2]);
    const Eigen::MatrixXd tangent =
        Eigen::MatrixXd(structure.tangentAt(structure.freePart(displacements), 0))
            .selfadjointView<Eigen::Lower>();
    return Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd>(tangent).eigenvalues().minCoeff();
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
         EXPECT_EQ(s.criticalPoint, CriticalPoint::None);
         EXPECT_LT(relative(-s.displacements[1][2], 0.983585), 1e-6);
     }},
    {"von Mises truss snaps through within its one load step", vonMises(), "1 1 1\n2 0 0 -3.5e8\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_EQ(s.criticalPoint, CriticalPoint::LimitPoint);
         EXPECT_LT(relative(s.criticalLoadFactor * 3.5e8, vonMisesLimit()), 1e-6);
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
    {"unstressed cables, two of whose nodes no member ties to a support",
     "Floating pair\n5 3\n1 0 0 0 1 1 1\n2 5 0 0 0 0 0\n3 10 0 0 1 1 1\n4 0 5 0 0 0 0\n"
     "5 5 5 0 0 0 0\n1 1 2 C 6e7 0\n2 2 3 C 6e7 0\n3 4 5 C 6e7 0\n",
     "1 1 0\n2 0 0 -100\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Mechanism);
         EXPECT_GE(s.mechanismNode, 3);
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
    {"heavy cable from straight", cable(cableMembers, cableSpan, "1.298631e7 0", " 0 0 0"),
     cableLoads(cableMembers, 6.35689 * cableSpan / cableMembers, 10),
     [](const Model& model, const LoadCase& loadCase, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(-s.displacements[cableMembers / 2][2], 6.3526), 1e-3);
         EXPECT_LT(largestImbalance(model, loadCase, s), 1e-9 * 1e5);
     }},
    {"two bars at 70 degrees buckle sideways and hang", seventyDegreeTruss, "1 1 0\n2 0 0 -2.5e8\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_EQ(s.criticalPoint, CriticalPoint::Bifurcation);
         EXPECT_LT(relative(s.criticalLoadFactor * 2.5e8, seventyDegrees.bifurcationLoad()), 1e-6);
         EXPECT_LT(std::abs(s.displacements[1][0]), 1e-9);
         EXPECT_LT(relative(s.displacements[1][2], seventyDegrees.hangingDeflection(2.5e8)), 1e-9);
     }},
    {"four bars on a rectangle buckle sideways and hang",
     "Pyramid\n5 4\n1 0.5 0.8 0 1 1 1\n2 -0.5 0.8 0 1 1 1\n3 -0.5 -0.8 0 1 1 1\n"
     "4 0.5 -0.8 0 1 1 1\n5 0 0 2 0 0 0\n1 1 5 B 1e6 0\n2 2 5 B 1e6 0\n3 3 5 B 1e6 0\n"
     "4 4 5 B 1e6 0\n",
     "1 1 0\n5 0 0 -6e5\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_EQ(s.criticalPoint, CriticalPoint::Bifurcation);
         EXPECT_LT(relative(s.criticalLoadFactor * 6e5, pyramid.bifurcationLoad()), 1e-6);
         EXPECT_LT(relative(s.displacements[4][2], pyramid.hangingDeflection(6e5)), 1e-9);
     }},
    {"cable a little longer than its span hangs",
     cable(slackMembers, 100, "1.3e7 0 2.5025", " 0 1 0"), cableLoads(slackMembers, 30, 0),
     [](const Model&, const LoadCase&, const Solution& s) {
         const ElasticCable hanging(slackMembers, 100, 0.1, 30, 1.3e7);
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(-s.displacements[slackMembers / 2][2], hanging.sag), 1e-9);
         for (int m = 0; m < slackMembers; ++m)
             EXPECT_LT(relative(s.axialForces[m], hanging.tension[m]), 1e-9) << m;
     }},
    {"cable slack by its length, started straight", cable(50, 200, "1e7 0 4.0032", " 0 1 0"),
     cableLoads(50, 20, 0),
     [](const Model&, const LoadCase&, const Solution& s) {
         const ElasticCable hanging(50, 200, 0.16, 20, 1e7);
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(hanging.horizontal, 5537.856619942), 1e-9);
         EXPECT_LT(relative(s.displacements[25][2], -4.511332582264), 1e-9);
         EXPECT_LT(relative(s.axialForces[0], 5559.492417751), 1e-9);
     }},
    {"cable of 70 links slack by its length, started straight, in 10 steps",
     cable(70, 280, "1e7 0 4.0032", " 0 1 0"), cableLoads(70, 20, 10),
     [](const Model&, const LoadCase&, const Solution& s) {
         const ElasticCable hanging(70, 280, 0.224, 20, 1e7);
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(-s.displacements[35][2], hanging.sag), 1e-9);
         EXPECT_LT(relative(s.axialForces[69], hanging.tension[69]), 1e-9);
     }},
    {"tensegrity prism with bars and cables swapped", swappedPrism(),
     "1 3 0\n4 10 0 -30\n5 0 10 -30\n6 -10 0 -30\n",
     [](const Model& model, const LoadCase& loadCase, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(largestImbalance(model, loadCase, s), 1e-9 * 300);
     }},
    {"flat net without initial force", flatNet("0"), netLoads(10), expectBalancedNet},
    {"flat net without initial force in 300 steps", flatNet("0"), netLoads(300), expectBalancedNet},
    {"prestressed flat net in 300 steps", flatNet("1000"), netLoads(300), expectBalancedNet},
    {"prestressed wire at survey coordinates", surveyWire(), "1 1 0\n2 0 0 100\n",
     [](const Model&, const LoadCase&, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(relative(s.displacements[1][2], wireDeflection(100)), 1e-8);
     }},
    {"one member 1e11 times stiffer than the others",
     "Stiff tie\n3 3\n1 0 0 0 1 1 1\n2 4 0 0 0 1 1\n3 2 0 3 0 1 0\n1 1 2 B 1e6 0\n"
     "2 2 3 B 1e17 0\n3 1 3 B 1e6 0\n",
     "1 1 0\n3 100 0 -200\n",
     [](const Model& model, const LoadCase& loadCase, const Solution& s) {
         EXPECT_EQ(s.status, SolutionStatus::Converged);
         EXPECT_LT(largestImbalance(model, loadCase, s), 1e-9 * 200);
     }},
};

class ReferenceProblem : public testing::TestWithParam<Reference> {};

TEST_P(ReferenceProblem, MatchesItsAnswer) {
    const Model model = readGeometry(GetParam().geometry);
    const LoadCase loadCase = readCase(GetParam().loads, 1);
    ASSERT_FALSE(problemOf(loadCase, model));
    const Solution solution = solve(model, loadCase);
    GetParam().check(model, loadCase, solution);
    if (solution.status == SolutionStatus::Converged) {
        EXPECT_GT(smallestStiffness(model, solution), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Solver, ReferenceProblem, testing::ValuesIn(references),
                         rowName<Reference>);

// Two bars from supports 6 apart to a node 4 above their middle, under a load P there; the
// first bar `ratio` times as stiff as the second. The forces balance P in the displaced
// geometry, where each bar is as long as its force stretches it: found by turns.
struct StiffPair {
    double ratio;
    static constexpr double soft = 1e6, px = 300, pz = -800;

    std::string geometry() const {
        return "Stiff pair\n3 2\n1 0 0 0 1 1 1\n2 6 0 0 1 1 1\n3 3 0 4 0 1 0\n1 1 3 B " +
               exactNumber(ratio * soft) + " 0\n2 2 3 B " + exactNumber(soft) + " 0\n";
    }
    std::array<double, 2> forces() const {
        double first = 0, second = 0;
        for (int turn = 0; turn < 60; ++turn) {
            const double l1 = 5 + 5 * first / (ratio * soft), l2 = 5 + 5 * second / soft;
            const double x = (l1 * l1 - l2 * l2 + 36) / 12, z = std::sqrt(l1 * l1 - x * x);
            // P = N1 (x, z) / l1 + N2 (x - 6, z) / l2, the pulls towards the supports.
            const double a = x / l1, b = (x - 6) / l2, c = z / l1, d = z / l2;
            const double determinant = a * d - b * c;
            first = (px * d - b * pz) / determinant;
            second = (a * pz - c * px) / determinant;
        }
        return {first, second};
    }
};

// A member far stiffer than the rest: its force from the balance of its nodes, every
// converged answer balanced to a part in 1e9 of the loads. A node between only two members,
// one 1e14 times stiffer, lies beyond what the factorisation tells from a mechanism: the
// case is not converged, naming the member.
TEST(Solver, BalancesAStiffMemberToTheLoads) {
    for (const auto& [ratio, pairConverges] : {std::pair{1e6, true}, {1e10, true}, {1e14, false}}) {
        const StiffPair pair{ratio};
        const Model model = readGeometry(pair.geometry());
        const LoadCase loadCase = readCase("1 1 0\n3 300 0 -800\n", 1);
        const Solution solution = solve(model, loadCase);
        const std::array<double, 2> forces = pair.forces();
        if (pairConverges) {
            EXPECT_EQ(solution.status, SolutionStatus::Converged) << ratio;
            EXPECT_LT(relative(solution.axialForces[0], forces[0]), 1e-9) << ratio;
            EXPECT_LT(relative(solution.axialForces[1], forces[1]), 1e-9) << ratio;
            EXPECT_LT(largestImbalance(model, loadCase, solution), 1e-9 * 800) << ratio;
        } else {
            EXPECT_EQ(solution.status, SolutionStatus::NotConverged);
            EXPECT_EQ(solution.stiffMember, 0);
            EXPECT_LT(relative(solution.stiffnessRatio, ratio), 1e-12);
        }

        Model bridge = readGeometry(readSample("Bridge.dat"));
        bridge.members[0].axialStiffness = ratio * 8.4e5;
        for (const LoadCase& deck : readLoading(readSample("Bridge.inc")).cases) {
            double total = 0;
            for (const NodalLoad& load : deck.loads)
                total += std::abs(load.force[2]);
            const Solution answer = solve(bridge, deck);
            EXPECT_EQ(answer.status, SolutionStatus::Converged) << ratio << " " << deck.number;
            EXPECT_LT(largestImbalance(bridge, deck, answer), 1e-9 * total)
                << ratio << " " << deck.number;
        }
    }
}

// A case that spends every iteration it may take ends not converged, within its budget, at
// the last state it found: one balanced under its load factor's share of the loads.
TEST(Solver, EndsACaseThatSpendsItsIterationsAtABalancedState) {
    const Model truss = readGeometry(vonMises());
    const LoadCase loadCase = readCase("1 1 1\n2 0 0 -3.5e8\n", 1);
    const int unbounded = solve(truss, loadCase).iterations;
    const int planned = SolverOptions().mostIterations; // for the one load step planned
    ASSERT_GT(unbounded, planned + 100);
    for (const int spare : {0, (unbounded - planned) / 2}) {
        SolverOptions options;
        options.spareIterations = spare;
        const Solution bounded = solve(truss, loadCase, {}, {}, options);
        EXPECT_EQ(bounded.status, SolutionStatus::NotConverged) << spare;
        EXPECT_EQ(bounded.iterationLimit, planned + spare);
        EXPECT_LE(bounded.iterations, planned + spare);
        ASSERT_LT(bounded.loadFactor, 1);
        LoadCase share = loadCase;
        share.loads[0].force[2] *= bounded.loadFactor;
        EXPECT_LT(largestImbalance(truss, share, bounded), 1e-9 * 3.5e8) << spare;
    }
}

// Values beyond the readers' ranges, given to the solver all the same: their arithmetic
// overflows, the loads and the reactions cannot balance, and no answer is converged.
TEST(Solver, NeverCallsAnOverflowingModelConverged) {
    const std::function<void(Model&)> changes[] = {
        [](Model& model) { model.members[0].initialForce = 1e308; },
        [](Model& model) {
            model.members[0].axialStiffness = model.members[1].axialStiffness = 1e308;
        },
        [](Model& model) { model.nodes[0].position[0] = -1e308; },
    };
    for (const auto& change : changes) {
        Model model = readGeometry(wire);
        change(model);
        EXPECT_NE(solve(model, readCase("1 1 0\n2 0 0 10\n", 1)).status, SolutionStatus::Converged);
    }
}

} // namespace
} // namespace ombrix
