#include "platform/platform.h"

#include <windows.h>

#include <gtest/gtest.h>

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
        for (const char* name : {"Sound.dat", "Sound.dat.new", "recent.dat\\inner"})
            DeleteFileA(path(name).c_str());
        RemoveDirectoryA(path("recent.dat").c_str());
        RemoveDirectoryA(folder.c_str());
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
    EXPECT_FALSE(platform::fileExists(path("Sound.dat.new")));
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

TEST_F(Win32Files, AFileThatAnotherProgramHoldsOpenCanBeRead) {
    const std::string sound = path("Sound.dat");
    ASSERT_TRUE(platform::replaceFile(sound, " T\r\n"));
    HANDLE writer = CreateFileA(sound.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(platform::readFile(sound), " T\r\n");
    CloseHandle(writer);
}

TEST_F(Win32Files, CurrentDirectoryIsTheProcesssOwn) {
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    EXPECT_EQ(platform::currentDirectory(), folder);
}
