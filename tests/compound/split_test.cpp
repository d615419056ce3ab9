// A compound solved through Prepare, Forces and Solve, its results split into its parts:
// two tripods, the second turned a quarter about z so that two of its supports fall on the
// first's. Held supports make the join change neither tripod's statics, so each part's
// results must be those of the tripod solved alone under its load in its own axes.

#include "compound_files.h"
#include "folder_storage.h"
#include "runs.h"
#include "test_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <regex>

namespace ombrix {
namespace {

const char* const tripod =
    "Tripod\r\n4 3\r\n1 0 0 0 1 1 1\r\n2 2 0 0 1 1 1\r\n3 0 2 0 1 1 1\r\n"
    "4 0.7 0.6 1.5 0 0 0\r\n1 1 4 B 1e6 0\r\n2 2 4 B 1e6 0\r\n3 3 4 B 1e6 0\r\n";
// The tripod's loads in its own axes: case 1 on the first part, case 2 on the second.
const char* const aloneLoads = "Alone\r\n2\r\n0\r\n1 1 0\r\n4 0 0 -10\r\n2 1 0\r\n4 5 0 -10\r\n";
// The second part's apex is the compound's node 6; its load turned as the part is.
const char* const pairLoads = "Pair\r\n1\r\n0\r\n1 2 0\r\n4 0 0 -10\r\n6 0 5 -10\r\n";
const Placement turned{{2, 0, 0}, 90};

class Split : public InstallationTest {
  protected:
    void SetUp() override {
        InstallationTest::SetUp();
        write("../Dat/tripod.dat", tripod);
        write("../Dat/tripod.inc", aloneLoads);
        write("../Dat/pair.inc", pairLoads);
    }

