#include "shell_test.h"

#include "about/about_window.h"
#include "files/recent.h"
#include "files/settings.h"
#include "ids.h"
#include "shell/icons.h"
#include "shell/panel.h"
#include "shell/startup.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using platform::WindowEvent;

constexpr int showNormal = 1;

int startShell() {
    return shellMain({false, showNormal});
}

// "language.dat" as the suite's programs find it while the shell runs; it is gone after.
std::string languageFileWhileRunning;

void exitByButton(int controlId) {
    fake::state().mainLoop = [controlId](platform::Dialog panel) {
        std::ifstream file(fake::hostPath("language.dat"), std::ios::binary);
        languageFileWhileRunning.assign(std::istreambuf_iterator<char>(file), {});
        fake::click(panel, controlId);
    };
}

bool sameColour(const std::optional<platform::Colour>& a, const platform::Colour& b) {
    return a && a->red == b.red && a->green == b.green && a->blue == b.blue;
}

} // namespace

class Startup : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        installIcons();
        exitByButton(IDC_EXIT);
    }
};

TEST_F(Startup, AFreshInstallationLeavesItsFilesInTheStartFolder) {
    EXPECT_EQ(startShell(), 0);
    EXPECT_EQ(readFile("Sound.dat"), " F\r\n");
    const std::string blankLine = std::string(260, ' ') + "\r\n";
    EXPECT_EQ(readFile("recent.dat"), blankLine + blankLine + blankLine + blankLine + blankLine);
    EXPECT_EQ(languageFileWhileRunning, "English             \r\n");
    EXPECT_FALSE(fileExists("language.dat"));
    EXPECT_TRUE(fake::state().messages.empty());
    EXPECT_TRUE(fake::state().sounds.empty());
}

TEST_F(Startup, WelcomeWindowIsCentredAndSizedFromTheDesktop) {
    fake::state().desktop = {0, 0, 1366, 768};
    startShell();
    ASSERT_FALSE(fake::state().windows.empty());
    const fake::Window& shown = fake::state().windows.front();
    EXPECT_EQ(shown.className, "Welcome");
    EXPECT_EQ(shown.title, "Welcome");
    EXPECT_EQ(shown.width, 546);
    EXPECT_EQ(shown.height, 307);
    EXPECT_EQ(shown.x, 410);
    EXPECT_EQ(shown.y, 230);
    EXPECT_TRUE(shown.destroyed);
    EXPECT_TRUE(welcome.welcomeDone);
}

TEST_F(Startup, WelcomePhaseEndsOnTimerClickOrClose) {
    const struct {
        const char* name;
        std::vector<WindowEvent> events;
        int timerMilliseconds;
    } cases[] = {
        {"timer after painting", {WindowEvent::Painted, WindowEvent::Timer}, 3000},
        {"click before any painting", {WindowEvent::LeftClick, WindowEvent::Painted}, 0},
        {"close request", {WindowEvent::Painted, WindowEvent::CloseRequest}, 3000},
    };
    forEachRow(cases, [&](const auto& c) {
        fake::state().welcomeEvents = c.events;
        EXPECT_EQ(startShell(), 0) << c.name;
        const fake::Window& shown = fake::state().windows.front();
        EXPECT_TRUE(shown.destroyed) << c.name;
        EXPECT_EQ(shown.timerMilliseconds, c.timerMilliseconds) << c.name;
        EXPECT_TRUE(welcome.welcomeDone) << c.name;
        EXPECT_TRUE(fake::isDestroyed(panel.dialog)) << c.name;
    });
}

TEST_F(Startup, WelcomeSoundPlaysOnlyWhenSoundsAreOn) {
    const struct {
        std::string soundFile;
        std::vector<std::string> sounds;
    } cases[] = {
        {" T\r\n",
         {"C:\\Ombrix\\Exe\\Wav\\OmbrixWelcome.wav", "C:\\Ombrix\\Exe\\Wav\\GoodBye.wav"}},
        {" F\r\n", {}},
    };
    forEachRow(cases, [&](const auto& c) {
        writeFile("Sound.dat", c.soundFile);
        startShell();
        EXPECT_EQ(fake::state().sounds, c.sounds) << c.soundFile;
        EXPECT_EQ(readFile("Sound.dat"), c.soundFile);
    });
}

