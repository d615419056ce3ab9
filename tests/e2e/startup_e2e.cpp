#include "harness.h"
#include "ids.h"

#include <string>
#include <vector>

using namespace e2e;

namespace {

const std::string blankRecentFile = [] {
    std::string contents;
    for (int line = 0; line < 5; ++line)
        contents += std::string(260, ' ') + "\r\n";
    return contents;
}();

} // namespace

using Startup = PanelTest;

TEST_F(Startup, WelcomeWindowClosesOnAClickAndThePanelAppears) {
    shell = std::make_unique<Shell>(installation);
    HWND welcome = shell->waitForWindow("Welcome");
    ASSERT_TRUE(welcome);
    EXPECT_EQ(className(welcome), "Welcome");
    EXPECT_FALSE(shell->findWindow("OMBRIX"));

    PostMessageA(welcome, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    panel = shell->waitForWindow("OMBRIX");
    ASSERT_TRUE(panel);
    EXPECT_FALSE(IsWindow(welcome));
    exitShell();
}

TEST_F(Startup, WelcomeWindowClosesByItselfAfterThreeSeconds) {
    shell = std::make_unique<Shell>(installation);
    ASSERT_TRUE(shell->waitForWindow("Welcome"));
    const auto shown = std::chrono::steady_clock::now();
    panel = shell->waitForWindow("OMBRIX");
    ASSERT_TRUE(panel);
    const auto waited = std::chrono::steady_clock::now() - shown;
    EXPECT_GT(waited, 2500ms);
    EXPECT_LT(waited, 10s);
    exitShell();
}

TEST_F(Startup, PanelHasEveryControlOfItsTemplate) {
    openPanel();

    const struct {
        int id;
        const char* kind;
        const char* caption;
        LONG styles; // style bits that must be set
        bool bordered = false;
    } controls[] = {
        {IDC_SELECT_GEOMETRY, "Button", "Select", BS_ICON},
        {IDC_SELECT_RECENT, "Button", "Select Recent 5", BS_ICON},
        {IDC_INPUT, "Button", "INPUT", BS_ICON},
        {IDC_SELECT_LOADING, "Button", "Select", BS_ICON},
        {IDC_INCARC, "Button", "INCARC", BS_ICON},
        {IDC_CASE_LIST, "ListBox", "", LBS_NOTIFY | LBS_MULTIPLESEL, true},
        {IDC_ITER, "Button", "I T E R", BS_ICON},
        {IDC_STRUCTURE_GRAPH, "Button", "", BS_ICON},
        {IDC_MAX_PROCESSOR, "Button", "", BS_ICON},
        {IDC_DISPLACED_GRAPH, "Button", "", BS_ICON},
        {IDC_VIEW_EDIT, "Button", "View/\nEdit", BS_ICON | BS_MULTILINE},
        {IDC_PRINT, "Button", "Print", BS_ICON},
        {IDC_USERS_GUIDE, "Button", "User's Guide", BS_ICON},
        {IDC_INPUT_FILE, "Button", "INPUT File", BS_ICON | BS_FLAT},
        {IDC_INCARC_FILE, "Button", "INCARC File", BS_ICON | BS_FLAT},
        {IDC_COMPOUND_STRUCTURE, "Button", "COMPOUND Structure", BS_ICON | BS_FLAT},
        {IDC_ABOUT, "Button", "About", BS_ICON},
        {IDC_EXIT, "Button", "E X I T", BS_ICON},
        {IDC_CASE_CAPTION, "Static", "Select Cases", SS_CENTER},
        {IDC_OUTPUT_FILE, "Edit", ".rez", ES_MULTILINE, true},
        {IDC_LOADING_FILE, "Edit", ".inc", ES_MULTILINE, true},
        {IDC_ITER_GROUP, "Button", "ITER", BS_GROUPBOX},
        {IDC_PROGRAM_STATUS, "ListBox", "", LBS_NOTIFY | LBS_NOSEL, true},
        {IDC_CANCEL, "Button", "Cancel", 0},
        {IDC_OUTPUT_LANGUAGE, "ComboBox", "English", CBS_DROPDOWNLIST},
        {IDC_LIST_TYPE, "ComboBox", "Short", CBS_DROPDOWNLIST},
        {IDC_TEXT_FILE_LIST, "ListBox", "", LBS_NOTIFY, true},
        {IDC_PREVIEW, "Button", "Preview", BS_ICON},
        {IDC_HELP_BUTTON, "Button", "Help", BS_ICON},
        {IDC_SOUND_BOX, "Button", "Sound Off", BS_AUTOCHECKBOX | BS_FLAT},
        {IDC_ALL_CASES, "Button", "All", BS_AUTOCHECKBOX},
        {IDC_COMPOUND_PROCESSOR, "Button", "", BS_ICON},
        {IDC_DIAGRAMS, "Button", "", BS_ICON},
        {IDC_GEOMETRY_FILE, "Edit", ".dat", ES_MULTILINE, true},
    };
    for (const auto& c : controls) {
        HWND window = control(panel, c.id);
        ASSERT_TRUE(window) << "control " << c.id;
        EXPECT_EQ(className(window), c.kind) << "control " << c.id;
        EXPECT_EQ(windowText(window), c.caption) << "control " << c.id;
        EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & c.styles, c.styles) << "control " << c.id;
        // Dialogs draw a control's border as a sunken client edge.
        const bool bordered = (GetWindowLongA(window, GWL_STYLE) & WS_BORDER) ||
                              (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_EQ(bordered, c.bordered) << "control " << c.id;
        EXPECT_EQ(isVisible(window), c.id != IDC_CANCEL) << "control " << c.id;
    }
    EXPECT_EQ(childWindows(panel).size(), 66u);
    EXPECT_EQ(className(panel), "#32770");
    exitShell();
}

TEST_F(Startup, PanelStartsWithItsInitialStates) {
    openPanel();

    const struct {
        int id;
        bool enabled;
    } states[] = {
        {IDC_INPUT, false},          {IDC_INCARC, false},       {IDC_ITER, false},
        {IDC_CASE_CAPTION, false},   {IDC_ALL_CASES, false},    {IDC_PREVIEW, false},
        {IDC_VIEW_EDIT, false},      {IDC_PRINT, false},        {IDC_SELECT_GEOMETRY, true},
        {IDC_SELECT_LOADING, true},  {IDC_SELECT_RECENT, true}, {IDC_SOUND_BOX, true},
        {IDC_STRUCTURE_GRAPH, true}, {IDC_HELP_BUTTON, true},   {IDC_EXIT, true},
    };
    for (const auto& c : states)
        EXPECT_EQ(isEnabled(control(panel, c.id)), c.enabled) << "control " << c.id;

    EXPECT_EQ(listItems(control(panel, IDC_LIST_TYPE)),
              (std::vector<std::string>{"Short", "Complete"}));
    EXPECT_EQ(listSelection(control(panel, IDC_LIST_TYPE)), 1);
    EXPECT_EQ(listItems(control(panel, IDC_OUTPUT_LANGUAGE)),
              (std::vector<std::string>{"English", "Romanian"}));
    EXPECT_EQ(listSelection(control(panel, IDC_OUTPUT_LANGUAGE)), 1);
    EXPECT_EQ(listItems(control(panel, IDC_TEXT_FILE_LIST)),
              (std::vector<std::string>{"", "", "", "New"}));
    EXPECT_TRUE(listItems(control(panel, IDC_CASE_LIST)).empty());
    EXPECT_TRUE(listItems(control(panel, IDC_PROGRAM_STATUS)).empty());
    EXPECT_FALSE(isChecked(control(panel, IDC_SOUND_BOX)));
    EXPECT_FALSE(isChecked(control(panel, IDC_ALL_CASES)));

    for (int id : {IDC_INPUT, IDC_ITER, IDC_EXIT, IDC_SELECT_GEOMETRY, IDC_DIAGRAMS})
        EXPECT_NE(SendMessageA(control(panel, id), BM_GETIMAGE, IMAGE_ICON, 0), 0) << id;
    exitShell();
}

TEST_F(Startup, AFreshStartLeavesTheSettingsFiles) {
    ASSERT_FALSE(installation.exists("Sound.dat"));
    openPanel();
    EXPECT_EQ(installation.read("Sound.dat"), " F\r\n");
    EXPECT_EQ(installation.read("recent.dat"), blankRecentFile);
    EXPECT_EQ(installation.read("language.dat"), "English             \r\n");
    EXPECT_FALSE(installation.exists("Sound.dat.new"));
    exitShell();
}

TEST_F(Startup, SoundSettingOfTheLastRunIsKept) {
    installation.write("Sound.dat", " T\r\n");
    openPanel();
    EXPECT_TRUE(isChecked(control(panel, IDC_SOUND_BOX)));
    EXPECT_EQ(windowText(control(panel, IDC_SOUND_BOX)), "Sound On");
    EXPECT_EQ(installation.read("Sound.dat"), " T\r\n");
    exitShell();
}

TEST_F(Startup, OutputLanguageComesFromTheSuitesSharedParameters) {
    const std::filesystem::path work = installation.root() / "My Work";
    installation.write("work_dir.dat", utf8Text(work) + "\r\n");
    installation.write("../My Work/Comomb.dat", "20 5 0.001\r\nRomanian\r\n");
    openPanel();
    EXPECT_EQ(listSelection(control(panel, IDC_OUTPUT_LANGUAGE)), 2);
    EXPECT_EQ(installation.read("language.dat"), "Romanian            \r\n");
    exitShell();
}

TEST_F(Startup, EditsAndListsShowTheirColours) {
    openPanel();
    const struct {
        int id;
        COLORREF colour;
    } cases[] = {
        {IDC_GEOMETRY_FILE, RGB(255, 255, 180)},  {IDC_OUTPUT_FILE, RGB(255, 255, 180)},
        {IDC_LOADING_FILE, RGB(255, 255, 180)},   {IDC_CASE_LIST, RGB(255, 255, 180)},
        {IDC_TEXT_FILE_LIST, RGB(255, 255, 180)}, {IDC_PROGRAM_STATUS, RGB(202, 255, 255)},
    };
    for (const auto& c : cases) {
        HWND window = control(panel, c.id);
        RECT client{};
        GetClientRect(window, &client);
        // Near the right end of the last row, clear of any text.
        const POINT point{client.right * 3 / 4, client.bottom - 3};
        COLORREF seen = 0;
        // The display catches up with the window's painting a moment later.
        waitUntil([&] { return (seen = colourAt(window, point)) == c.colour; }, 5s);
        EXPECT_EQ(seen, c.colour) << "control " << c.id;
    }
    exitShell();
}

TEST(Closing, EveryWayOfClosingThePanelEndsWithCodeZero) {
    const struct {
        const char* name;
        void (*close)(HWND panel);
    } closers[] = {
        {"E X I T", [](HWND panel) { click(control(panel, IDC_EXIT)); }},
        {"Escape", [](HWND panel) { pressKey(control(panel, IDC_SELECT_GEOMETRY), VK_ESCAPE); }},
        {"close box", [](HWND panel) { PostMessageA(panel, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& c : closers) {
        Installation installation;
        Shell shell(installation);
        HWND panel = shell.openPanel();
        ASSERT_TRUE(panel) << c.name;
        c.close(panel);
        EXPECT_EQ(shell.waitForExit(), std::optional<DWORD>(0)) << c.name;
    }
}

TEST_F(Startup, EnterInAFieldLeavesThePanelOpen) {
    openPanel();
    for (int field : {IDC_GEOMETRY_FILE, IDC_OUTPUT_FILE, IDC_LOADING_FILE, IDC_LIST_TYPE})
        pressKey(control(panel, field), VK_RETURN);
    // The keys are handled in turn before the click that follows them.
    click(control(panel, IDC_SOUND_BOX));
    ASSERT_TRUE(waitUntil([&] { return installation.read("Sound.dat") == " T\r\n"; }));
    EXPECT_TRUE(IsWindow(panel));
    EXPECT_EQ(windowText(control(panel, IDC_GEOMETRY_FILE)), ".dat");
    exitShell();
}

// Two graph programs still run at exit: No leaves them running, Yes ends them. Before the
// first exit, Windows ends the session: the recent list is saved then too.
TEST(Closing, ProgramsStillRunningAreEndedOnlyWhenTheUserSaysYes) {
    for (const int reply : {IDNO, IDYES}) {
        Installation installation;
        Shell shell(installation);
        HWND panel = shell.openPanel();
        ASSERT_TRUE(panel);
        const std::string bridge = utf8Text(installation.root() / "Dat" / "Bridge.dat");
        typeText(control(panel, IDC_GEOMETRY_FILE), bridge);
        click(control(panel, IDC_INPUT));
        ASSERT_TRUE(
            waitUntil([&] { return listItems(control(panel, IDC_PROGRAM_STATUS)).size() == 2; }));
        for (int graph : {IDC_STRUCTURE_GRAPH, IDC_DISPLACED_GRAPH})
            click(control(panel, graph));
        ASSERT_TRUE(waitUntil([&] { return shell.runningChildren().size() == 2; }));
        if (reply == IDNO) {
            SendMessageA(panel, WM_QUERYENDSESSION, 0, 0);
            SendMessageA(panel, WM_ENDSESSION, TRUE, 0);
            EXPECT_EQ(installation.read("recent.dat"), bridge + "\r\n");
            EXPECT_FALSE(installation.exists("language.dat"));
        }
        click(control(panel, IDC_EXIT));
        HWND question = shell.waitForWindow("OMBRIX Message");
        ASSERT_TRUE(question);
        EXPECT_EQ(messageBoxText(question),
                  "2 Programs Are Still Running!\nWould You Like to Terminate Them?");
        answer(question, reply);
        EXPECT_EQ(shell.waitForExit(), std::optional<DWORD>(0));
        EXPECT_EQ(shell.runningChildren().size(), reply == IDNO ? 2u : 0u);
        EXPECT_FALSE(installation.exists("language.dat"));
    }
}

TEST_F(Startup, AMissingIconFolderDoesNotStopStartUp) {
    std::filesystem::remove_all(installation.exeDir() / "Uir");
    openPanel();
    EXPECT_EQ(SendMessageA(control(panel, IDC_INPUT), BM_GETIMAGE, IMAGE_ICON, 0), 0);
    exitShell();
}

TEST_F(Startup, ASettingsFileThatCannotBeWrittenIsReportedOnce) {
    // A folder in the way of Sound.dat: it can be neither read nor replaced.
    std::filesystem::create_directory(installation.exeDir() / "Sound.dat");
    openPanel();
    HWND box = shell->waitForWindow("OMBRIX Message");
    ASSERT_TRUE(box);
    const std::string text = messageBoxText(box);
    EXPECT_NE(text.find("Sound.dat"), std::string::npos) << text;
    EXPECT_EQ(text.find("recent.dat"), std::string::npos) << text;
    answer(box, IDOK);

    EXPECT_FALSE(isChecked(control(panel, IDC_SOUND_BOX)));
    EXPECT_EQ(installation.read("recent.dat"), blankRecentFile);
    EXPECT_FALSE(shell->waitForWindow("OMBRIX Message", 1s));
    exitShell();
}
