#include "ids.h"
#include "platform/platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string systemProgram(const std::string& name) {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

bool waitForEnd(platform::Process process) {
    for (int tries = 0; tries < 200; ++tries) {
        if (platform::haveEnded({process}).front())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

} // namespace

TEST(Win32Programs, PathSearchFindsFilesWhereTheSystemLooks) {
    const std::string cmd = systemProgram("cmd.exe");
    EXPECT_EQ(platform::searchPath(cmd), cmd);
    EXPECT_TRUE(platform::searchPath("cmd.exe").has_value());
    EXPECT_FALSE(platform::searchPath(systemProgram("no such program.exe")).has_value());
    EXPECT_FALSE(platform::searchPath("").has_value());
    EXPECT_FALSE(platform::windowsDirectory().empty());
    EXPECT_NE(platform::windowsDirectory().back(), '\\');
}

// 259 is the value of STILL_ACTIVE: a program may still end with it.
TEST(Win32Programs, AStartedProgramIsSeenToEndWhateverItsExitCode) {
    for (const char* exitCode : {"0", "259"}) {
        const std::optional<platform::StartedProcess> started =
            platform::startProcess(systemProgram("cmd.exe"), std::string(" /c exit ") + exitCode);
        ASSERT_TRUE(started) << exitCode;
        EXPECT_NE(started->processId, 0u);
        EXPECT_TRUE(waitForEnd(started->process)) << exitCode;
    }
    EXPECT_FALSE(platform::startProcess(systemProgram("no such program.exe"), " ").has_value());
}

// The system waits for 64 handles at most at once: the ended programs are found wherever
// they stand among more, first, last and on both sides of the 64th.
TEST(Win32Programs, AmongManyProgramsEveryEndedOneIsFound) {
    const std::vector<std::size_t> endedAt{0, 5, 63, 64, 65};
    std::vector<platform::Process> processes;
    std::vector<bool> expected;
    for (std::size_t k = 0; k < 66; ++k) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        std::string commandLine = "cmd.exe";
        ASSERT_TRUE(CreateProcessA(systemProgram("cmd.exe").c_str(), commandLine.data(), nullptr,
                                   nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                                   &started));
        CloseHandle(started.hThread);
        expected.push_back(std::find(endedAt.begin(), endedAt.end(), k) != endedAt.end());
        if (expected.back()) {
            TerminateProcess(started.hProcess, 0);
            WaitForSingleObject(started.hProcess, 10000);
        }
        processes.push_back(reinterpret_cast<platform::Process>(started.hProcess));
    }
    EXPECT_EQ(platform::haveEnded(processes), expected);
    EXPECT_TRUE(platform::haveEnded({}).empty());
    for (platform::Process process : processes) {
        TerminateProcess(reinterpret_cast<HANDLE>(process), 0);
        CloseHandle(reinterpret_cast<HANDLE>(process));
    }
}

TEST(Win32Programs, RunningAndWaitingGivesTheExitCodeOrNothing) {
    platform::Dialog panel = platform::createDialog(IDD_PANEL);
    ASSERT_TRUE(panel);
    const std::string cmd = "\"" + systemProgram("cmd.exe") + "\" ";
    EXPECT_EQ(platform::runProgramAndWait(panel, cmd + "/c exit 7"), 7);
    EXPECT_EQ(platform::runProgramAndWait(panel, cmd + "/c exit -1"), -1);
    EXPECT_EQ(platform::runProgramAndWait(panel, "\"" + systemProgram("no such.exe") + "\" "),
              std::nullopt);
    platform::destroyDialog(panel);
}

TEST(Win32Programs, ARegisteredProgramIsFoundWithOrWithoutQuotes) {
    const char* key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OMBRIXTEST.EXE";
    for (const char* value : {"D:\\Tools\\ombrixtest.exe", "\"D:\\Tools\\ombrixtest.exe\""}) {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key, nullptr, REG_SZ, value,
                                  static_cast<DWORD>(strlen(value) + 1)),
                  ERROR_SUCCESS);
        EXPECT_EQ(platform::registeredProgramPath("OMBRIXTEST.EXE"), "D:\\Tools\\ombrixtest.exe");
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
    EXPECT_EQ(platform::registeredProgramPath("OMBRIXTEST.EXE"), std::nullopt);
}
