// The results and path files as Solve leaves them, the lines their readers refuse, the peaks that
// PeakFinder tabulates and its table, and the graph programs' command lines.

#include "geometry.h"
#include "input_error.h"
#include "peak_table.h"
#include "viewer_arguments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace ombrix {
namespace {

const Model tripod = readGeometry("Tripod\n5 4\n"
                                  "1 0 0 0 1 1 1\n2 2 0 0 1 1 1\n3 0 2 0 1 1 1\n"
                                  "4 0.7 0.6 1.5 0 0 0\n5 0.7 0.6 4.0 1 1 1\n"
                                  "1 1 4 B 1e6 0\n2 2 4 B 1e6 0\n3 3 4 B 1e6 0\n"
                                  "4 4 5 C 1e5 250\n");

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

TEST(Peaks, EachCaseAndTheEnvelopeWithTheirNodesMembersAndCases) {
    CaseResults first = readResults(resultsText(), tripod);
    CaseResults second = first;
    second.loadCase = 3;
    second.converged = true;
    second.displacements[3] = {0, 0.003, -0.004};
    second.axialForces = {80, -10, -95, 12};
    const CasePeaks a = peaksOf(tripod, first), b = peaksOf(tripod, second);
    EXPECT_EQ(a.displacement.item, 4);
    EXPECT_EQ(a.displacement.components, first.displacements[3]);
    EXPECT_EQ(a.tension.item, 3) << "62.0 in member 3";
    EXPECT_EQ(a.compression.value, -69.2);
    EXPECT_EQ(a.reaction.item, 5);
    EXPECT_EQ(a.slackCables.value, 1) << "the cable at 0";
    EXPECT_EQ(b.slackCables.value, 0);

    const CasePeaks envelope = envelopeOf({a, b});
    EXPECT_FALSE(envelope.converged) << "case 2 did not converge";
    EXPECT_DOUBLE_EQ(envelope.displacement.value, 0.005);
    EXPECT_EQ(envelope.displacement.loadCase, 3);
    EXPECT_EQ(envelope.tension.value, 80);
    EXPECT_EQ(envelope.compression.item, 3);
    EXPECT_EQ(envelope.compression.loadCase, 3);
    EXPECT_EQ(envelope.reaction.loadCase, 2) << "the first case wins a tie";
    EXPECT_EQ(envelope.slackCables.loadCase, 2);
    EXPECT_FALSE(envelopeOf({}).tension.found);
}

TEST(PeakTable, ARowPerCaseThenTheEnvelopeNamingTheCaseOfEachPeak) {
    CaseResults second = readResults(resultsText(), tripod);
    second.loadCase = 3;
    second.converged = true;
    second.axialForces = {80, 10, 95, 12};
    const PeakTable table =
        peakTable({peaksOf(tripod, readResults(resultsText(), tripod)), peaksOf(tripod, second)});
    const std::string columns = "Case,Converged,Largest displacement,at node,ux,uy,uz,Largest "
                                "tension,in member,Largest compression,in member,Largest "
                                "reaction,at node,Slack cables\r\n";
    const std::string third = "3,yes,0.000187257,4,-5.7e-05,-5.4e-05,0.00017,95,3,,,243.1,5,0\r\n";
    EXPECT_EQ(csvText(table),
              columns +
                  "2,no (at load factor 0.625),0.000187257,4,-5.7e-05,-5.4e-05,0.00017,62,3,"
                  "-69.2,2,243.1,5,1\r\n" +
                  third +
                  "Envelope,no,0.000187257,4 (case 2),-5.7e-05,-5.4e-05,0.00017,95,3 (case "
                  "3),-69.2,2 (case 2),243.1,5 (case 2),1 (case 2)\r\n");
    std::string chosen = columns + third;
    std::replace(chosen.begin(), chosen.end(), ',', '\t');
    EXPECT_EQ(tabText(table, {1}), chosen) << "only the case chosen";
}

struct CommandLine {
    const char* line;
    const char* subject;
    const char* picture;
};

TEST(ViewerArguments, TakeTheWholeNameQuotedOrNotAndThePictureSwitch) {
    const CommandLine rows[] = {
        {"Glance.exe C:\\Dat\\Bridge.dat", "C:\\Dat\\Bridge.dat", ""},
        {"\"C:\\Ombrix\\Exe\\Glance 20.exe\" \"..\\Dat\\Cable Net.dat\"", "..\\Dat\\Cable Net.dat",
         ""},
        {"Glance ..\\Dat\\Cable Net.dat  ", "..\\Dat\\Cable Net.dat", ""},
        {"Glance \"a b.dat\" /png \"c d.png\"", "a b.dat", "c d.png"},
        {"Glance a b.dat /PNG c d.png", "a b.dat", "c d.png"},
        {"Glance \"x /png y.dat\"", "x /png y.dat", ""},
        {"Glance C:\\my/pngs\\a.dat", "C:\\my/pngs\\a.dat", ""},
        {"Plotter \t", "", ""},
        {"Glance", "", ""},
    };
    for (const CommandLine& row : rows) {
        const ViewerArguments arguments = viewerArguments(row.line, "/png");
        EXPECT_EQ(arguments.subject, row.subject) << row.line;
        EXPECT_EQ(arguments.output, row.picture) << row.line;
    }
    EXPECT_EQ(viewerArguments("PeakFinder \t /csv \"a b.csv\"", "/csv").output, "a b.csv");
}

} // namespace
} // namespace ombrix
