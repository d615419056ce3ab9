// The results and path files as Solve leaves them, and the lines their readers refuse.

#include "handoff/handoff.h"
#include "input_error.h"
#include "path_file.h"
#include "results_file.h"

#include "tripod_model.h"

#include <gtest/gtest.h>

#include <string>

namespace ombrix {
namespace {

// Line by line, so that a row can replace one.
const std::vector<std::string> solved{
    "case 2",
    "converged no",
    "inputs 0123456789abcDEF",
    "load factor 0.625",
    "node 1 0 0 0",
    "node 2 0 0 0",
    "node 3 0 0 0",
    "node 4 -5.7e-05 -5.4e-05 0.00017",
    "node 5 0 0 0",
    "member 1 58.8",
    "member 2 -69.2",
    "member 3 62.0",
    "member 4 0",
    "reaction 1 -23.3 -20.0 -50.1",
    "reaction 2 43.4 -20.0 -50.1",
    "reaction 3 -20.0 40.0 -42.9",
    "reaction 5 0.005 0.005 243.1",
};

// The lines joined with CR LF, line `replaced` (counted from 1) replaced by `by`.
std::string joined(const std::vector<std::string>& lines, std::size_t replaced,
                   const std::string& by) {
    std::string text;
    for (std::size_t k = 1; k <= lines.size(); ++k)
        if (k != replaced || !by.empty())
            text += (k == replaced ? by : lines[k - 1]) + "\r\n";
    return text;
}

std::string resultsText(std::size_t replaced = 0, const std::string& by = "") {
    return joined(solved, replaced, by);
}

TEST(ResultsFile, ReadsEveryLineAndKeepsTheInputsAndTheLoadFactor) {
    const CaseResults results = readResults(resultsText(), tripod);
    EXPECT_EQ(results.loadCase, 2);
    EXPECT_FALSE(results.converged);
    EXPECT_EQ(results.inputs, "0123456789abcDEF");
    EXPECT_EQ(results.loadFactor, 0.625);
    EXPECT_EQ(results.displacements[3], (Point{-5.7e-05, -5.4e-05, 0.00017}));
    EXPECT_EQ(results.axialForces, (std::vector<double>{58.8, -69.2, 62.0, 0}));
    EXPECT_EQ(results.reactions[3], (Point{})) << "node 4 has no support";
    EXPECT_EQ(results.reactions[4], (Point{0.005, 0.005, 243.1}));
    EXPECT_FALSE(readResults(resultsText(3, ""), tripod).inputs) << "a file without the line";
}

struct RefusedLine {
    const char* what;
    std::size_t line; // replaced, and where the reader stops
    const char* by;   // "" leaves the line out
    Message reason;
};

// Each row's damage refused by `read`, which gets the text with the row's line replaced.
template <typename Read>
void expectRefused(const std::vector<RefusedLine>& rows, const Read& read) {
    for (const RefusedLine& row : rows) {
        try {
            read(row);
            ADD_FAILURE() << row.what << ": accepted";
        } catch (const InputError& error) {
            EXPECT_EQ(error.line(), static_cast<int>(row.line)) << row.what;
            EXPECT_EQ(error.problem().reason, row.reason) << row.what;
        }
    }
}

TEST(ResultsFile, RefusesADamagedLineNamingIt) {
    const std::vector<RefusedLine> rows{
        {"no case line", 1, "results 2", Message::ResultsLineExpected},
        {"case not a number", 1, "case two", Message::NotAnInteger},
        {"case out of range", 1, "case 100", Message::ResultsLineExpected},
        {"converged neither yes nor no", 2, "converged maybe", Message::ResultsLineExpected},
        {"inputs too short", 3, "inputs 0123abc", Message::InputsNotHexadecimal},
        {"inputs not hexadecimal", 3, "inputs 0123456789abcdeg", Message::InputsNotHexadecimal},
        {"load factor not a number", 4, "load factor high", Message::NotANumber},
        {"load without factor", 4, "load 0.625", Message::FieldCount},
        {"node left out", 6, "", Message::ResultsLineExpected},
        {"nodes out of order", 6, "node 3 0 0 0", Message::ResultsLineExpected},
        {"node short of a value", 8, "node 4 0 0", Message::FieldCount},
        {"displacement not finite", 8, "node 4 0 nan 0", Message::NotANumber},
        {"member force a word", 12, "member 3 slack", Message::NotANumber},
        {"member instead of a node", 9, "member 1 58.8", Message::ResultsLineExpected},
        {"reaction of a free node", 16, "reaction 4 0 0 0", Message::ResultsLineExpected},
        {"unknown line", 4, "iterations 31", Message::ResultsLineExpected},
    };
    expectRefused(
        rows, [](const RefusedLine& row) { readResults(resultsText(row.line, row.by), tripod); });
}

const std::vector<std::string> path{
    "case 2",  "inputs 0123456789abcdef",
    "nodes 5", "state 0.5",
    "0 0 0",   "0 0 0",
    "0 0 0",   "-2.8e-05 -2.7e-05 8.5e-05",
    "0 0 0",   "state 0.5 snap-through",
    "0 0 0",   "0 0 0",
    "0 0 0",   "-5.7e-05 -5.4e-05 0.00017",
    "0 0 0",   "end stopped at bifurcation",
};

std::string pathText(std::size_t replaced = 0, const std::string& by = "") {
    return joined(path, replaced, by);
}

const ResultsOrigin origin{2, "0123456789ABCDEF"};

TEST(PathFile, ReadsEachStateWithHowItWasReachedAndHowThePathEnded) {
    const CasePath read = readPath(pathText(), tripod, origin);
    ASSERT_EQ(read.states.size(), 2u);
    EXPECT_EQ(read.states[0].passed, CriticalPoint::None);
    EXPECT_EQ(read.states[1].passed, CriticalPoint::LimitPoint);
    EXPECT_EQ(read.states[1].displacements[3], (Point{-5.7e-05, -5.4e-05, 0.00017}));
    EXPECT_FALSE(read.converged);
    EXPECT_EQ(read.stoppedAt, CriticalPoint::Bifurcation);
}

TEST(PathFile, RefusesADamagedLineNamingIt) {
    const std::vector<RefusedLine> rows{
        {"no case line", 1, "path 2", Message::ResultsLineExpected},
        {"the path of another case", 1, "case 3", Message::ResultsLineExpected},
        {"the path of other load cases", 2, "inputs 1123456789abcdef",
         Message::ResultsOfOtherLoads},
        {"no inputs line", 2, "", Message::ResultsOfOtherLoads},
        {"the path of a model with more nodes", 3, "nodes 6", Message::ResultsLineExpected},
        {"load factor not a number", 4, "state half", Message::NotANumber},
        {"a state reached in an unknown way", 10, "state 0.5 jumped", Message::ResultsLineExpected},
        {"displacement short of a value", 8, "-2.8e-05 -2.7e-05", Message::ResultsLineExpected},
        {"displacement not finite", 8, "0 inf 0", Message::NotANumber},
        {"a node left out", 9, "", Message::ResultsLineExpected},
        {"cut after a state", 16, "", Message::ResultsLineExpected},
        {"an ending not known", 16, "end finished", Message::ResultsLineExpected},
        {"unknown line", 16, "iterations 31", Message::ResultsLineExpected},
    };
    expectRefused(
        rows, [](const RefusedLine& row) { readPath(pathText(row.line, row.by), tripod, origin); });
}

Solution endedAs(SolutionStatus status, CriticalPoint stoppedAt = CriticalPoint::None) {
    Solution solution;
    solution.status = status;
    solution.criticalPoint = stoppedAt;
    return solution;
}

// Written a state at a time and read back, each value as it was when it carries no more
// than the file's 7 digits: every ending, the largest and smallest numbers, the highest case.
TEST(PathFile, ReadsBackEveryStateAsWritten) {
    const double most = 1.797693e308;
    const double least = 4.940656e-324; // the smallest number there is
    const std::vector<Point> still(5);
    const std::vector<Point> extremes{
        {most, -most, least}, {-least, -0.0, 1}, {2.225074e-308, 0.1234567, -3e-7}, {}, {}};
    const struct {
        int loadCase;
        std::vector<PathState> states;
        Solution solution;
    } rows[] = {
        {0,
         {{0.5, CriticalPoint::None, still}, {1, CriticalPoint::None, extremes}},
         endedAs(SolutionStatus::Converged)},
        {7, {{least, CriticalPoint::None, extremes}}, endedAs(SolutionStatus::NotConverged)},
        {handoff::highestCaseNumber,
         {{0.25, CriticalPoint::None, still}, {0.25, CriticalPoint::LimitPoint, extremes}},
         endedAs(SolutionStatus::NotConverged, CriticalPoint::LimitPoint)},
        {3, {}, endedAs(SolutionStatus::NotConverged, CriticalPoint::Bifurcation)},
    };
    for (const auto& [loadCase, states, solution] : rows) {
        std::string text = pathHead(loadCase, 5, "0123456789abcdef");
        for (const PathState& state : states)
            text += pathStateText(state);
        const CasePath read =
            readPath(text + pathEnd(solution), tripod, {loadCase, "0123456789abcdef"});
        EXPECT_EQ(read.loadCase, loadCase);
        EXPECT_EQ(read.converged, solution.status == SolutionStatus::Converged) << loadCase;
        EXPECT_EQ(read.stoppedAt, solution.criticalPoint) << loadCase;
        ASSERT_EQ(read.states.size(), states.size()) << loadCase;
        for (std::size_t k = 0; k < states.size(); ++k) {
            EXPECT_EQ(read.states[k].loadFactor, states[k].loadFactor) << loadCase;
            EXPECT_EQ(read.states[k].passed, states[k].passed) << loadCase;
            EXPECT_EQ(read.states[k].displacements, states[k].displacements) << loadCase;
        }
    }
}

TEST(ResultsFile, RefusesATruncatedFileAtItsEndAndALineAfterIt) {
    const std::string truncated = resultsText().substr(0, resultsText().find("member 3"));
    const std::string longer = resultsText() + "reaction 5 0 0 0\r\n";
    for (const auto& [text, line, reason] :
         {std::tuple{truncated, 12, Message::ResultsLineExpected},
          std::tuple{longer, 18, Message::LineAfterEnd}}) {
        try {
            readResults(text, tripod);
            ADD_FAILURE() << "accepted";
        } catch (const InputError& error) {
            EXPECT_EQ(error.line(), line);
            EXPECT_EQ(describe(Language::English, "2.res", error.line(), error.problem()),
                      reason == Message::LineAfterEnd
                          ? "2.res, line 18: a line after the end of the data"
                          : "2.res, line 12: a line \"member 3 N\" expected");
        }
    }
}

} // namespace
} // namespace ombrix
