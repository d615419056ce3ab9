#include "shell_test.h"

#include "files/file_set.h"
#include "ids.h"
#include "launch/text_file_list.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using platform::Answer;

const std::string word10 = "C:\\Program Files\\Microsoft Office\\Office10\\WINWORD.EXE";
const std::string word16 = "c:\\Program Files (x86)\\Microsoft Office\\root\\Office16\\WINWORD.EXE";
const std::string registeredWord = "D:\\Office\\WINWORD.EXE";
const std::string guideEn = "\"C:\\Ombrix\\Doc\\\\Ombrix-en.doc\"";
const std::string guideRo = "\"C:\\Ombrix\\Doc\\\\Ombrix-ro.doc\"";

} // namespace

// The panel with the files of one analysis named, Notepad in the Windows folder.
class Manuals : public PanelShellTest {
  protected:
    void SetUp() override {
        PanelShellTest::SetUp();
        writeFile("C:\\Windows\\Notepad.exe", "");
        fileSet.geometryFile = "C:\\Jobs\\bridge.dat";
        fileSet.loadingFile = "C:\\My Jobs\\bridge.inc";
        fileSet.outputFile = "C:\\Jobs\\bridge.rez";
        for (int item = 1; item <= 3; ++item)
            platform::setItemText(panel, IDC_TEXT_FILE_LIST, item, "caption");
    }

    std::vector<fake::Process>& started() { return fake::state().processes; }
    std::vector<fake::Message>& messages() { return fake::state().messages; }
    std::string lastStatusLine() { return fake::control(panel, IDC_PROGRAM_STATUS).items.back(); }
};

TEST_F(Manuals, TheTextFileListChoosesWhatViewEditAndPrintOpen) {
    const struct {
        int item;
        bool exists;
        bool doubleClick;
        std::string selected;
        bool viewEditEnabled, printEnabled;
        std::string commandLine; // of Notepad on a double-click; empty: nothing started
    } cases[] = {
        {1, true, false, "C:\\Jobs\\bridge.dat", true, true, ""},
        {2, true, true, "C:\\My Jobs\\bridge.inc", true, true,
         "\"C:\\Windows\\Notepad.exe\" C:\\My Jobs\\bridge.inc"},
        {3, false, false, "C:\\Jobs\\bridge.rez", false, false, ""},
        {3, false, true, "C:\\Jobs\\bridge.rez", false, false, ""},
        {4, false, true, "\t", true, true, "\"C:\\Windows\\Notepad.exe\""},
    };
    forEachRow(cases, [&](const auto& c) {
        if (c.exists)
            for (const PathText* file : {&fileSet.geometryFile, &fileSet.loadingFile})
                writeFile(file->str(), "");
        if (c.doubleClick)
            fake::doubleClick(panel, IDC_TEXT_FILE_LIST, c.item);
        else
            fake::select(panel, IDC_TEXT_FILE_LIST, c.item);
        EXPECT_EQ(selectedTextFile, c.selected);
        EXPECT_EQ(platform::isEnabled(panel, IDC_VIEW_EDIT), c.viewEditEnabled);
        // A missing file leaves Print as it was.
        EXPECT_EQ(platform::isEnabled(panel, IDC_PRINT), c.printEnabled);
        EXPECT_EQ(platform::itemText(panel, IDC_TEXT_FILE_LIST, c.item),
                  c.exists || c.item == 4 ? (c.item == 4 ? "New" : "caption") : " ");
        if (!c.exists && c.item != 4) {
            ASSERT_FALSE(messages().empty());
            EXPECT_EQ(messages()[0].text,
                      "\"" + c.selected + "\": File does not exist.\n\nCheck for File Name !");
        }
        ASSERT_EQ(started().size(), c.commandLine.empty() ? 0u : 1u);
        if (!c.commandLine.empty()) {
            EXPECT_EQ(started()[0].applicationName, "C:\\Windows\\Notepad.exe");
            EXPECT_EQ(started()[0].commandLine, c.commandLine);
        }
    });
}

TEST_F(Manuals, ViewEditAndPrintAskForAFileUntilOneIsChosen) {
    writeFile("Printout.exe", "");
    for (int button : {IDC_VIEW_EDIT, IDC_PRINT}) {
        platform::setEnabled(panel, button, true);
        fake::click(panel, button);
    }
    EXPECT_TRUE(started().empty());
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text, "Choose a file in the File list first: View/Edit and Print "
                                  "open the file chosen there.");
}

