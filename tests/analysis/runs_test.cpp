// Prepare, Forces and Solve on a folder of this machine: what they leave, and that a step
// never goes on with what a refused or older step left.

#include "folder_storage.h"
#include "handoff/handoff.h"
#include "handoff/records.h"
#include "runs.h"
#include "test_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <regex>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

const char* const tripod =
    "Tripod\r\n4 3\r\n1 0 0 0 1 1 1\r\n2 2 0 0 1 1 1\r\n3 0 2 0 1 1 1\r\n"
    "4 0.7 0.6 1.5 0 0 0\r\n1 1 4 B 1e6 0\r\n2 2 4 B 1e6 0\r\n3 3 4 B 1e6 0\r\n";
const char* const loads =
    "Loads\r\n2\r\n1\r\n0 1 0\r\n4 0 0 -10\r\n1 1 2\r\n4 5 0 0\r\n2 1 0\r\n4 0 5 0\r\n";

// An installation's Exe folder as the current folder, an analysis beside it.
class AnalysisRuns : public InstallationTest {
  protected:
    void SetUp() override {
        InstallationTest::SetUp();
        write("../Dat/tripod.dat", tripod);
        write("../Dat/tripod.inc", loads);
    }

    void write(const std::string& path, const std::string& text) {
        ASSERT_TRUE(storage_.replace(path, text));
    }
    std::string read(const std::string& path) { return storage_.read(path).value_or("(none)"); }

    RunOutcome prepare(const std::string& geometry = "../Dat/tripod.dat",
                       const char* language = "English") {
        return prepareAnalysis(storage_, {geometry, "../Dat/tripod.rez", "Complete", language});
    }
};

TEST_F(AnalysisRuns, PrepareForcesAndSolveLeaveTheirFiles) {
    ASSERT_EQ(prepare().exitCode, 0);
    const std::string work =
        (fs::current_path().parent_path() / "Dat" / "tripod.dat.work").string();
    EXPECT_EQ(read("work_dir.dat"), work + "\r\n");
    EXPECT_TRUE(read(work + "/Comomb.dat").ends_with("\r\nComplete\r\nEnglish\r\n"));
    EXPECT_TRUE(read(work + "/Model.dat").starts_with("Tripod\r\n4 3 E\r\n"));

    ASSERT_EQ(prepareLoads(storage_, "../Dat/tripod.inc").exitCode, 0);
    EXPECT_EQ(read(work + "/0.unf"), "0 1 0\r\n4 0 0 -10\r\n");
    EXPECT_EQ(read(work + "/1.unf"), "1 1 2\r\n4 5 0 0\r\n");

    ASSERT_EQ(solveLoadCases(storage_, {"0", "2"}).exitCode, 0);
    const std::string record = read(work + "/Forces.rec");
    EXPECT_TRUE(read(work + "/0.res")
                    .starts_with("case 0\r\nconverged yes\r\ninputs " +
                                 handoff::digestText(handoff::digestOf(record)) +
                                 "\r\nnode 1 0 0 0\r\n"));
    EXPECT_NE(read(work + "/2.res").find("\r\nmember 3 "), std::string::npos);
    const std::string path = read(work + "/0.pth");
    EXPECT_TRUE(path.starts_with("case 0\r\ninputs " +
                                 handoff::digestText(handoff::digestOf(record)) +
                                 "\r\nnodes 4\r\nstate 1\r\n0 0 0\r\n"))
        << path;
    EXPECT_TRUE(path.ends_with("\r\nend converged\r\n"));
    const std::string output = read("../Dat/tripod.rez");
    for (const char* part : {"Members", "Loading file:", "Load cases to solve: 0, 2", "Load case 0",
                             "Load case 2", "Reactions", "Load cases reported: 0, 2"})
        EXPECT_NE(output.find(part), std::string::npos) << part;

    ASSERT_EQ(prepareLoads(storage_, "../Dat/tripod.inc").exitCode, 0);
    EXPECT_EQ(read(work + "/0.pth"), "(none)") << "Forces removes the paths with the results";
}

TEST_F(AnalysisRuns, ReportInTheChosenLanguage) {
    ASSERT_EQ(prepare("../Dat/tripod.dat", "Romanian").exitCode, 0);
    ASSERT_EQ(prepareLoads(storage_, "../Dat/tripod.inc").exitCode, 0);
    ASSERT_EQ(solveLoadCases(storage_, {"1"}).exitCode, 0);
    const std::string output = read("../Dat/tripod.rez");
    EXPECT_NE(output.find("Noduri: 4"), std::string::npos);
    EXPECT_NE(output.find("Cazul de incarcare 1"), std::string::npos);
}

