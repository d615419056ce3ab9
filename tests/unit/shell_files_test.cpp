#include "shell_test.h"

#include "base/folders.h"
#include "files/handoff.h"
#include "files/recent.h"
#include "files/settings.h"
#include "files/shell_files.h"

#include <optional>
#include <string>

using ShellFiles = ShellTest;

TEST_F(ShellFiles, SoundSettingIsReadOrCreated) {
    const struct {
        const char* name;
        std::optional<std::string> contents; // nothing: no file
        bool soundOn;
        std::string fileAfter;
    } cases[] = {
        {"no file: a new one says on, sounds stay off", std::nullopt, false, " T\r\n"},
        {"on", " T\r\n", true, " T\r\n"},
        {"off", " F\r\n", false, " F\r\n"},
        {"no line end", " T", true, " T"},
        {"Fortran spelling", ".TRUE.\n", true, ".TRUE.\n"},
        {"empty file", "", false, ""},
        {"unreadable value", "maybe\r\n", false, "maybe\r\n"},
        {"blank lines passed over", "\r\n  \r\n T\r\n", true, "\r\n  \r\n T\r\n"},
        {"first value decides", " F\r\n T\r\n", false, " F\r\n T\r\n"},
        {"binary junk", std::string("\0\x7f\xff", 3), false, std::string("\0\x7f\xff", 3)},
        {"byte-order mark", "\xEF\xBB\xBF T\r\n", true, "\xEF\xBB\xBF T\r\n"},
    };
    forEachRow(cases, [&](const auto& c) {
        if (c.contents)
            writeFile("Sound.dat", *c.contents);
        settings.soundOn = !c.soundOn;
        loadSoundSetting();
        EXPECT_EQ(settings.soundOn, c.soundOn) << c.name;
        EXPECT_EQ(readFile("Sound.dat"), c.fileAfter) << c.name;
    });
}

TEST_F(ShellFiles, SettingsFilesHaveTheirExactBytes) {
    settings.soundOn = true;
    ASSERT_TRUE(saveSoundSetting());
    EXPECT_EQ(readFile("Sound.dat"), " T\r\n");
    settings.soundOn = false;
    ASSERT_TRUE(saveSoundSetting());
    EXPECT_EQ(readFile("Sound.dat"), " F\r\n");

    settings.outputLanguage = "Romanian";
    ASSERT_TRUE(saveLanguageFile());
    EXPECT_EQ(readFile("language.dat"), "Romanian            \r\n");
    settings.outputLanguage = "";
    ASSERT_TRUE(saveLanguageFile());
    EXPECT_EQ(readFile("language.dat"), std::string(20, ' ') + "\r\n");
}

TEST_F(ShellFiles, AFailedWriteKeepsTheOldFileAndIsReportedOnce) {
    writeFile("Sound.dat", " T\r\n");
    fake::state().unwritableFiles.insert(shellFilePath("Sound.dat"));
    settings.soundOn = false;

    EXPECT_FALSE(saveSoundSetting());
    EXPECT_FALSE(saveSoundSetting());
    EXPECT_EQ(readFile("Sound.dat"), " T\r\n");
    EXPECT_FALSE(settings.soundOn);
    reportUnsavedShellFiles();
    // Named once in a run, however often it fails again.
    EXPECT_FALSE(saveSoundSetting());
    reportUnsavedShellFiles();
    ASSERT_EQ(fake::state().messages.size(), 1u);
    EXPECT_NE(fake::state().messages[0].text.find("Sound.dat"), std::string::npos);
}

TEST_F(ShellFiles, WritesLeaveNoScratchFileBehind) {
    ASSERT_TRUE(writeShellFile("recent.dat", "a\r\n"));
    ASSERT_TRUE(writeShellFile("recent.dat", "b\r\n"));
    EXPECT_EQ(readFile("recent.dat"), "b\r\n");
    EXPECT_FALSE(fileExists("recent.dat.new"));
}

TEST_F(ShellFiles, AFolderThatHasGoneCannotBeWritten) {
    folders = installationFolders("C:\\Gone\\Exe");
    EXPECT_FALSE(writeShellFile("Sound.dat", " F\r\n"));
    EXPECT_FALSE(fileExists("C:\\Gone"));
}

TEST_F(ShellFiles, AMissingRecentFileIsCreatedWithFiveBlankLines) {
    recentFiles[0] = "C:\\stale.dat";
    loadRecentList();
    const std::string blankLine = std::string(260, ' ') + "\r\n";
    EXPECT_EQ(readFile("recent.dat"), blankLine + blankLine + blankLine + blankLine + blankLine);
    for (const PathText& entry : recentFiles)
        EXPECT_TRUE(entry.isBlank());
}