TEST_F(Manuals, TheUsersGuideOpensInWordInTheOutputLanguage) {
    const struct {
        const char* name;
        std::vector<std::string> words; // installed; a "D:" one is only registered
        std::vector<std::string> guides;
        int language; // item of the language list
        std::vector<Answer> answers;
        std::string program; // empty: nothing started
        std::string commandLine;
        std::vector<std::string> messageStarts;
    } cases[] = {
        {"English", {word10, word16}, {"en", "ro"}, 1, {}, word16, " " + guideEn, {}},
        {"Romanian", {word10}, {"en", "ro"}, 2, {}, word10, " " + guideRo, {}},
        {"Word registered only",
         {registeredWord},
         {"en"},
         1,
         {},
         registeredWord,
         " " + guideEn,
         {}},
        {"English missing, Yes",
         {word10},
         {"ro"},
         1,
         {Answer::Yes},
         word10,
         " " + guideRo,
         {"English Edition not available!\nWould you like to open Romanian Edition?"}},
        {"Romanian missing, No",
         {word10},
         {"en"},
         2,
         {Answer::No},
         "",
         "",
         {"Romanian Edition not available!\nWould you like to open English Edition?"}},
        {"no guide",
         {word10},
         {},
         1,
         {},
         word10,
         " ",
         {"Missing files: \"Ombrix-ro.doc & Ombrix-en.doc\" in "
          "\"OMBRIX_Installation_Directory\\Doc\\\"!\nCan Not Open User's Guide.\n"}},
        {"no Word",
         {},
         {"en"},
         2,
         {},
         "",
         "",
         {"WinWord Not Found!\nCan Not Open User's Guide.\nTry yourself to launch Word \nand "
          "open C:\\Ombrix\\Doc\\Ombrix-en.doc"}},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.name);
        for (const std::string& path : c.words)
            if (path == registeredWord)
                fake::state().registeredPrograms["WINWORD.EXE"] = path;
            else
                writeFile(path, "");
        writeFile(registeredWord, "");
        for (const std::string& language : c.guides)
            writeFile("C:\\Ombrix\\Doc\\Ombrix-" + language + ".doc", "");
        fake::select(panel, IDC_OUTPUT_LANGUAGE, c.language);
        fake::state().answers = {c.answers.begin(), c.answers.end()};
        fake::click(panel, IDC_USERS_GUIDE);
        ASSERT_EQ(messages().size(), c.messageStarts.size());
        for (std::size_t m = 0; m < messages().size(); ++m) {
            EXPECT_TRUE(messages()[m].text.starts_with(c.messageStarts[m])) << messages()[m].text;
            EXPECT_EQ(messages()[m].icon, platform::MessageIcon::Error);
        }
        ASSERT_EQ(started().size(), c.program.empty() ? 0u : 1u);
        if (!c.program.empty()) {
            EXPECT_EQ(started()[0].applicationName, c.program);
            EXPECT_EQ(started()[0].commandLine, c.commandLine);
            EXPECT_EQ(lastStatusLine(), "WINWORD: Launched");
        }
    });
}

TEST_F(Manuals, HelpOpensTheNewestHelpFileOfTheInstallation) {
    const struct {
        std::vector<std::string> helpFiles;
        std::string commandLine; // empty: the missing-files message, nothing started
    } cases[] = {
        {{"Ombrix Help.chm", "Ombrix Help 20.chm"}, " C:\\Ombrix\\Exe\\Ombrix Help 20.chm"},
        {{"Ombrix Help.chm"}, " C:\\Ombrix\\Exe\\Ombrix Help.chm"},
        {{}, ""},
    };
    forEachRow(cases, [&](const auto& c) {
        writeFile("C:\\Windows\\hh.exe", "");
        for (const std::string& name : c.helpFiles)
            writeFile(name, "");
        // Where the user has browsed to does not matter.
        fake::state().currentDirectory = "C:\\Jobs";
        fake::click(panel, IDC_HELP_BUTTON);
        if (c.commandLine.empty()) {
            EXPECT_TRUE(started().empty());
            ASSERT_EQ(messages().size(), 1u);
            EXPECT_EQ(messages()[0].text,
                      "Missing files: \"Ombrix Help.chm or Ombrix Help 20.chm\" in "
                      "\"OMBRIX_Installation_Directory\\Exe\\\"!\nCan Not Open Help File.");
            return;
        }
        ASSERT_EQ(started().size(), 1u);
        EXPECT_EQ(started()[0].applicationName, "C:\\Windows\\hh.exe");
        EXPECT_EQ(started()[0].commandLine, c.commandLine);
        EXPECT_EQ(lastStatusLine(), "Help: Launched");
    });
}