struct Refusal {
    const char* name;
    std::function<void(Storage&)> before; // what happened since the analysis was solved
    std::function<RunOutcome(Storage&)> step;
    const char* message;      // part of the message
    bool inOutputFile = true; // false: no output file is known to the step
};

const char* const work = "../Dat/tripod.dat.work/";

RunOutcome prepareFile(Storage& storage, const char* geometry) {
    return prepareAnalysis(storage, {geometry, "../Dat/tripod.rez", "Short", "English"});
}

RunOutcome prepareTripodLoads(Storage& storage) {
    return prepareLoads(storage, "../Dat/tripod.inc");
}

RunOutcome solveEveryCase(Storage& storage) {
    return solveLoadCases(storage, {"0", "1", "2"});
}

void edit(Storage& storage, const std::string& path, const std::string& from,
          const std::string& to) {
    std::string text = storage.read(path).value();
    text.replace(text.find(from), from.size(), to);
    storage.replace(path, text);
}

void writeBadGeometry(Storage& storage) {
    storage.replace("../Dat/bad.dat",
                    "Bad\r\n2 1\r\n1 0 0 0 1 1 1\r\n2 1 0 0 0 0 0\r\n1 1 2 B -5 0\r\n");
}

// A step that refuses, after a whole analysis was prepared, loaded and solved: it says why
// and what to run again, in the output file too unless that file is not the suite's.
class RefusedStep : public AnalysisRuns, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusedStep, SaysWhatToRunAgain) {
    ASSERT_EQ(prepare().exitCode, 0);
    ASSERT_EQ(prepareTripodLoads(storage_).exitCode, 0);
    ASSERT_EQ(solveEveryCase(storage_).exitCode, 0);
    if (GetParam().before)
        GetParam().before(storage_);

    const RunOutcome outcome = GetParam().step(storage_);

    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_NE(outcome.failure.find(GetParam().message), std::string::npos) << outcome.failure;
    const std::string firstLine = outcome.failure.substr(0, outcome.failure.find('\n'));
    EXPECT_EQ(read("../Dat/tripod.rez").find("*** Error: " + firstLine) != std::string::npos,
              GetParam().inOutputFile);
}

const Refusal refusals[] = {
    {"geometry with a bad line", writeBadGeometry,
     [](Storage& s) { return prepareFile(s, "../Dat/bad.dat"); },
     "bad.dat, line 5: member 1: the axial stiffness EA must be positive"},
    {"loads after a refused geometry of another analysis",
     [](Storage& s) {
         writeBadGeometry(s);
         prepareFile(s, "../Dat/bad.dat");
     },
     prepareTripodLoads, "bad.dat is not prepared (INPUT failed or has not run): run INPUT"},
    {"loads after a refused geometry",
     [](Storage& s) {
         edit(s, "../Dat/tripod.dat", "1e6", "1e5x");
         prepareFile(s, "../Dat/tripod.dat");
     },
     prepareTripodLoads, "tripod.dat is not prepared"},
    {"solving after a missing geometry", [](Storage& s) { prepareFile(s, "../Dat/none.dat"); },
     solveEveryCase, "no analysis is prepared: run INPUT first", false},
    {"loading with a bad line",
     [](Storage& s) { s.replace("../Dat/bad.inc", "Bad\r\n1\r\n0\r\n1 1 0\r\n4 0 0 ten\r\n"); },
     [](Storage& s) { return prepareLoads(s, "../Dat/bad.inc"); },
     "bad.inc, line 5: \"ten\" is not a number"},
    {"solving after a refused loading",
     [](Storage& s) {
         edit(s, "../Dat/tripod.inc", "-10", "-1O");
         prepareTripodLoads(s);
     },
     solveEveryCase, "the load cases of this analysis are not prepared"},
    {"loads after the geometry was edited",
     [](Storage& s) { edit(s, "../Dat/tripod.dat", "1e6", "1e5"); }, prepareTripodLoads,
     "tripod.dat has changed since INPUT read it: run INPUT again"},
    {"loads after the prepared model was edited",
     [](Storage& s) { edit(s, std::string(work) + "Model.dat", "Tripod", "Tripot"); },
     prepareTripodLoads, "Model.dat has changed since INPUT read it"},
    {"solving after the loading was edited",
     [](Storage& s) { edit(s, "../Dat/tripod.inc", "-10", "-20"); }, solveEveryCase,
     "tripod.inc has changed since INCARC read it: run INCARC again"},
    {"solving a case file that was edited",
     [](Storage& s) { edit(s, std::string(work) + "1.unf", "5", "6"); },
     [](Storage& s) { return solveLoadCases(s, {"1"}); }, "1.unf has changed since INCARC"},
    {"solving after INPUT ran again", [](Storage& s) { prepareFile(s, "../Dat/tripod.dat"); },
     solveEveryCase, "the load cases of this analysis are not prepared"},
    {"case not prepared",
     {},
     [](Storage& s) { return solveLoadCases(s, {"7"}); },
     "case 7 is not prepared"},
    {"case label that is no case",
     {},
     [](Storage& s) { return solveLoadCases(s, {"x"}); },
     "\"x\" is not a load case"},
};

