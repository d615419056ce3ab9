// Prepare, Forces and Solve on a folder of this machine: what they leave, and that a
// failed run leaves the working folder as it was.

#include "folder_storage.h"
#include "runs.h"
#include "test_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

const char* const tripod =
    "Tripod\r\n4 3\r\n1 0 0 0 1 1 1\r\n2 2 0 0 1 1 1\r\n3 0 2 0 1 1 1\r\n"
    "4 0.7 0.6 1.5 0 0 0\r\n1 1 4 B 1e6 0\r\n2 2 4 B 1e6 0\r\n3 3 4 B 1e6 0\r\n";
const char* const loads =
    "Loads\r\n2\r\n1\r\n0 1 0\r\n4 0 0 -10\r\n1 1 2\r\n4 5 0 0\r\n2 1 0\r\n4 0 5 0\r\n";

using Files = std::map<std::string, std::string>;

// An installation's Exe folder as the current folder, an analysis beside it.
class AnalysisRuns : public testing::Test {
  protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() /
            ("ombrix-runs-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "Exe");
        fs::create_directories(root_ / "Dat");
        previous_ = fs::current_path();
        fs::current_path(root_ / "Exe");
        write("../Dat/tripod.dat", tripod);
        write("../Dat/tripod.inc", loads);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }

    void write(const std::string& path, const std::string& text) {
        ASSERT_TRUE(storage_.replace(path, text));
    }
    std::string read(const std::string& path) { return storage_.read(path).value_or("(none)"); }

    RunOutcome prepare(const std::string& geometry = "../Dat/tripod.dat",
                       const char* language = "English") {
        return prepareAnalysis(storage_, {geometry, "../Dat/tripod.rez", "Complete", language});
    }

    Files workFiles() {
        Files files;
        for (const fs::directory_entry& entry :
             fs::directory_iterator(root_ / "Dat" / "tripod.dat.work"))
            files[entry.path().filename().string()] = read(entry.path().string());
        files["work_dir.dat"] = read("work_dir.dat");
        return files;
    }

    FolderStorage storage_;
    fs::path root_;
    fs::path previous_;
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
    EXPECT_TRUE(read(work + "/0.res").starts_with("case 0\r\nconverged yes\r\nnode 1 0 0 0\r\n"));
    EXPECT_NE(read(work + "/2.res").find("\r\nmember 3 "), std::string::npos);
    const std::string output = read("../Dat/tripod.rez");
    for (const char* part : {"Members", "Loading file:", "Load case 0", "Load case 2", "Reactions"})
        EXPECT_NE(output.find(part), std::string::npos) << part;
}

TEST_F(AnalysisRuns, ReportInTheChosenLanguage) {
    ASSERT_EQ(prepare("../Dat/tripod.dat", "Romanian").exitCode, 0);
    ASSERT_EQ(prepareLoads(storage_, "../Dat/tripod.inc").exitCode, 0);
    ASSERT_EQ(solveLoadCases(storage_, {"1"}).exitCode, 0);
    const std::string output = read("../Dat/tripod.rez");
    EXPECT_NE(output.find("Noduri: 4"), std::string::npos);
    EXPECT_NE(output.find("Cazul de incarcare 1"), std::string::npos);
}

struct Failure {
    const char* name;
    std::function<RunOutcome(Storage&, AnalysisRuns&)> run;
    const char* message; // part of the message
};

// A run that fails after a whole analysis was prepared, loaded and solved.
class FailedRun : public AnalysisRuns, public testing::WithParamInterface<Failure> {};

TEST_P(FailedRun, SaysWhyAndLosesNothing) {
    ASSERT_EQ(prepare().exitCode, 0);
    ASSERT_EQ(prepareLoads(storage_, "../Dat/tripod.inc").exitCode, 0);
    ASSERT_EQ(solveLoadCases(storage_, {"0", "1", "2"}).exitCode, 0);
    const Files before = workFiles();

    const RunOutcome outcome = GetParam().run(storage_, *this);

    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_NE(outcome.failure.find(GetParam().message), std::string::npos) << outcome.failure;
    EXPECT_EQ(workFiles(), before);
    EXPECT_NE(read("../Dat/tripod.rez").find("*** Error: "), std::string::npos);
}

const Failure failures[] = {
    {"geometry with a bad line",
     [](Storage& s, AnalysisRuns&) {
         s.replace("../Dat/bad.dat",
                   "Bad\r\n2 1\r\n1 0 0 0 1 1 1\r\n2 1 0 0 0 0 0\r\n1 1 2 B -5 0\r\n");
         return prepareAnalysis(s, {"../Dat/bad.dat", "../Dat/tripod.rez", "Short", "English"});
     },
     "bad.dat, line 5: member 1: the axial stiffness EA must be positive"},
    {"missing geometry",
     [](Storage& s, AnalysisRuns&) {
         return prepareAnalysis(s, {"../Dat/none.dat", "../Dat/tripod.rez", "Short", "English"});
     },
     "none.dat: the file cannot be read"},
    {"loading with a bad line",
     [](Storage& s, AnalysisRuns&) {
         s.replace("../Dat/bad.inc", "Bad\r\n1\r\n0\r\n1 1 0\r\n4 0 0 ten\r\n");
         return prepareLoads(s, "../Dat/bad.inc");
     },
     "bad.inc, line 5: \"ten\" is not a number"},
    {"case not prepared", [](Storage& s, AnalysisRuns&) { return solveLoadCases(s, {"7"}); },
     "case 7 is not prepared"},
    {"case label that is no case",
     [](Storage& s, AnalysisRuns&) { return solveLoadCases(s, {"x"}); },
     "\"x\" is not a load case"},
};

INSTANTIATE_TEST_SUITE_P(Runs, FailedRun, testing::ValuesIn(failures), rowName<Failure>);

TEST_F(AnalysisRuns, PrepareThatCannotWriteItsOutputLeavesTheWorkingFolderAlone) {
    ASSERT_EQ(prepare().exitCode, 0);
    ASSERT_EQ(prepareLoads(storage_, "../Dat/tripod.inc").exitCode, 0);
    const Files before = workFiles();
    const RunOutcome outcome = prepareAnalysis(
        storage_, {"../Dat/tripod.dat", "../Nowhere/tripod.rez", "Short", "English"});
    EXPECT_NE(outcome.failure.find("tripod.rez: the file cannot be written"), std::string::npos);
    EXPECT_EQ(workFiles(), before);
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
    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_NE(outcome.failure.find("the structure is a mechanism at node 3"), std::string::npos)
        << outcome.failure;
    EXPECT_TRUE(read("../Dat/tripod.dat.work/1.res").starts_with("case 1\r\nconverged no\r\n"));
}

} // namespace
} // namespace ombrix