TEST_F(Startup, PanelStartsWithItsInitialValues) {
    fake::state().mainLoop = nullptr;
    fake::state().quitValue = 0;
    startShell();
    platform::Dialog dialog = fake::lastDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(fake::isVisible(dialog));

    const struct {
        int id;
        bool enabled;
    } enabledStates[] = {
        {IDC_INPUT, false},         {IDC_INCARC, false},       {IDC_ITER, false},
        {IDC_CASE_CAPTION, false},  {IDC_ALL_CASES, false},    {IDC_PREVIEW, false},
        {IDC_VIEW_EDIT, false},     {IDC_PRINT, false},        {IDC_SELECT_GEOMETRY, true},
        {IDC_SELECT_LOADING, true}, {IDC_SELECT_RECENT, true}, {IDC_SOUND_BOX, true},
        {IDC_EXIT, true},
    };
    for (const auto& c : enabledStates)
        EXPECT_EQ(fake::control(dialog, c.id).enabled, c.enabled) << "control " << c.id;

    EXPECT_EQ(fake::control(dialog, IDC_GEOMETRY_FILE).text, ".dat");
    EXPECT_EQ(fake::control(dialog, IDC_OUTPUT_FILE).text, ".rez");
    EXPECT_EQ(fake::control(dialog, IDC_LOADING_FILE).text, ".inc");
    EXPECT_FALSE(fake::control(dialog, IDC_ALL_CASES).checked);

    const fake::Control& listType = fake::control(dialog, IDC_LIST_TYPE);
    EXPECT_EQ(listType.items, (std::vector<std::string>{"Short", "Complete"}));
    EXPECT_EQ(listType.selected, 1);
    EXPECT_EQ(settings.listType.trimmed(), "Short");

    const fake::Control& language = fake::control(dialog, IDC_OUTPUT_LANGUAGE);
    EXPECT_EQ(language.items, (std::vector<std::string>{"English", "Romanian"}));
    EXPECT_EQ(language.selected, 1);

    EXPECT_EQ(fake::control(dialog, IDC_TEXT_FILE_LIST).items,
              (std::vector<std::string>{"", "", "", "New"}));
    EXPECT_FALSE(fake::control(dialog, IDC_SOUND_BOX).checked);
    EXPECT_EQ(fake::control(dialog, IDC_SOUND_BOX).text, "Sound Off");
}

TEST_F(Startup, PanelShowsItsIconsAndColours) {
    startShell();
    platform::Dialog dialog = fake::lastDialog();
    EXPECT_EQ(fake::smallIcon(dialog), buttonIcons[panelIcon]);
    const struct {
        int id;
        ButtonIcon icon;
    } iconOf[] = {
        {IDC_ITER, panelIcon},
        {IDC_INPUT, inputIcon},
        {IDC_SELECT_GEOMETRY, openIcon},
        {IDC_SELECT_LOADING, openIcon},
        {IDC_EXIT, exitIcon},
        {IDC_DIAGRAMS, diagramsIcon},
        {IDC_STRUCTURE_GRAPH, structureIcon},
    };
    for (const auto& c : iconOf) {
        EXPECT_NE(fake::control(dialog, c.id).icon, nullptr) << c.id;
        EXPECT_EQ(fake::control(dialog, c.id).icon, buttonIcons[c.icon]) << c.id;
    }

    const platform::Colour lightYellow{255, 255, 180}, lightCyan{202, 255, 255};
    for (int id :
         {IDC_GEOMETRY_FILE, IDC_OUTPUT_FILE, IDC_LOADING_FILE, IDC_CASE_LIST, IDC_TEXT_FILE_LIST})
        EXPECT_TRUE(sameColour(fake::control(dialog, id).background, lightYellow)) << id;
    EXPECT_TRUE(sameColour(fake::control(dialog, IDC_PROGRAM_STATUS).background, lightCyan));
    for (int id : {IDC_LIST_TYPE, IDC_OUTPUT_LANGUAGE, IDC_SOUND_BOX})
        EXPECT_FALSE(fake::control(dialog, id).background) << id;
}

TEST_F(Startup, IconsAreLoadedInOrderWithTheirSizes) {
    startShell();
    const auto& icons = fake::state().icons;
    ASSERT_EQ(icons.size(), 21u);
    const std::string uir = "C:\\Ombrix\\Exe\\Uir\\";
    EXPECT_EQ(icons[0].path, uir + "icon1.ico");
    EXPECT_EQ(icons[1].path, uir + "icon1.ico");
    EXPECT_EQ(icons[9].path, uir + "Notepad.ico");
    EXPECT_EQ(icons[9].size, 32);
    EXPECT_EQ(icons[12].path, uir + "IconStructure.ico");
    EXPECT_TRUE(icons[12].vgaColours);
    EXPECT_TRUE(icons[13].vgaColours);
    EXPECT_FALSE(icons[14].vgaColours);
    EXPECT_EQ(icons[20].path, uir + "Diagrams.ico");
    EXPECT_EQ(icons[20].size, 48);
    EXPECT_EQ(icons[15].size, 0);
}

TEST_F(Startup, MissingIconsLeaveButtonsBareButTheShellStarts) {
    std::filesystem::remove_all(fake::hostPath("C:\\Ombrix\\Exe\\Uir"));
    EXPECT_EQ(startShell(), 0);
    EXPECT_EQ(fake::control(fake::lastDialog(), IDC_INPUT).icon, nullptr);
    EXPECT_TRUE(fake::state().messages.empty());
    EXPECT_TRUE(welcome.welcomeDone);
}