    void write(const std::string& path, const std::string& text) {
        ASSERT_TRUE(storage_.replace(path, text));
    }
    SolvedAnalysis solve(const std::string& name, const std::vector<std::string>& cases) {
        const std::string base = "../Dat/" + name;
        EXPECT_EQ(
            prepareAnalysis(storage_, {base + ".dat", base + ".rez", "Short", "English"}).exitCode,
            0);
        EXPECT_EQ(prepareLoads(storage_, base + ".inc").exitCode, 0);
        EXPECT_EQ(solveLoadCases(storage_, cases).exitCode, 0);
        return openSolvedAnalysis(storage_);
    }
    void saveCompound(const std::vector<Part>& parts) {
        const CompoundTexts texts = compoundTexts(joinParts(parts, 1e-6));
        write("../Dat/pair.dat", texts.geometry);
        write("../Dat/pair.map", texts.map);
    }
};

// What the call refused, or nothing when it did not.
template <typename Call> std::string refusalOf(Call call) {
    try {
        call();
    } catch (const std::runtime_error& refused) {
        return refused.what();
    }
    return "";
}

void expectNear(const Point& value, const Point& expected) {
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_NEAR(value[axis], expected[axis], 1e-7 * (1 + std::abs(expected[axis])));
}

TEST_F(Split, EachPartHasItsResultsAloneInItsOwnAxes) {
    const SolvedAnalysis aloneAnalysis = solve("tripod", {"1", "2"});
    const std::vector<CaseResults> alone{readCaseResults(storage_, aloneAnalysis, 1),
                                         readCaseResults(storage_, aloneAnalysis, 2)};
    saveCompound({readPart(storage_, "../Dat/tripod.dat", {}),
                  readPart(storage_, "../Dat/tripod.dat", turned)});
    const SolvedAnalysis pair = solve("pair", {"1"});
    const std::vector<PartResults> parts = splitSolvedAnalysis(storage_, pair, "../Dat/pair.map");

    ASSERT_EQ(parts.size(), 2U);
    for (std::size_t k = 0; k < 2; ++k) {
        const CaseResults& split = parts[k].cases.at(0).results;
        ASSERT_EQ(split.displacements.size(), 4U);
        for (std::size_t n = 0; n < 4; ++n)
            expectNear(split.displacements[n], alone[k].displacements[n]);
        for (std::size_t m = 0; m < 3; ++m)
            EXPECT_NEAR(split.axialForces[m], alone[k].axialForces[m], 1e-6);
        EXPECT_EQ(parts[k].cases[0].held, (std::vector<bool>{true, true, true, false}));
    }
    expectNear(parts[0].cases[0].results.reactions[2], alone[0].reactions[2]);
    expectNear(parts[1].cases[0].results.reactions[1], alone[1].reactions[1]);
    // Node 1 of the first part is node 3 of the second: held, it carries both parts' reactions.
    const Point second = rotated(alone[1].reactions[2], turned.rotation);
    expectNear(parts[0].cases[0].results.reactions[0],
               {alone[0].reactions[0][0] + second[0], alone[0].reactions[0][1] + second[1],
                alone[0].reactions[0][2] + second[2]});

    EXPECT_EQ(writePartFiles(storage_, pair.analysis, parts),
              (std::vector<std::string>{*storage_.fullPath("../Dat/pair.1.tripod.txt"),
                                        *storage_.fullPath("../Dat/pair.2.tripod.txt")}));
    EXPECT_TRUE(
        storage_.read("../Dat/pair.2.tripod.txt")
            ->starts_with(
                "part 2 ../Dat/tripod.dat\r\nplacement 2 0 0 90\r\ncase 1\r\nconverged yes\r\n"));
}

TEST_F(Split, RefusesTheMapOfAnotherStructure) {
    saveCompound({readPart(storage_, "../Dat/tripod.dat", {}),
                  readPart(storage_, "../Dat/tripod.dat", turned)});
    const SolvedAnalysis solved = solve("pair", {"1"});
    saveCompound({readPart(storage_, "../Dat/tripod.dat", {})});
    std::string message = "(taken)";
    try {
        splitSolvedAnalysis(storage_, solved, "../Dat/pair.map");
    } catch (const FileRefused& refused) {
        message = refused.what();
    }
    EXPECT_EQ(message, "../Dat/pair.map, line 2: the map is of another structure: 4 nodes and 3 "
                       "members, the prepared model has 6 and 6");
}

// A change after the pair is solved, and CompoundPost's refusal ("{geometry}": the analysis's).
struct ChangeRow {
    std::string name;
    std::function<void(Storage&)> change;
    std::string refusal;
};

class ChangesAfterJoining : public Split, public testing::WithParamInterface<ChangeRow> {};

TEST_P(ChangesAfterJoining, LeaveAMapThatNoLongerBelongsRefused) {
    saveCompound({readPart(storage_, "../Dat/tripod.dat", {}),
                  readPart(storage_, "../Dat/tripod.dat", turned)});
    const SolvedAnalysis solved = solve("pair", {"1"});
    GetParam().change(storage_);
    const std::string message = refusalOf(
        [&] { EXPECT_EQ(splitSolvedAnalysis(storage_, solved, "../Dat/pair.map").size(), 2U); });
    std::string refusal = GetParam().refusal;
    if (const std::size_t at = refusal.find("{geometry}"); at != std::string::npos)
        refusal.replace(at, 10, solved.analysis.geometryFile);
    EXPECT_EQ(message, refusal);
}

// The same tripod placed elsewhere, with as many nodes merged: a map of the same counts.
void writeOtherMap(Storage& storage) {
    const Part part = readPart(storage, "../Dat/tripod.dat", {});
    const Part elsewhere{part.file, {{0, 2, 0}, -90}, part.model, part.source};
    storage.replace("../Dat/pair.map", compoundTexts(joinParts({part, elsewhere}, 1e-6)).map);
}

INSTANTIATE_TEST_SUITE_P(
    Compound, ChangesAfterJoining,
    testing::Values(
        ChangeRow{"the map of another placement", writeOtherMap,
                  "../Dat/pair.map was not saved with {geometry} as it now stands: choose the "
                  "map saved with it, or join the parts again"},
        ChangeRow{"a map written before the marks",
                  [](Storage& storage) {
                      const std::regex marks("\n(compound|source) [^\r]*\r");
                      storage.replace(
                          "../Dat/pair.map",
                          std::regex_replace(*storage.read("../Dat/pair.map"), marks, ""));
                  },
                  ""}),
    rowName<ChangeRow>);

// One of the pair cannot be written (a folder stands in its place): both stay as they were.
class SavingThePair : public InstallationTest,
                      public testing::WithParamInterface<std::pair<std::string, std::string>> {};

TEST_P(SavingThePair, LeavesBothAsTheyWereWhenEitherCannotBeWritten) {
    const auto& [blocked, other] = GetParam();
    ASSERT_TRUE(storage_.makeFolder("../Dat/" + blocked + "/inside"));
    ASSERT_TRUE(storage_.replace("../Dat/" + other, "as it was"));
    const std::string message = refusalOf([&] {
        saveCompound(storage_, "../Dat/pair.dat", {"new geometry", "new map"});
    });
    EXPECT_EQ(message, "../Dat/" + blocked +
                           ": the file cannot be written\nNothing was saved: ../Dat/" + other +
                           " is as it was.");
    EXPECT_EQ(storage_.read("../Dat/" + other), "as it was");
}

INSTANTIATE_TEST_SUITE_P(Compound, SavingThePair,
                         testing::Values(std::pair{"pair.map", "pair.dat"},
                                         std::pair{"pair.dat", "pair.map"}));

} // namespace
} // namespace ombrix
