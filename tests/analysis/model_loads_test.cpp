// The loads that only the model turns into forces, lengths and support moves (weight,
// temperature, settle, snow, pressure): read and refused line by line, and solved against
// closed forms and against the same loads written by hand as node loads.

#include "applied_loads.h"
#include "closed_forms.h"
#include "folder_storage.h"
#include "geometry.h"
#include "loading.h"
#include "numbers.h"
#include "reports.h"
#include "runs.h"
#include "solver.h"

#include "test_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace ombrix {
namespace {

// A square net of 2 x 2 cells, 1 wide, held all round; its middle node 5 free, at depth.
std::string net(const std::string& depth, const std::string& extraMembers = "",
                int extraCount = 0) {
    return "Net\n9 " + std::to_string(12 + extraCount) +
           "\n1 0 0 0 1 1 1\n2 1 0 0 1 1 1\n3 2 0 0 1 1 1\n4 0 1 0 1 1 1\n5 1 1 " + depth +
           " 0 0 0\n6 2 1 0 1 1 1\n7 0 2 0 1 1 1\n8 1 2 0 1 1 1\n9 2 2 0 1 1 1\n"
           "1 1 2 C 1e4 10\n2 2 3 C 1e4 10\n3 4 5 C 1e4 10\n4 5 6 C 1e4 10\n"
           "5 7 8 C 1e4 10\n6 8 9 C 1e4 10\n7 1 4 C 1e4 10\n8 4 7 C 1e4 10\n"
           "9 2 5 C 1e4 10\n10 5 8 C 1e4 10\n11 3 6 C 1e4 10\n12 6 9 C 1e4 10\n" +
           extraMembers;
}

std::string caseWith(const std::string& line) {
    return "Loads\n1\n0\n1 1 0\n5 0 0 -1\n" + line + "\n";
}

struct GoodLine {
    const char* name;
    std::string line;
    std::string written; // as the case file holds it
};

const GoodLine goodLines[] = {
    {"weight on all", "weight 2", "weight 2 all"},
    {"weight on cables", "Weight 2 cables", "weight 2 cables"},
    {"weight on numbers and ranges", "weight 0.5 1-4 7, 9", "weight 0.5 1-4 7 9"},
    {"temperature on bars", "temperature 30 1.2e-5 bars", "temperature 30 1.2e-05 bars"},
    {"settlement", "settle 3 0 0 -0.01", "settle 3 0 0 -0.01"},
    {"snow", "snow 0.8", "snow 0.8"},
    {"pressure", "pressure -0.3", "pressure -0.3"},
};

class WordLineRead : public testing::TestWithParam<GoodLine> {};

TEST_P(WordLineRead, IsWrittenBackInItsOwnWords) {
    const LoadCase loadCase = readLoading(caseWith(GetParam().line)).cases[0];
    ASSERT_EQ(loadCase.modelLoads.size(), 1u);
    EXPECT_EQ(loadCase.modelLoads[0].line, 6);
    const std::string written = writeCase(loadCase);
    EXPECT_EQ(written, "1 1 0\r\n5 0 0 -1\r\n" + GetParam().written + "\r\n");
    EXPECT_EQ(writeCase(readCase(written, 1)), written);
}

INSTANTIATE_TEST_SUITE_P(Loads, WordLineRead, testing::ValuesIn(goodLines), rowName<GoodLine>);

struct BadLine {
    const char* name;
    std::string line;
    Message reason;
    std::string value; // the first value of the message
};

const BadLine badLines[] = {
    {"unknown word", "wind 2", Message::WordNotKnown, "wind"},
    {"range backwards", "weight 2 3-1", Message::MembersNotKnown, "3-1"},
    {"member zero", "weight 2 0", Message::MembersNotKnown, "0"},
    {"not a member", "temperature 10 1e-5 x", Message::MembersNotKnown, "x"},
    {"all among numbers", "weight 2 all 3", Message::MembersNotKnown, "all"},
    {"weight not a number", "weight heavy", Message::NotANumber, "heavy"},
    {"settlement too short", "settle 3 0 0", Message::FieldCount, "5"},
    {"snow on members", "snow 1 2", Message::FieldCount, "2"},
    {"snow out of range", "snow 1e21", Message::LoadOutOfRange, "1e+20"},
    {"settlement out of range", "settle 1 2e9 0 0", Message::SettlementOutOfRange, "1000000000"},
    {"temperature strain out of range", "temperature 1e3 1e-3",
     Message::TemperatureStrainOutOfRange, "0.5"},
};

class WordLineRefused : public testing::TestWithParam<BadLine> {};

TEST_P(WordLineRefused, NamesTheLineAndTheReason) {
    try {
        (void)readLoading(caseWith(GetParam().line));
        ADD_FAILURE() << "accepted";
    } catch (const InputError& error) {
        EXPECT_EQ(error.line(), 6);
        EXPECT_EQ(error.problem().reason, GetParam().reason);
        ASSERT_FALSE(error.problem().values.empty());
        EXPECT_EQ(error.problem().values[0], GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(Loads, WordLineRefused, testing::ValuesIn(badLines), rowName<BadLine>);

struct ModelMisfit {
    const char* name;
    std::string line;
    Message reason;
    std::vector<std::string> values;
};

const ModelMisfit misfits[] = {
    {"member beyond the model", "weight 1 5-20", Message::NamedMemberMissing, {"1", "13"}},
    {"settled node missing", "settle 10 0 0 1", Message::SettledNodeMissing, {"1", "10"}},
    {"settled in a free direction",
     "settle 5 0 0.1 0",
     Message::SettledInFreeDirection,
     {"1", "5", "y"}},
};

class WordLineMisfit : public testing::TestWithParam<ModelMisfit> {};

TEST_P(WordLineMisfit, CannotBeAppliedToTheModel) {
    const LoadCase loadCase = readLoading(caseWith(GetParam().line)).cases[0];
    const std::optional<CaseProblem> problem = problemOf(loadCase, readGeometry(net("-0.2")));
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->line, 6);
    EXPECT_EQ(problem->problem.reason, GetParam().reason);
    EXPECT_EQ(problem->problem.values, GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(Loads, WordLineMisfit, testing::ValuesIn(misfits), rowName<ModelMisfit>);

TEST(Loads, ASettledSupportAndOldCaseFilesAreAccepted) {
    const Model model = readGeometry(net("-0.2"));
    EXPECT_FALSE(problemOf(readLoading(caseWith("settle 1 0 0.1 0")).cases[0], model));
    EXPECT_TRUE(readCase("1 1 0\r\n5 0 0 -1\r\n", 1).modelLoads.empty());
}

// The cells of the net, and of it with a cable or a bar across a cell: a cable splits its
// cell into two triangles, a bar takes it out.
struct Cells {
    const char* name;
    std::string extraMembers;
    int extraCount;
    long long cells;
    double planArea;
};

const Cells cellRows[] = {
    {"plain net", "", 0, 4, 4},
    {"cable across a cell", "13 1 5 C 1e4 10\n", 1, 5, 4},
    {"bar across a cell", "13 6 8 B 1e4 0\n", 1, 3, 3},
    {"both", "13 1 5 C 1e4 10\n14 6 8 B 1e4 0\n", 2, 4, 3},
};

class NetCells : public testing::TestWithParam<Cells> {};

TEST_P(NetCells, CarryTheSnowOnTheirPlanArea) {
    const Model model = readGeometry(net("-0.2", GetParam().extraMembers, GetParam().extraCount));
    const AppliedLoads applied = appliedLoads(model, readLoading(caseWith("snow 3")).cases[0]);
    EXPECT_EQ(applied.snow.cells, GetParam().cells);
    EXPECT_DOUBLE_EQ(applied.snow.area, GetParam().planArea);
    EXPECT_DOUBLE_EQ(applied.snow.resultant[2], -3 * GetParam().planArea);
}

INSTANTIATE_TEST_SUITE_P(Loads, NetCells, testing::ValuesIn(cellRows), rowName<Cells>);

// Pressure along each cell's downward normal: the cell at node 1 has the diagonals
// (1, 1, -0.2) and (-1, 1, 0), so its area vector is (0.1, 0.1, 1), and node 1 takes a
// quarter of p times the downward one.
TEST(Loads, PressureActsAlongTheDownwardNormalOfEachCell) {
    const Model model = readGeometry(net("-0.2"));
    const AppliedLoads applied = appliedLoads(model, readLoading(caseWith("pressure 2")).cases[0]);
    EXPECT_EQ(applied.pressure.cells, 4);
    EXPECT_DOUBLE_EQ(applied.pressure.area, 4 * std::sqrt(1.02));
    const Point corner = applied.forces[0];
    EXPECT_DOUBLE_EQ(corner[0], -2 * 0.1 / 4);
    EXPECT_DOUBLE_EQ(corner[1], -2 * 0.1 / 4);
    EXPECT_DOUBLE_EQ(corner[2], -2 * 1.0 / 4);
    EXPECT_NEAR(applied.pressure.resultant[0], 0, 1e-15);
    EXPECT_DOUBLE_EQ(applied.pressure.resultant[2], -8);
}

// The words and the node loads an engineer would write for them by hand: the weight w of
// each cable, w times its length, half to each end; snow q on each cell's plan area of 1,
// a quarter to each corner.
struct ByHand {
    const char* name;
    std::string words;
    std::string nodeLines;
    double total; // the weight or the snow on the plan area
};

const double inner = std::sqrt(1.04); // a cable to the middle node
const double w = 0.3, q = 2;

std::string nodeLine(int node, double fz) {
    return std::to_string(node) + " 0 0 " + exactNumber(fz) + "\n";
}

const ByHand spreadByHand[] = {
    {"weight", "weight " + exactNumber(w),
     nodeLine(1, -w) + nodeLine(2, -w - w * inner / 2) + nodeLine(3, -w) +
         nodeLine(4, -w - w * inner / 2) + nodeLine(5, -2 * w * inner) +
         nodeLine(6, -w - w * inner / 2) + nodeLine(7, -w) + nodeLine(8, -w - w * inner / 2) +
         nodeLine(9, -w),
     w*(8 + 4 * inner)},
    {"snow", "snow " + exactNumber(q),
     nodeLine(1, -q / 4) + nodeLine(2, -q / 2) + nodeLine(3, -q / 4) + nodeLine(4, -q / 2) +
         nodeLine(5, -q) + nodeLine(6, -q / 2) + nodeLine(7, -q / 4) + nodeLine(8, -q / 2) +
         nodeLine(9, -q / 4),
     4 * q},
};

// Both cases solved on the net, to the same answer: the middle node's displacement within
// 1e-12 and the forces (of about 100) within as much of their size.
Solution expectSameAnswer(const LoadCase& first, const LoadCase& second) {
    const Model model = readGeometry(net("-0.2"));
    Solution one = solve(model, first);
    const Solution other = solve(model, second);
    EXPECT_EQ(one.status, SolutionStatus::Converged);
    EXPECT_EQ(other.status, SolutionStatus::Converged);
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_NEAR(one.displacements[4][axis], other.displacements[4][axis], 1e-12);
    for (std::size_t m = 0; m < model.members.size(); ++m)
        EXPECT_NEAR(one.axialForces[m], other.axialForces[m], 1e-12 * 100);
    return one;
}

class SpreadLoads : public testing::TestWithParam<ByHand> {};

TEST_P(SpreadLoads, AnswerAsTheNodeLoadsWrittenByHand) {
    const Solution words = expectSameAnswer(readCase("1 0 4\n" + GetParam().words + "\n", 1),
                                            readCase("1 9 4\n" + GetParam().nodeLines, 1));
    double lifted = 0;
    for (const Point& reaction : words.reactions)
        lifted += reaction[2];
    EXPECT_NEAR(lifted, GetParam().total, 1e-9 * GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(Loads, SpreadLoads, testing::ValuesIn(spreadByHand), rowName<ByHand>);

// What the output file says each word applied, summed by hand.
struct Stated {
    const char* name;
    std::string line;
    std::string stated;
};

const Stated statedRows[] = {
    {"weight", "weight 0.3", "  weight: total " + showNumber(w*(8 + 4 * inner)) + " on 12 members"},
    {"snow", "snow 2", "  snow: 4 cells, plan area 4, total 8"},
    {"pressure", "pressure 2", "  pressure: 4 cells, area " + showNumber(4 * std::sqrt(1.02))},
    {"settlement", "settle 1 0 0 -0.01", "  settlement of node 1: 0 0 -0.01"},
    {"temperature", "temperature 10 1e-5 1-4",
     "  temperature: 4 members, strain alpha dT from 0.0001 to 0.0001"},
};

class OutputFile : public testing::TestWithParam<Stated> {};

TEST_P(OutputFile, StatesWhatEachCaseApplied) {
    const std::string report = loadingReport(
        readGeometry(net("-0.2")), readLoading(caseWith(GetParam().line)), "Net.inc", {}, {});
    EXPECT_NE(report.find(GetParam().stated), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(Loads, OutputFile, testing::ValuesIn(statedRows), rowName<Stated>);

// Through Prepare, Forces and Solve: the case file carries the words to Solve, which moves
// the settled support and says again what the case applied.
class WordsThroughTheSteps : public InstallationTest {};

TEST_F(WordsThroughTheSteps, ReachSolveAndItsReport) {
    ASSERT_TRUE(storage_.replace("../Dat/net.dat", net("-0.2")));
    ASSERT_TRUE(storage_.replace("../Dat/net.inc", "Loads\n1\n0\n1 0 2\nweight 0.3\n"
                                                   "settle 1 0 0 -0.01\n"));
    ASSERT_EQ(prepareAnalysis(storage_, {"../Dat/net.dat", "../Dat/net.rez", "Complete", "English"})
                  .exitCode,
              0);
    ASSERT_EQ(prepareLoads(storage_, "../Dat/net.inc").exitCode, 0);
    EXPECT_EQ(storage_.read("../Dat/net.dat.work/1.unf"),
              "1 0 2\r\nweight 0.3 all\r\nsettle 1 0 0 -0.01\r\n");
    ASSERT_EQ(solveLoadCases(storage_, {"1"}).exitCode, 0);
    EXPECT_NE(storage_.read("../Dat/net.dat.work/1.res")->find("\nnode 1 0 0 -0.01\r\n"),
              std::string::npos);
    const std::string report = *storage_.read("../Dat/net.rez");
    const std::string weight = "  weight: total " + showNumber(w * (8 + 4 * inner));
    EXPECT_NE(report.find(weight, report.find("Load case 1")), std::string::npos) << report;
}

// Two bars of length 2 in a line between fixed supports, the node between them free along
// the line, heated: the bars cannot grow, so their force is that which shortens their
// longer unstressed length back to 2. With both heated, law E gives -EA e / (1 + e) and
// law G lambda EA (lambda^2 - 1) / 2 with lambda = 1 / (1 + e); with the first alone the
// middle node moves until both forces agree.
constexpr double barEA = 1000, strain = 50 * 1.2e-5;

double greenForce(double lambda) {
    return lambda * barEA * (lambda * lambda - 1) / 2;
}

// The first bar, heated, pushes the middle node on by u until lambda1 = (2 + u) / (2 (1 + e))
// and lambda2 = (2 - u) / 2 give equal forces.
double greenForceOfOneHeated() {
    const double moved = root(
        [](double u) { return greenForce((2 + u) / (2 * (1 + strain))) - greenForce((2 - u) / 2); },
        0, 2 * strain);
    return greenForce((2 - moved) / 2);
}

struct Heated {
    const char* name;
    const char* law;
    const char* members;
    double force; // of the first bar
};

const Heated heated[] = {
    {"engineering strain", "E", "all", -barEA* strain / (1 + strain)},
    {"engineering strain, one bar", "E", "1", -barEA* strain / (2 + strain)},
    {"Green strain", "G", "all", greenForce(1 / (1 + strain))},
    {"Green strain, one bar", "G", "1", greenForceOfOneHeated()},
};

class HeatedBars : public testing::TestWithParam<Heated> {};

TEST_P(HeatedBars, CarryTheForceOfTheirLongerUnstressedLength) {
    const Model model = readGeometry(std::string("Bars\n3 2 ") + GetParam().law +
                                     "\n1 0 0 0 1 1 1\n2 2 0 0 0 1 1\n3 4 0 0 1 1 1\n"
                                     "1 1 2 B 1000 0\n2 2 3 B 1000 0\n");
    const Solution solution = solve(
        model,
        readCase(std::string("1 0 0\ntemperature 50 1.2e-5 ") + GetParam().members + "\n", 1));
    ASSERT_EQ(solution.status, SolutionStatus::Converged);
    EXPECT_LT(relative(solution.axialForces[0], GetParam().force), 1e-9);
    EXPECT_LT(relative(solution.axialForces[1], GetParam().force), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Loads, HeatedBars, testing::ValuesIn(heated), rowName<Heated>);

// Two bars from supports at x = 0 and x = 2 to an apex 0.5 above their middle, free only
// upwards, under a load P; the second support settled by d in z. With the apex at 0.5 + u,
// the bars balance P when N1 h1 / L1 + N2 h2 / L2 = -P, h the heights the bars rise.
struct Settled {
    const char* name;
    double settlement;
    double load;
};

const Settled settledRows[] = {
    {"down, loaded", -0.05, 10},
    {"up, unloaded", 0.03, 0},
};

class SettledSupport : public testing::TestWithParam<Settled> {};

TEST_P(SettledSupport, MovesTheTrussToItsClosedFormBalance) {
    const double d = GetParam().settlement, p = GetParam().load, ea = 1000;
    const double given = std::hypot(1.0, 0.5);
    const auto force = [&](double rise) {
        const double length = std::hypot(1.0, rise);
        return ea * (length - given) / given * rise / length;
    };
    const double rise =
        root([&](double u) { return force(0.5 + u) + force(0.5 + u - d) + p; }, -0.4, 0.4);
    const Model model = readGeometry("V\n3 2\n1 0 0 0 1 1 1\n2 1 0 0.5 1 1 0\n3 2 0 0 1 1 1\n"
                                     "1 1 2 B 1000 0\n2 3 2 B 1000 0\n");
    const Solution solution = solve(
        model,
        readCase("1 1 0\n2 0 0 " + exactNumber(-p) + "\nsettle 3 0 0 " + exactNumber(d) + "\n", 1));
    ASSERT_EQ(solution.status, SolutionStatus::Converged);
    EXPECT_NEAR(solution.displacements[1][2], rise, 1e-9);
    EXPECT_EQ(solution.displacements[2][2], d);
    EXPECT_NEAR(solution.reactions[0][2] + solution.reactions[2][2], p, 1e-9);
    const double second = std::hypot(1.0, 0.5 + rise - d);
    EXPECT_NEAR(solution.axialForces[1], ea * (second - given) / given, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Loads, SettledSupport, testing::ValuesIn(settledRows), rowName<Settled>);

// Case 3 combines cases 1 and 2; the same loads written out by hand are case 4.
const std::string combined = "Loads\n4\n0\n"
                             "1 0 0\nweight 0.3\ntemperature 10 1e-5 cables\n"
                             "2 1 0\n5 1 0 -1\nsnow 2\npressure 0.5\nsettle 1 0 0 -0.01\n"
                             "3 0 4\ncombine 1.2 1 1.5 2\n"
                             "4 1 4\n5 1.5 0 -1.5\nweight 0.36\ntemperature 12 1e-5 cables\n"
                             "snow 3\npressure 0.75\nsettle 1 0 0 -0.015\n";

TEST(Combination, IsTheFactoredSumOfTheCasesItNames) {
    const Loading loading = readLoading(combined);
    EXPECT_EQ(writeCase(loading.cases[2]),
              "3 1 4\r\n5 1.5 0 -1.5\r\nweight 0.36 all\r\ntemperature 12 1e-05 cables\r\n"
              "snow 3\r\npressure 0.75\r\nsettle 1 0 0 -0.015\r\n");
    expectSameAnswer(loading.cases[2], loading.cases[3]);
}

struct BadBlocks {
    const char* name;
    std::string blocks; // cases 1 and 2
    int line;
    Message reason;
};

const BadBlocks badCombinations[] = {
    {"after node lines", "1 1 0\n5 0 0 -1\n2 1 0\n5 0 0 -1\ncombine 1 1\n", 8,
     Message::CombinationNotAlone},
    {"before other words", "1 1 0\n5 0 0 -1\n2 0 0\ncombine 1 1\nsnow 1\n", 8,
     Message::CombinationNotAlone},
    {"a case not in the file", "1 1 0\n5 0 0 -1\n2 0 0\ncombine 1 1 2 7\n", 7,
     Message::CaseNotInFile},
    {"a combination", "1 0 0\ncombine 1 2\n2 0 0\ncombine 1 1\n", 5, Message::CombinedCaseCombined},
    {"a factor without its case", "1 1 0\n5 0 0 -1\n2 0 0\ncombine 1.5\n", 7,
     Message::CombinationPairs},
    {"a case that comes after another", "1 1 0\n5 0 0 -1\n2 0 0\ncombine 1 1\nafter 1\n", 8,
     Message::CombinationNotAlone},
    {"naming a case that comes after another", "1 0 0\ncombine 2 2\n2 1 0\n5 0 0 -1\nafter 1\n", 5,
     Message::CombinedCaseAfter},
};

const BadBlocks badHistories[] = {
    {"itself", "1 1 0\n5 0 0 -1\n2 1 0\n5 0 0 -1\nafter 2\n", 8, Message::AfterItself},
    {"a case not in the file", "1 1 0\n5 0 0 -1\nafter 3\n2 1 0\n5 0 0 -1\n", 6,
     Message::CaseNotInFile},
    {"a circle", "1 1 0\n5 0 0 -1\nafter 2\n2 1 0\n5 0 0 -1\nafter 1\n", 6, Message::AfterCycle},
    {"twice", "1 1 0\n5 0 0 -1\n2 1 0\n5 0 0 -1\nafter 1\nafter 1\n", 9, Message::AfterTwice},
    {"without a case", "1 1 0\n5 0 0 -1\n2 1 0\n5 0 0 -1\nafter\n", 8, Message::FieldCount},
};

class CasesRefused : public testing::TestWithParam<BadBlocks> {};

TEST_P(CasesRefused, NamesTheLineAndTheReason) {
    try {
        (void)readLoading("Loads\n2\n0\n" + GetParam().blocks);
        ADD_FAILURE() << "accepted";
    } catch (const InputError& error) {
        EXPECT_EQ(error.line(), GetParam().line);
        EXPECT_EQ(error.problem().reason, GetParam().reason);
    }
}

INSTANTIATE_TEST_SUITE_P(Combination, CasesRefused, testing::ValuesIn(badCombinations),
                         rowName<BadBlocks>);
INSTANTIATE_TEST_SUITE_P(History, CasesRefused, testing::ValuesIn(badHistories),
                         rowName<BadBlocks>);

TEST(LoadHistory, TheCaseFileKeepsTheCaseItComesAfter) {
    const Loading loading = readLoading("Loads\n2\n0\n1 1 0\n5 0 0 -1\n"
                                        "2 1 3\n5 0 0 1\nAfter 1\nsnow 2\n");
    const std::string written = "2 1 3\r\n5 0 0 1\r\nsnow 2\r\nafter 1\r\n";
    EXPECT_EQ(writeCase(loading.cases[1]), written);
    EXPECT_EQ(writeCase(readCase(written, 2)), written);
}

} // namespace
} // namespace ombrix