TEST_F(Startup, LanguageIsSelectedByItsFirstLetterAndHandedOnAsShown) {
    const struct {
        std::string lastLines;
        int selected;
        std::string language;
    } cases[] = {
        {"Romanian", 2, "Romanian"},      {"romanian", 2, "Romanian"},
        {"English", 1, "English"},        {"Romanian\r\n   \r\n", 2, "Romanian"},
        {"  Romanian", 1, "English"},     {"Rumanian and more text", 2, "Romanian"},
        {"\"Romanian\" x", 1, "English"},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.lastLines);
        writeFile("work_dir.dat", "C:\\Work\r\n");
        writeFile("C:\\Work\\Comomb.dat", "params\r\n" + c.lastLines + "\r\n");
        startShell();
        EXPECT_EQ(fake::control(fake::lastDialog(), IDC_OUTPUT_LANGUAGE).selected, c.selected);
        EXPECT_EQ(languageFileWhileRunning, std::string(LanguageText(c.language).whole()) + "\r\n");
        EXPECT_EQ(settings.outputLanguage, c.language);
    });
}

TEST_F(Startup, RecentListIsReadFromAnExistingFile) {
    writeFile("C:\\Jobs\\A.dat", "");
    writeFile("recent.dat", "C:\\Jobs\\A.dat\r\nC:\\Jobs\\Gone.dat\r\n");
    startShell();
    EXPECT_EQ(recentFiles[0].trimmed(), "C:\\Jobs\\A.dat");
    EXPECT_TRUE(recentFiles[1].isBlank());
    EXPECT_EQ(readFile("recent.dat"), "C:\\Jobs\\A.dat\r\n");
}

TEST_F(Startup, EveryWayOfClosingThePanelEndsWithExitCodeZero) {
    forEachRow(std::array{IDC_EXIT, IDC_CANCEL}, [&](int closer) {
        exitByButton(closer);
        EXPECT_EQ(startShell(), 0) << closer;
        EXPECT_TRUE(fake::isDestroyed(panel.dialog)) << closer;
    });
}

TEST_F(Startup, ASecondShellOfTheInstallationBringsTheFirstForward) {
    ASSERT_EQ(startShell(), 0);
    const std::size_t windows = fake::state().windows.size();
    fake::state().messages.clear();
    EXPECT_EQ(startShell(), 0);
    EXPECT_EQ(fake::state().windows.size(), windows);
    ASSERT_EQ(fake::state().messages.size(), 1u);
    EXPECT_TRUE(fake::state().messages[0].text.starts_with(
        "OMBRIX is already running from this installation:\nC:\\Ombrix\\Exe\n"));
    EXPECT_EQ(fake::state().instancesShown, std::vector<std::string>{"OMBRIX"});
}

TEST_F(Startup, FailuresToCreateItsWindowsEndTheShellWithTheStartupError) {
    const struct {
        const char* name;
        bool fake::State::*refusal;
    } cases[] = {
        {"class registration", &fake::State::refuseClassRegistration},
        {"welcome window", &fake::State::refuseWindowCreation},
        {"panel", &fake::State::refuseDialogCreation},
    };
    forEachRow(cases, [&](const auto& c) {
        fake::state().*c.refusal = true;
        EXPECT_EQ(startShell(), 0) << c.name;
        ASSERT_EQ(fake::state().messages.size(), 1u) << c.name;
        const fake::Message& message = fake::state().messages.front();
        EXPECT_EQ(message.text, "Error initializing application OMBRIX") << c.name;
        EXPECT_EQ(message.title, "Error") << c.name;
        EXPECT_EQ(message.buttons, platform::MessageButtons::Ok) << c.name;
        EXPECT_EQ(fake::lastDialog(), nullptr) << c.name;
    });
}

TEST_F(Startup, AStartFolderThatCannotBeWrittenIsReportedOnceAndLosesNothing) {
    for (const char* name : {"Sound.dat", "recent.dat", "language.dat"})
        fake::state().unwritableFiles.insert(std::string(startDir) + "\\" + name);
    EXPECT_EQ(startShell(), 0);

    ASSERT_EQ(fake::state().messages.size(), 1u);
    const fake::Message& message = fake::state().messages.front();
    EXPECT_EQ(message.title, "OMBRIX Message");
    for (const char* name : {"Sound.dat", "recent.dat", "language.dat"})
        EXPECT_NE(message.text.find(std::string(startDir) + "\\" + name), std::string::npos)
            << name;
    EXPECT_FALSE(settings.soundOn);
    for (const PathText& entry : recentFiles)
        EXPECT_TRUE(entry.isBlank());
    EXPECT_TRUE(fake::isDestroyed(panel.dialog));
}

TEST_F(Startup, ASoundSettingThatCannotBeRewrittenIsKept) {
    writeFile("Sound.dat", " T\r\n");
    fake::state().unwritableFiles.insert(std::string(startDir) + "\\Sound.dat");
    startShell();
    EXPECT_TRUE(settings.soundOn);
    EXPECT_TRUE(fake::control(panel.dialog, IDC_SOUND_BOX).checked);
    EXPECT_EQ(fake::state().messages.size(), 1u);
}
