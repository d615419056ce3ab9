// What the engineer reads: the texts in both languages, the reports by list type, and the
// results file that the other programs read back.

#include "folder_storage.h"
#include "geometry.h"
#include "handoff/handoff.h"
#include "loading.h"
#include "numbers.h"
#include "reports.h"
#include "results_file.h"
#include "test_names.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

namespace ombrix {
namespace {

int placeholders(const std::string& text) {
    int count = 0;
    for (std::size_t at = text.find("{}"); at != std::string::npos; at = text.find("{}", at + 2))
        ++count;
    return count;
}

TEST(Messages, AreGivenInBothLanguagesWithTheSameValues) {
    for (int k = 0; k <= static_cast<int>(Message::ErrorMark); ++k) {
        const std::string english = say(Language::English, static_cast<Message>(k));
        const std::string romanian = say(Language::Romanian, static_cast<Message>(k));
        EXPECT_FALSE(english.empty()) << k;
        EXPECT_EQ(placeholders(english), placeholders(romanian)) << english << " / " << romanian;
        for (char c : romanian)
            EXPECT_LT(static_cast<unsigned char>(c), 128) << romanian; // plain ASCII
    }
    EXPECT_EQ(say(Language::English, Message::AtLine, {"a.dat", "7", "why"}), "a.dat, line 7: why");
}

TEST(Messages, FollowTheNamesThatTheShellPasses) {
    EXPECT_EQ(languageNamed("Romanian"), Language::Romanian);
    EXPECT_EQ(languageNamed("English             "), Language::English);
    EXPECT_EQ(languageNamed(""), Language::English);
    EXPECT_EQ(listTypeNamed("Complete"), ListType::Complete);
    EXPECT_EQ(listTypeNamed("Short"), ListType::Short);
}

const char* const frame = "Frame\n3 3\n1 0 0 0 1 1 1\n2 1 0 0 0 0 1\n3 0 1 0 1 0 1\n"
                          "1 1 2 B 1000 0\n2 2 3 C 1000 5\n3 1 3 C 1000 0 1.5\n";

Solution someSolution(SolutionStatus status, CriticalPoint point = CriticalPoint::None) {
    Solution solution;
    solution.status = status;
    solution.loadFactor = status == SolutionStatus::Converged ? 1 : 0.375;
    solution.steps = 4;
    solution.iterations = 11;
    solution.criticalPoint = point;
    solution.criticalLoadFactor = status == SolutionStatus::Converged ? 0.8125 : 0.375;
    solution.tolerance = 1e-9;
    solution.displacements = {{0, 0, 0}, {0.25, -0.5, 0}, {0, 0.125, 0}};
    solution.axialForces = {-12.5, 0, 7.25};
    solution.reactions = {{1.5, -2, 0}, {0, 0, 0}, {-1.5, 0, 0}};
    return solution;
}

struct Report {
    const char* name;
    std::function<std::string()> write;
    std::vector<std::string> present;
    std::vector<std::string> absent;
};

const Report reports[] = {
    {"short structure",
     [] { return structureReport(readGeometry(frame), "f.dat", {}); },
     {"Geometry file: f.dat\r\nFrame\r\n", "Member law: engineering strain (E)",
      "members: 3 (1 bars, 2 cables)", "Restrained directions: 6   free unknowns: 3",
      "Initial forces from 0 to 5", "Unstressed lengths (to cut): bars 1   cables 2.907177674"},
     {"Nodes\r\n", "Members\r\n"}},
    {"complete structure in Romanian",
     [] {
         return structureReport(readGeometry(frame), "f.dat",
                                {Language::Romanian, ListType::Complete});
     },
     {"Fisierul de geometrie: f.dat", "\r\nNoduri\r\n", "\r\nBare\r\n", "cablu", "1.5\r\n"},
     {"Geometry"}},
    {"converged case",
     [] {
         return caseReport(readGeometry(frame), readCase("1 1 0\n2 1 0 0\n", 1),
                           someSolution(SolutionStatus::Converged), {});
     },
     {"Load case 1", "Converged: load steps 4, iterations 11",
      "Largest displacement: 0.559016994375 at node 2", "Largest tension: 7.25 in member 3",
      "Largest compression: -12.5 in member 1", "Slack cables: 1",
      "Elongation from the unstressed length: from -0.375 in member 3 to 0.642974759354 in "
      "member 2",
      "Sum of loads: 1 0 0   sum of reactions: 0 -2 0"},
     {"Snap-through", "Displacements"}},
    {"snap-through, complete",
     [] {
         return caseReport(readGeometry(frame), readCase("1 1 0\n2 1 0 0\n", 1),
                           someSolution(SolutionStatus::Converged, CriticalPoint::LimitPoint),
                           {Language::English, ListType::Complete});
     },
     {"limit point at load factor 0.8125", "Displacements", "Reactions",
      "length          elongation\r\n",
      "       2               slack       2.05015243336      0.642974759354\r\n"},
     {}},
    {"case not converged",
     [] {
         return caseReport(readGeometry(frame), readCase("1 1 0\n2 1 0 0\n", 1),
                           someSolution(SolutionStatus::NotConverged), {});
     },
     {"Not converged: the results below are for load factor 0.375", "Sum of loads: 0.375 0 0"},
     {"Converged:"}},
    {"bifurcation",
     [] {
         return caseReport(readGeometry(frame), readCase("1 1 0\n2 1 0 0\n", 1),
                           someSolution(SolutionStatus::Converged, CriticalPoint::Bifurcation), {});
     },
     {"Bifurcation: the structure left its path at load factor 0.8125"},
     {"Snap-through"}},
    {"no stable state beyond a bifurcation",
     [] {
         return caseReport(readGeometry(frame), readCase("1 1 0\n2 1 0 0\n", 1),
                           someSolution(SolutionStatus::NotConverged, CriticalPoint::Bifurcation),
                           {});
     },
     {"Not converged", "unstable at load factor 0.37500000, at a bifurcation; no stable state"},
     {"Bifurcation:"}},
    {"mechanism after a snap-through claims no stable state",
     [] {
         Solution solution = someSolution(SolutionStatus::Mechanism, CriticalPoint::LimitPoint);
         solution.criticalLoadFactor = 0.123456789012;
         return caseReport(readGeometry(frame), readCase("1 1 0\n2 1 0 0\n", 1), solution, {});
     },
     {"limit point at load factor 0.12345679, and the structure snapped through"},
     {"far stable", "0.123456789"}},
    {"equal forces name the lower member",
     [] {
         Solution solution = someSolution(SolutionStatus::Converged);
         solution.axialForces = {7.25, -3, 7.25};
         return caseReport(readGeometry(frame), readCase("1 1 0\n2 1 0 0\n", 1), solution, {});
     },
     {"Largest tension: 7.25 in member 1"},
     {}},
    {"forces from the balance of the nodes, with their accuracy",
     [] {
         Solution solution = someSolution(SolutionStatus::Converged);
         solution.forcesFromBalance = {{0, 2.5e-8}, {2, 1e-7}};
         return caseReport(readGeometry(frame), readCase("1 1 0\n2 1 0 0\n", 1), solution, {});
     },
     {"from the elongation: member 1 (to within 2.5e-08), member 3 (to within 1e-07)\r\n"},
     {}},
    {"rounding noise shown as zero",
     [] {
         Solution solution = someSolution(SolutionStatus::Converged);
         solution.axialForces[0] = -1.1e-10;
         solution.reactions[0][1] = 3e-11;
         return caseReport(readGeometry(frame), readCase("1 1 0\n2 1 0 0\n", 1), solution,
                           {Language::English, ListType::Complete});
     },
     {"sum of reactions: 0 0 0", "\r\n       1                   0       1.34629120178"},
     {"Largest compression", "e-1"}},
};

class Reports : public testing::TestWithParam<Report> {};

TEST_P(Reports, SayWhatTheyShould) {
    const std::string text = GetParam().write();
    for (const std::string& part : GetParam().present)
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    for (const std::string& part : GetParam().absent)
        EXPECT_EQ(text.find(part), std::string::npos) << part << "\n" << text;
}

INSTANTIATE_TEST_SUITE_P(Output, Reports, testing::ValuesIn(reports), rowName<Report>);

TEST(Results, ListNodesMembersAndTheReactionsOfRestrainedNodes) {
    EXPECT_EQ(
        resultsText(caseResults(3, someSolution(SolutionStatus::NotConverged), "00000000000000ff"),
                    heldNodes(readGeometry(frame))),
        "case 3\r\nconverged no\r\ninputs 00000000000000ff\r\nload factor 0.375\r\n"
        "node 1 0 0 0\r\nnode 2 0.25 -0.5 0\r\nnode 3 0 0.125 0\r\n"
        "member 1 -12.5\r\nmember 2 0\r\nmember 3 7.25\r\n"
        "reaction 1 1.5 -2 0\r\nreaction 2 0 0 0\r\nreaction 3 -1.5 0 0\r\n");
}

// Through a file and back, each value as it was: a case that did not converge with its load
// factor, a slack cable, and the largest and smallest numbers, the highest case.
class WrittenResults : public InstallationTest {};

TEST_F(WrittenResults, ReadBackEveryValueAsItWas) {
    const double most = std::numeric_limits<double>::max();
    const double least = std::numeric_limits<double>::denorm_min();
    Solution stopped = someSolution(SolutionStatus::NotConverged);
    stopped.loadFactor = 1.0 / 3;
    Solution extremes = stopped;
    extremes.loadFactor = least;
    extremes.displacements = {{most, -most, least}, {-least, -0.0, 1}, {0, most, -least}};
    extremes.axialForces = {-most, 0, least};
    extremes.reactions = {{least, most, -most}, {0, -least, 0}, {most, 0, least}};
    const struct {
        int loadCase;
        Solution solution;
        bool converged;
        std::optional<double> loadFactor;
    } rows[] = {{0, someSolution(SolutionStatus::Converged), true, std::nullopt},
                {7, stopped, false, 1.0 / 3},
                {handoff::highestCaseNumber, extremes, false, least}};
    const Model model = readGeometry(frame);
    for (const auto& [loadCase, solution, converged, loadFactor] : rows) {
        const std::string file = handoff::resultFileName(loadCase);
        storage_.replace(file, resultsText(caseResults(loadCase, solution, "0123456789abcdef"),
                                           heldNodes(model)));
        const CaseResults read = readResults(storage_.read(file).value(), model,
                                             ResultsOrigin{loadCase, "0123456789ABCDEF"});
        EXPECT_EQ(read.converged, converged) << file;
        EXPECT_EQ(read.loadFactor, loadFactor) << file;
        EXPECT_EQ(read.displacements, solution.displacements) << file;
        EXPECT_EQ(read.axialForces, solution.axialForces) << file;
        EXPECT_EQ(read.reactions, solution.reactions) << file;
    }
}

// Each number in the fewest digits that read back as the same value (the sign of zero too),
// never longer than the 17 digits of "%.17g", and without an exponent where that has none.
TEST(Results, WriteEachNumberInTheFewestDigitsThatReadBackExactly) {
    const std::pair<double, const char*> numbers[] = {
        {0.1, "0.1"},          {1.0 / 3, "0.3333333333333333"},
        {1e-300, "1e-300"},    {5e-324, "5e-324"},
        {-0.0, "-0"},          {123456789012345678, "1.2345678901234568e+17"},
        {1e6, "1000000"},      {1e-5, "1e-05"},
        {-2.5e-4, "-0.00025"}, {1e16, "10000000000000000"},
    };
    for (const auto& [value, text] : numbers) {
        const std::string written = exactNumber(value);
        EXPECT_EQ(written, text);
        const double back = std::strtod(written.c_str(), nullptr);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(value)) << text;
        std::array<char, 32> longest{};
        std::snprintf(longest.data(), longest.size(), "%.17g", value);
        EXPECT_LE(written.size(), std::string(longest.data()).size()) << longest.data();
    }
}

} // namespace
} // namespace ombrix
