#include "platform/platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class Win32Files : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof(temp), temp);
        folder = std::string(temp) + "ombrix platform " + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        SetCurrentDirectoryA(std::filesystem::temp_directory_path().string().c_str());
        std::filesystem::remove_all(folder);
    }
    std::string path(const std::string& name) const { return folder + "\\" + name; }

    std::string folder;
};

} // namespace

TEST_F(Win32Files, ReplacingAFileLeavesExactlyTheNewContents) {
    const std::string sound = path("Sound.dat");
    EXPECT_FALSE(platform::fileExists(sound));
    EXPECT_EQ(platform::readFile(sound), std::nullopt);

    ASSERT_TRUE(platform::replaceFile(sound, " T\r\n"));
    EXPECT_TRUE(platform::fileExists(sound));
    EXPECT_EQ(platform::readFile(sound), " T\r\n");
    ASSERT_TRUE(platform::replaceFile(sound, " F\r\n"));
    EXPECT_EQ(platform::readFile(sound), " F\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(Win32Files, OnlyTheLeftoversOfEndedWritersAreRemoved) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION ended{};
    char command[] = "cmd.exe /c exit";
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &ended));
    WaitForSingleObject(ended.hProcess, INFINITE);
    const std::string running = "Sound.dat." + std::to_string(GetCurrentProcessId()) + ".new";
    const std::string left = "Sound.dat." + std::to_string(ended.dwProcessId) + ".new";
    CloseHandle(ended.hThread);
    CloseHandle(ended.hProcess);
    // The file first: its own replacement passes through the name of `running`.
    for (const std::string& name : {std::string("Sound.dat"), running, left,
                                    std::string("Sound.dat.new"), std::string("Sound.dat.bak")})
        ASSERT_TRUE(platform::replaceFile(path(name), "x"));

    platform::removeLeftoverReplacements(path("Sound.dat"));
    EXPECT_TRUE(platform::fileExists(path(running)));
    EXPECT_FALSE(platform::fileExists(path(left)));
    EXPECT_FALSE(platform::fileExists(path("Sound.dat.new")));
    EXPECT_TRUE(platform::fileExists(path("Sound.dat.bak")));
    EXPECT_TRUE(platform::fileExists(path("Sound.dat")));
}

TEST_F(Win32Files, PathsAreNormalisedAndFilesKnownByIdentity) {
    const std::string sound = path("Sound.dat");
    ASSERT_TRUE(platform::replaceFile(sound, " T\r\n"));
    for (const std::string& spelling :
         {folder + "\\.\\Sound.dat", folder + "\\Sound.dat.",
          folder + "\\..\\" + folder.substr(folder.rfind('\\') + 1) + "\\Sound.dat"}) {
        EXPECT_EQ(platform::fullPath(spelling), sound) << spelling;
        EXPECT_TRUE(platform::isSameFile(spelling, sound)) << spelling;
    }
    EXPECT_FALSE(platform::isSameFile(sound, path("other.dat")));
}

TEST_F(Win32Files, AFolderIsNeitherAFileNorReplaced) {
    const std::string recent = path("recent.dat");
    ASSERT_TRUE(CreateDirectoryA(recent.c_str(), nullptr));
    EXPECT_FALSE(platform::fileExists(recent));
    EXPECT_EQ(platform::readFile(recent), std::nullopt);
    EXPECT_FALSE(platform::replaceFile(recent, "C:\\a.dat\r\n"));
    EXPECT_TRUE(GetFileAttributesA(recent.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(platform::fileExists(path("recent.dat.new")));
}

TEST_F(Win32Files, AFileInAMissingFolderCannotBeWritten) {
    EXPECT_FALSE(platform::replaceFile(path("no folder\\Sound.dat"), " F\r\n"));
}

// Another program that has the file open, as the suite's readers and writers (a C-runtime
// one does not let it be deleted), neither keeps it from being read nor from being
// replaced.
TEST_F(Win32Files, AFileThatAnotherProgramHoldsOpenIsReadAndReplaced) {
    const std::string sound = path("Sound.dat");
    for (const DWORD access : {DWORD{GENERIC_READ}, DWORD{GENERIC_WRITE}}) {
        ASSERT_TRUE(platform::replaceFile(sound, " T\r\n"));
        HANDLE holder = CreateFileA(sound.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        EXPECT_EQ(platform::readFile(sound), " T\r\n");
        EXPECT_TRUE(platform::replaceFile(sound, " F\r\n"));
        CloseHandle(holder);
        EXPECT_EQ(platform::readFile(sound), " F\r\n");
    }
}

TEST_F(Win32Files, CurrentDirectoryIsTheProcesssOwn) {
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    EXPECT_EQ(platform::currentDirectory(), folder);
}