INSTANTIATE_TEST_SUITE_P(Runs, RefusedStep, testing::ValuesIn(refusals), rowName<Refusal>);

TEST_F(AnalysisRuns, AnOutputFileOfAnotherProgramIsNeverWritten) {
    write("../Dat/notes.txt", "My notes\r\n");
    const RunOutcome outcome =
        prepareAnalysis(storage_, {"../Dat/tripod.dat", "../Dat/notes.txt", "Short", "English"});
    EXPECT_NE(outcome.failure.find("notes.txt: the file exists and is not an output file"),
              std::string::npos);
    EXPECT_EQ(read("../Dat/notes.txt"), "My notes\r\n");
    EXPECT_NE(prepareTripodLoads(storage_).exitCode, 0);
}

// An output file begun by an earlier version, whose heading had no version, is still the
// suite's own: written over, now with the version that wrote it.
TEST_F(AnalysisRuns, AnEarlierVersionsOutputFileIsWrittenOverWithTheVersion) {
    write("../Dat/tripod.rez", "OMBRIX - non-linear static analysis of bar and cable "
                               "structures\r\n\r\nGeometry file: old\r\n");
    ASSERT_EQ(prepare().exitCode, 0);
    const std::string output = read("../Dat/tripod.rez");
    EXPECT_TRUE(std::regex_search(output, std::regex("^OMBRIX - non-linear static analysis of "
                                                     "bar and cable structures, version "
                                                     "[0-9]+\\.[0-9]+\\.[0-9]+\r\n\r\n")))
        << output;
    EXPECT_EQ(output.find("old"), std::string::npos);
}

// Storage whose writes to paths holding `where` fail as `failure` says.
class FailingStorage : public FolderStorage {
  public:
    FailingStorage(std::string where, WriteFailure failure)
        : where_(std::move(where)), failure_(failure) {}
    Written replace(const std::string& path, const std::string& text) override {
        return fails(path) ? Written{failure_} : FolderStorage::replace(path, text);
    }
    Written makeFolder(const std::string& path) override {
        return fails(path) ? Written{failure_} : FolderStorage::makeFolder(path);
    }

  private:
    bool fails(const std::string& path) const { return path.find(where_) != std::string::npos; }
    std::string where_;
    WriteFailure failure_;
};

TEST_F(AnalysisRuns, AFileThatCannotBeWrittenIsNamedWithWhatToDo) {
    const struct {
        const char* where;
        WriteFailure failure;
        const char* message;
    } cases[] = {
        {"tripod.dat.work", WriteFailure::folderNotWritable, "Dat: the folder cannot be written"},
        {"Model.dat", WriteFailure::pathTooLong, "Model.dat: the path is too long for Windows"},
        {"tripod.rez", WriteFailure::inUse, "tripod.rez: the file is open in another program"},
    };
    for (const auto& c : cases) {
        FailingStorage storage(c.where, c.failure);
        const RunOutcome outcome = prepareFile(storage, "../Dat/tripod.dat");
        EXPECT_NE(outcome.failure.find(c.message), std::string::npos) << outcome.failure;
        EXPECT_NE(prepareTripodLoads(storage).exitCode, 0) << c.where;
    }
}

TEST_F(AnalysisRuns, ACancelledSolveKeepsTheCasesSolvedAndSaysWhereItStopped) {
    ASSERT_EQ(prepare().exitCode, 0);
    ASSERT_EQ(prepareTripodLoads(storage_).exitCode, 0);
    const RunOutcome outcome = solveLoadCases(storage_, {"1", "2"}, [](const RunProgress& p) {
        if (p.loadCase == 2)
            throw RunCancelled{};
    });
    EXPECT_EQ(outcome.exitCode, handoff::stepCancelled);
    EXPECT_NE(read(std::string(work) + "1.res"), "(none)");
    EXPECT_EQ(read(std::string(work) + "2.res"), "(none)");
    EXPECT_EQ(read(std::string(work) + "2.pth"), "(none)") << "nothing of the case cancelled";
    EXPECT_TRUE(read("../Dat/tripod.rez")
                    .ends_with("The run was cancelled at load case 2: its results were not "
                               "kept.\nLoad cases reported: 1\r\n"));
}