TEST_F(ShellFiles, RecentFileKeepsTheNamesOfExistingFilesInOrder) {
    for (const char* name : {"C:\\Jobs\\A.dat", "C:\\Jobs\\B b.dat", "C:\\Jobs\\C.dat",
                             "C:\\Jobs\\D.dat", "C:\\Jobs\\E.dat", "C:\\Jobs\\F.dat"})
        writeFile(name, "");
    const std::string longName = "C:\\Jobs\\" + std::string(270, 'L');
    const struct {
        const char* name;
        std::string contents;
        std::vector<std::string> entries;
    } cases[] = {
        {"vanished file left out",
         "C:\\Jobs\\A.dat\r\nC:\\Jobs\\X.dat\r\nC:\\Jobs\\C.dat\r\n",
         {"C:\\Jobs\\A.dat", "C:\\Jobs\\C.dat"}},
        {"blank lines left out, blanks inside kept",
         "\r\n   \r\nC:\\Jobs\\B b.dat   \r\n",
         {"C:\\Jobs\\B b.dat"}},
        {"lines after the fifth ignored",
         "C:\\Jobs\\A.dat\nC:\\Jobs\\B "
         "b.dat\nC:\\Jobs\\C.dat\nC:\\Jobs\\D.dat\n\nC:\\Jobs\\F.dat\n",
         {"C:\\Jobs\\A.dat", "C:\\Jobs\\B b.dat", "C:\\Jobs\\C.dat", "C:\\Jobs\\D.dat"}},
        {"over-long line cut and then missing",
         longName + "\r\nC:\\Jobs\\E.dat\r\n",
         {"C:\\Jobs\\E.dat"}},
        {"empty file", "", {}},
        {"byte-order mark and CR line ends",
         "\xEF\xBB\xBF"
         "C:\\Jobs\\A.dat\rC:\\Jobs\\C.dat\r",
         {"C:\\Jobs\\A.dat", "C:\\Jobs\\C.dat"}},
    };
    for (const auto& c : cases) {
        writeFile("recent.dat", c.contents);
        loadRecentList();
        std::vector<std::string> entries;
        for (const PathText& entry : recentFiles)
            if (!entry.isBlank())
                entries.push_back(entry.str());
        EXPECT_EQ(entries, c.entries) << c.name;
        EXPECT_EQ(readFile("recent.dat"), c.contents) << c.name << ": reading changed the file";
    }
}

TEST_F(ShellFiles, SharedLanguageComesFromTheLastLineOfTheSharedParameters) {
    const struct {
        const char* name;
        std::optional<std::string> workDir;      // nothing: no work_dir.dat
        std::optional<std::string> sharedParams; // nothing: no Comomb.dat
        std::string language;
    } cases[] = {
        {"no work_dir.dat", std::nullopt, "Romanian\r\n", "English"},
        {"empty work_dir.dat", "", "Romanian\r\n", "English"},
        {"no shared parameters", "C:\\Work\r\n", std::nullopt, "English"},
        {"empty shared parameters", "C:\\Work\r\n", "", "English"},
        {"single line", "C:\\Work\r\n", "Romanian\r\n", "Romanian"},
        {"last of several lines", "C:\\Work  \r\nignored\r\n", "1\r\nEnglish\r\nromanian\r\n",
         "romanian"},
        {"long last line cut to 20", "C:\\Work", "x\r\n" + std::string(25, 'R'),
         std::string(20, 'R')},
        {"blank last lines passed over", "C:\\Work\r\n", "Romanian\r\n  \r\n\r\n", "Romanian"},
        {"nothing but blank lines", "C:\\Work\r\n", "\r\n   \r\n", "English"},
    };
    forEachRow(cases, [&](const auto& c) {
        if (c.workDir)
            writeFile("work_dir.dat", *c.workDir);
        if (c.sharedParams)
            writeFile("C:\\Work\\Comomb.dat", *c.sharedParams);
        LanguageText language("stale");
        readSharedLanguage(language);
        EXPECT_EQ(language.trimmed(), c.language) << c.name;
    });
}

TEST_F(ShellFiles, AWorkingDirectoryWithBlanksIsFound) {
    writeFile("work_dir.dat", "C:\\My Work\\Job 1\r\n");
    writeFile("C:\\My Work\\Job 1\\Comomb.dat", "Romanian\r\n");
    LanguageText language;
    readSharedLanguage(language);
    EXPECT_EQ(language.trimmed(), "Romanian");
}

TEST_F(ShellFiles, AnEmptyWorkingDirectoryLooksAtTheRootOfTheDrive) {
    writeFile("work_dir.dat", "\r\n");
    writeFile("C:\\Comomb.dat", "Romanian\r\n");
    LanguageText language;
    readSharedLanguage(language);
    EXPECT_EQ(language.trimmed(), "Romanian");
}
