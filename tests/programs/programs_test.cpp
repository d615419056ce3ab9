// Prepare, Forces and Solve as the shell runs them, under Wine here: each started with its
// command line in a fresh installation's Exe folder, on the sample analyses. And the
// Windows storage beneath them.

#include "win32_storage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ombrix {
namespace {

// A fresh installation: Exe (the start folder) and Dat with the sample analyses.
class Installation : public testing::Test {
  protected:
    void SetUp() override {
        char temporary[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temporary);
        root_ = std::string(temporary) + "ombrix programs " + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(storage_.makeFolder(root_));
        ASSERT_TRUE(storage_.makeFolder(root_ + "\\Exe"));
        ASSERT_TRUE(storage_.makeFolder(root_ + "\\Dat"));
        for (const char* sample : {"Bridge.dat", "Bridge.inc", "Cable Net.dat", "Cable Net.inc"})
            ASSERT_TRUE(
                storage_.replace(root_ + "\\Dat\\" + sample,
                                 storage_.read(std::string(OMBRIX_SAMPLES "/") + sample).value()));
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    // Starts the program as the shell does; a null process when it cannot.
    PROCESS_INFORMATION start(const char* program, const std::string& arguments) {
        std::string commandLine = std::string("\"") + program + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const std::string folder = root_ + "\\Exe";
        if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &process))
            return {};
        return process;
    }

    // Starts the program as the shell does and waits for its exit code.
    DWORD run(const char* program, const std::string& arguments) {
        const PROCESS_INFORMATION process = start(program, arguments);
        if (!process.hProcess)
            return 999;
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 999;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    }

    std::string read(const std::string& relative) {
        return storage_.read(root_ + "\\" + relative).value_or("");
    }

    Win32Storage storage_;
    std::string root_;
};

struct Sample {
    const char* name;
    const char* arguments; // of Prepare
    const char* loading;
    std::vector<int> cases;
};

// Two rows, each a test of its own: ctest finds the tests of a cross build in the source.
const Sample bridge{"Bridge",
                    "..\\Dat\\Bridge.dat ..\\Dat\\Bridge.rez Complete English",
                    "..\\Dat\\Bridge.inc",
                    {0, 1, 2, 3}};
const Sample cableNet{"Cable Net",
                      "\"..\\Dat\\Cable Net.dat\" \"..\\Dat\\Cable Net.rez\" Short Romanian",
                      "\"..\\Dat\\Cable Net.inc\"",
                      {1, 2}};

class SampleAnalysis : public Installation {
  protected:
    void runsThroughPrepareForcesAndSolve(const Sample& sample) {
        ASSERT_EQ(run(OMBRIX_PREPARE, sample.arguments), 0u);
        const std::string work = std::string("Dat\\") + sample.name + ".dat.work";
        EXPECT_EQ(read("Exe\\work_dir.dat"), root_ + "\\" + work + "\r\n");
        ASSERT_EQ(run(OMBRIX_FORCES, sample.loading), 0u);
        std::string labels;
        for (int number : sample.cases) {
            EXPECT_FALSE(read(work + "\\" + std::to_string(number) + ".unf").empty()) << number;
            labels += " " + std::to_string(number);
        }
        ASSERT_EQ(run(OMBRIX_SOLVE, labels), 0u);
        for (int number : sample.cases) {
            const std::string head = "case " + std::to_string(number) + "\r\nconverged yes\r\n";
            EXPECT_TRUE(read(work + "\\" + std::to_string(number) + ".res").starts_with(head))
                << number;
        }
        const std::string output = read(std::string("Dat\\") + sample.name + ".rez");
        EXPECT_EQ(output.find("*** "), std::string::npos) << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'),
                  std::count(output.begin(), output.end(), '\r'));
    }
};

TEST_F(SampleAnalysis, BridgeRunsThroughPrepareForcesAndSolve) {
    runsThroughPrepareForcesAndSolve(bridge);
}

TEST_F(SampleAnalysis, CableNetRunsThroughPrepareForcesAndSolve) {
    runsThroughPrepareForcesAndSolve(cableNet);
}