TEST_F(AnalysisRuns, ForcesWritesTheUsableCasesAndNamesTheOthers) {
    ASSERT_EQ(prepare().exitCode, 0);
    write("../Dat/tripod.inc", "Loads\r\n2\r\n0\r\n1 1 0\r\n9 0 0 -10\r\n2 1 0\r\n4 0 5 0\r\n");
    const RunOutcome outcome = prepareLoads(storage_, "../Dat/tripod.inc");
    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_NE(outcome.failure.find(
                  "tripod.inc, line 5: case 1 loads node 9, which the model does not have"),
              std::string::npos);
    EXPECT_EQ(read("../Dat/tripod.dat.work/1.unf"), "(none)");
    EXPECT_EQ(read("../Dat/tripod.dat.work/2.unf"), "2 1 0\r\n4 0 5 0\r\n");
}

TEST_F(AnalysisRuns, SolveNamesTheNodeOfAMechanism) {
    write("../Dat/tripod.dat",
          "Loose node\r\n3 1\r\n1 0 0 0 1 1 1\r\n2 1 0 0 0 1 1\r\n3 2 0 0 0 0 0\r\n"
          "1 1 2 B 1e6 0\r\n");
    write("../Dat/tripod.inc", "Push\r\n1\r\n0\r\n1 2 0\r\n2 1 0 0\r\n3 0 1 0\r\n");
    ASSERT_EQ(prepare().exitCode, 0);
    ASSERT_EQ(prepareLoads(storage_, "../Dat/tripod.inc").exitCode, 0);
    const RunOutcome outcome = solveLoadCases(storage_, {"1"});
    EXPECT_EQ(outcome.exitCode, handoff::stepNotConverged);
    EXPECT_NE(outcome.failure.find("the structure is a mechanism at node 3"), std::string::npos)
        << outcome.failure;
    EXPECT_TRUE(read("../Dat/tripod.dat.work/1.res").starts_with("case 1\r\nconverged no\r\n"));
    EXPECT_EQ(solveLoadCases(storage_, {"1", "5"}).exitCode, handoff::stepFailed);
}

// While another step holds the working folder, of another installation on the same
// geometry file, every step is refused naming it and writes nothing, not even to the output
// file; once it lets go, each runs.
TEST_F(AnalysisRuns, OneStepAtATimeWorksOnAnAnalysis) {
    ASSERT_EQ(prepare().exitCode, 0);
    ASSERT_EQ(prepareLoads(storage_, "../Dat/tripod.inc").exitCode, 0);
    const std::string folder = "../Dat/tripod.dat.work";
    const std::string output = read("../Dat/tripod.rez");
    FolderStorage otherInstallation;
    LockAttempt held = otherInstallation.lockFolder(folder, "Solve");
    ASSERT_TRUE(held.lock);
    const std::function<RunOutcome()> steps[] = {
        [&] { return prepare(); },
        [&] { return prepareLoads(storage_, "../Dat/tripod.inc"); },
        [&] { return solveLoadCases(storage_, {"1"}); },
    };
    for (const auto& step : steps) {
        const RunOutcome outcome = step();
        EXPECT_EQ(outcome.exitCode, handoff::stepFailed);
        EXPECT_EQ(outcome.failure, "another OMBRIX step is working on tripod.dat: Solve of this "
                                   "test. Wait for it to end, then run this step again");
    }
    EXPECT_EQ(read("../Dat/tripod.rez"), output);
    EXPECT_EQ(read(folder + "/1.unf"), "1 1 2\r\n4 5 0 0\r\n");
    held.lock.reset();
    EXPECT_EQ(read(folder + "/Step.lock"), "(none)");
    for (const auto& step : steps)
        EXPECT_EQ(step().exitCode, handoff::stepDone);
}

// The progress of a case never shows a load step beyond those planned.
TEST(SolveProgress, NamesThePlannedStepAndTheSmallerOnes) {
    const struct {
        SolverProgress solver;
        const char* line;
    } rows[] = {
        {{0, 10, 0, 1, 0, 0.1}, "Case 2: load step 1 of 10, load factor 0.1000"},
        {{3, 10, 52, 1, 0, 0.0124},
         "Case 2: load step 4 of 10 (52 smaller steps), load factor 0.0124"},
        {{10, 10, 0, 1, 0, 1}, "Case 2: load step 10 of 10, load factor 1.0000"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(caseProgressLine({0.5, 2, row.solver}), row.line);
    EXPECT_EQ(caseProgressLine({0.5, -1, {}}), "");
}

} // namespace
} // namespace ombrix
