#include "harness.h"
#include "ids.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace e2e;

namespace {

std::string commandLineOf(const std::vector<SuiteStart>& starts, const std::string& program) {
    for (auto start = starts.rbegin(); start != starts.rend(); ++start)
        if (start->program == program)
            return start->commandLine;
    return "(" + program + " not started)";
}

} // namespace

// Notepad, the help viewer and Word are stand-ins that log how they were started.
class Manuals : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        installStandIn(windowsFolder() / "notepad.exe");
        installStandIn(windowsFolder() / "hh.exe");
        installStandIn("C:\\Program Files\\Microsoft Office\\Office10\\WINWORD.EXE");
    }

    std::vector<std::string> statusLines() const {
        return listItems(control(panel, IDC_PROGRAM_STATUS));
    }
    bool waitForStatusLine(const std::string& line) {
        return waitUntil([&] {
            const std::vector<std::string> lines = statusLines();
            return !lines.empty() && lines.back() == line;
        });
    }
};

TEST_F(Manuals, TheTextFileListOpensItsFilesInNotepad) {
    const std::string geometry = utf8Text(installation.root() / "Dat" / "Cable Net.dat");
    openPanel();
    typeText(control(panel, IDC_GEOMETRY_FILE), geometry);
    doubleClickItem(panel, IDC_TEXT_FILE_LIST, 4);
    ASSERT_TRUE(waitForStatusLine("Notepad \"New\": Launched"));
    doubleClickItem(panel, IDC_TEXT_FILE_LIST, 1);
    ASSERT_TRUE(waitForStatusLine("Notepad \"Geometry File\": Launched"));
    ASSERT_TRUE(waitUntil([&] { return suiteStarts().size() == 2; }));
    // The two Notepads log in the order they happen to start.
    std::vector<std::string> commandLines;
    for (const SuiteStart& start : suiteStarts())
        commandLines.push_back(start.commandLine);
    std::sort(commandLines.begin(), commandLines.end());
    const std::string notepad = "\"" + utf8Text(windowsFolder()) + "\\Notepad.exe\"";
    EXPECT_EQ(commandLines, (std::vector<std::string>{notepad, notepad + " " + geometry}));

    selectItem(panel, IDC_TEXT_FILE_LIST, 3);
    EXPECT_EQ(takeMessage(), "\"" + utf8Text(installation.root() / "Dat" / "Cable Net.rez") +
                                 "\": File does not exist.\n\nCheck for File Name !");
    // The handler goes on once its message is answered.
    EXPECT_TRUE(waitUntil([&] { return !isEnabled(control(panel, IDC_VIEW_EDIT)); }));
    exitShellEndingItsPrograms();
}

TEST_F(Manuals, TheUsersGuideOpensInWordInTheChosenLanguage) {
    const std::string doc = utf8Text(installation.root() / "Doc") + "\\\\";
    const struct {
        int language;
        const char* missing; // a guide taken away first
        int answer;          // to the question for the other edition
        std::string guide;   // in Word's command line; empty: Word not started
    } cases[] = {
        {1, nullptr, 0, "Ombrix-en.doc"},
        {2, nullptr, 0, "Ombrix-ro.doc"},
        {2, "Ombrix-ro.doc", IDYES, "Ombrix-en.doc"},
        {1, "Ombrix-en.doc", IDNO, ""},
    };
    const std::filesystem::path guides = installation.root() / "Doc";
    const std::filesystem::path allGuides = installation.root() / "all guides";
    std::filesystem::copy(guides, allGuides);
    openPanel();
    std::size_t started = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.guide);
        // (MinGW's copy_file cannot overwrite.)
        std::filesystem::remove_all(guides);
        std::filesystem::copy(allGuides, guides);
        if (c.missing)
            std::filesystem::remove(guides / c.missing);
        selectItem(panel, IDC_OUTPUT_LANGUAGE, c.language);
        click(control(panel, IDC_USERS_GUIDE));
        if (c.answer) {
            HWND question = shell->waitForWindow("OMBRIX Message");
            ASSERT_TRUE(question);
            answer(question, c.answer);
        }
        if (c.guide.empty()) {
            EXPECT_FALSE(waitUntil([&] { return suiteStarts().size() > started; }, 1s));
            continue;
        }
        ASSERT_TRUE(waitUntil([&] { return suiteStarts().size() > started; }));
        started = suiteStarts().size();
        EXPECT_EQ(commandLineOf(suiteStarts(), "WINWORD.EXE"), " \"" + doc + c.guide + "\"");
        EXPECT_EQ(statusLines().back(), "WINWORD: Launched");
    }
    exitShellEndingItsPrograms();
}

TEST_F(Manuals, HelpOpensTheSecondEditionAndAboutOpensAWindowEachTime) {
    std::filesystem::copy_file(installation.exeDir() / "Ombrix Help.chm",
                               installation.exeDir() / "Ombrix Help 20.chm");
    openPanel();
    click(control(panel, IDC_HELP_BUTTON));
    ASSERT_TRUE(waitForStatusLine("Help: Launched"));
    ASSERT_TRUE(waitUntil([&] { return suiteStarts().size() == 1; }));
    EXPECT_EQ(suiteStarts()[0].program, "hh.exe");
    EXPECT_EQ(suiteStarts()[0].commandLine,
              " " + utf8Text(installation.exeDir() / "Ombrix Help 20.chm"));

    click(control(panel, IDC_ABOUT));
    click(control(panel, IDC_ABOUT));
    EXPECT_TRUE(waitUntil([&] { return shell->countWindows("About OMBRIX") == 2; }));
    exitShellEndingItsPrograms();
}