TEST_F(Installation, StorageReplacesFilesWholeAndListsThem) {
    const std::string folder = root_ + "\\Dat\\work";
    ASSERT_TRUE(storage_.makeFolder(folder));
    ASSERT_TRUE(storage_.makeFolder(folder));
    ASSERT_TRUE(storage_.replace(storage_.join(folder, "1.unf"), "old"));
    ASSERT_TRUE(storage_.replace(storage_.join(folder, "1.unf"), "new\r\n"));
    ASSERT_TRUE(storage_.append(storage_.join(folder, "1.unf"), "more"));
    EXPECT_EQ(storage_.read(storage_.join(folder, "1.unf")), "new\r\nmore");
    EXPECT_EQ(storage_.filesIn(folder), std::vector<std::string>{"1.unf"});
    EXPECT_TRUE(storage_.remove(storage_.join(folder, "1.unf")));
    EXPECT_FALSE(storage_.read(storage_.join(folder, "1.unf")));
    EXPECT_EQ(storage_.join("C:\\", "a"), "C:\\a");
    EXPECT_EQ(storage_.fullPath(folder + "\\..\\work"), folder);
}

// The lock of a working folder holds it for one program, names that program to another,
// and goes with the program however it ends: a Solve killed midway leaves none behind.
TEST_F(Installation, AWorkingFolderIsHeldByOneStepAtATime) {
    const std::string folder = root_ + "\\Dat\\work";
    ASSERT_TRUE(storage_.makeFolder(folder));
    Win32Storage another;
    LockAttempt first = storage_.lockFolder(folder, "Solve");
    ASSERT_TRUE(first.lock);
    const LockAttempt refused = another.lockFolder(folder, "Prepare");
    EXPECT_FALSE(refused.lock);
    EXPECT_TRUE(refused.holder.value_or("").starts_with("Solve, started ")) << *refused.holder;
    EXPECT_NE(refused.holder->find("(process " + std::to_string(GetCurrentProcessId()) + ")"),
              std::string::npos);
    first.lock.reset();
    EXPECT_FALSE(storage_.read(folder + "\\Step.lock"));
    ASSERT_TRUE(another.lockFolder(folder, "Prepare").lock);

    std::string net = "Net\r\n3721 7320\r\n", loads = "Snow\r\n1\r\n0\r\n1 3481 10\r\n";
    for (int j = 0; j <= 60; ++j)
        for (int i = 0; i <= 60; ++i) {
            const bool edge = i == 0 || j == 0 || i == 60 || j == 60;
            net += std::to_string(61 * j + i + 1) + " " + std::to_string(i) + " " +
                   std::to_string(j) + (edge ? " 0 1 1 1\r\n" : " 0 0 0 0\r\n");
            if (!edge)
                loads += std::to_string(61 * j + i + 1) + " 0 0 -10\r\n";
        }
    int member = 0;
    for (int j = 0; j <= 60; ++j)
        for (int i = 0; i < 60; ++i)
            for (const auto& [a, b] :
                 {std::pair{61 * j + i, 61 * j + i + 1}, std::pair{61 * i + j, 61 * (i + 1) + j}})
                net += std::to_string(++member) + " " + std::to_string(a + 1) + " " +
                       std::to_string(b + 1) + " C 1e5 1000\r\n";
    ASSERT_TRUE(storage_.replace(root_ + "\\Dat\\Net.dat", net));
    ASSERT_TRUE(storage_.replace(root_ + "\\Dat\\Net.inc", loads));
    ASSERT_EQ(run(OMBRIX_PREPARE, "..\\Dat\\Net.dat ..\\Dat\\Net.rez Short English"), 0u);
    ASSERT_EQ(run(OMBRIX_FORCES, "..\\Dat\\Net.inc"), 0u);
    const std::string work = root_ + "\\Dat\\Net.dat.work";
    const PROCESS_INFORMATION solve = start(OMBRIX_SOLVE, "1");
    ASSERT_TRUE(solve.hProcess);
    for (int wait = 0; wait < 3000 && !storage_.read(work + "\\Step.lock"); ++wait)
        Sleep(10);
    ASSERT_EQ(WaitForSingleObject(solve.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_FALSE(another.lockFolder(work, "Prepare").lock);
    TerminateProcess(solve.hProcess, 9);
    WaitForSingleObject(solve.hProcess, INFINITE);
    CloseHandle(solve.hThread);
    CloseHandle(solve.hProcess);
    EXPECT_TRUE(another.lockFolder(work, "Prepare").lock);
}

} // namespace
} // namespace ombrix
