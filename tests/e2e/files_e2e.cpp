#include "harness.h"
#include "ids.h"

#include <string>
#include <vector>

using namespace e2e;

namespace {

std::string dataFolder(const Installation& installation) {
    return (installation.root() / "Dat").string() + "\\";
}

} // namespace

using PanelFiles = PanelTest;

TEST_F(PanelFiles, AGeometryFileChosenInTheOpenDialogNamesTheFileSet) {
    openPanel();
    const std::string data = dataFolder(installation);
    click(control(panel, IDC_SELECT_GEOMETRY));
    HWND open = shell->waitForWindow("Select Input File (.dat)");
    ASSERT_TRUE(open);
    chooseInOpenDialog(open, data + "Cable Net.dat");
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(open); }));

    EXPECT_EQ(windowText(control(panel, IDC_GEOMETRY_FILE)), data + "Cable Net.dat");
    EXPECT_EQ(windowText(control(panel, IDC_OUTPUT_FILE)), data + "Cable Net.rez");
    EXPECT_EQ(windowText(control(panel, IDC_LOADING_FILE)), data + "Cable Net.inc");
    EXPECT_TRUE(isEnabled(control(panel, IDC_INPUT)));
    EXPECT_TRUE(isEnabled(control(panel, IDC_PREVIEW)));
    EXPECT_FALSE(isEnabled(control(panel, IDC_INCARC)));
    EXPECT_EQ(
        listItems(control(panel, IDC_TEXT_FILE_LIST)),
        (std::vector<std::string>{"Geometry File", "Loading File", std::string(20, ' '), "New"}));

    // The shell's files and the suite's programs still use the start folder.
    selectItem(panel, IDC_OUTPUT_LANGUAGE, 2);
    EXPECT_TRUE(
        waitUntil([&] { return installation.read("language.dat") == "Romanian            \r\n"; }));
    EXPECT_FALSE(std::filesystem::exists(installation.root() / "Dat" / "language.dat"));
    click(control(panel, IDC_INPUT));
    ASSERT_TRUE(waitUntil([&] { return suiteStarts().size() == 1; }));
    EXPECT_EQ(suiteStarts()[0].currentFolder, installation.exeDir().string());
    EXPECT_EQ(suiteStarts()[0].commandLine, "\"" + exePath("Prepare 20.exe") + "\" \"" + data +
                                                "Cable Net.dat\" \"" + data +
                                                "Cable Net.rez\" Short Romanian");
    exitShell();
}

TEST_F(PanelFiles, TypedNamesDeriveTheOthersAndDecideInput) {
    openPanel();
    HWND geometry = control(panel, IDC_GEOMETRY_FILE);
    HWND input = control(panel, IDC_INPUT);
    typeText(geometry, "C:\\Jobs.2020\\bridge.dat");
    ASSERT_TRUE(waitUntil([&] { return isEnabled(input); }));
    EXPECT_EQ(windowText(control(panel, IDC_OUTPUT_FILE)), "C:\\Jobs.2020\\bridge.rez");
    EXPECT_EQ(windowText(control(panel, IDC_LOADING_FILE)), "C:\\Jobs.2020\\bridge.inc");

    typeText(control(panel, IDC_OUTPUT_FILE), ".rez");
    EXPECT_TRUE(waitUntil([&] { return !isEnabled(input); }));
    typeText(geometry, "abc");
    EXPECT_TRUE(waitUntil([&] { return isEnabled(input); }));
    EXPECT_EQ(windowText(control(panel, IDC_OUTPUT_FILE)), "abc.rez");
    typeText(geometry, "");
    EXPECT_TRUE(waitUntil([&] { return !isEnabled(input); }));
    EXPECT_EQ(windowText(control(panel, IDC_LOADING_FILE)), ".inc");
    exitShell();
}

TEST_F(PanelFiles, TheSoundSettingIsSavedAtEachClickAndKept) {
    openPanel();
    HWND sound = control(panel, IDC_SOUND_BOX);
    click(sound);
    EXPECT_TRUE(waitUntil([&] { return installation.read("Sound.dat") == " T\r\n"; }));
    EXPECT_EQ(windowText(sound), "Sound On");
    click(sound);
    EXPECT_TRUE(waitUntil([&] { return installation.read("Sound.dat") == " F\r\n"; }));
    EXPECT_EQ(windowText(sound), "Sound Off");
    click(sound);
    EXPECT_TRUE(waitUntil([&] { return installation.read("Sound.dat") == " T\r\n"; }));
    exitShell();

    openPanel();
    EXPECT_TRUE(isChecked(control(panel, IDC_SOUND_BOX)));
    EXPECT_EQ(windowText(control(panel, IDC_SOUND_BOX)), "Sound On");
    exitShell();
}

// recent.dat names both sample analyses; the dialog is worked as the user would.
class RecentDialog : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        data = dataFolder(installation);
        installation.write("recent.dat", data + "Bridge.dat\r\n" + data + "Cable Net.dat\r\n");
        openPanel();
    }

    HWND openRecentDialog() {
        click(control(panel, IDC_SELECT_RECENT));
        return shell->waitForWindow("Recent Dialog");
    }

    bool waitForDialogToClose(HWND dialog) {
        return waitUntil([&] { return !IsWindow(dialog); });
    }

    std::string data;
};

TEST_F(RecentDialog, AnEntryIsPickedWithDoneOrADoubleClick) {
    HWND dialog = openRecentDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(listItems(control(dialog, IDC_RECENT_LIST)),
              (std::vector<std::string>{data + "Bridge.dat", data + "Cable Net.dat", "", "", ""}));
    HWND done = control(dialog, IDOK);
    EXPECT_FALSE(isEnabled(done));
    selectItem(dialog, IDC_RECENT_LIST, 2);
    ASSERT_TRUE(waitUntil([&] { return isEnabled(done); }));
    click(done);
    ASSERT_TRUE(waitForDialogToClose(dialog));
    EXPECT_EQ(windowText(control(panel, IDC_GEOMETRY_FILE)), data + "Cable Net.dat");
    EXPECT_EQ(windowText(control(panel, IDC_OUTPUT_FILE)), data + "Cable Net.rez");
    EXPECT_TRUE(isEnabled(control(panel, IDC_INPUT)));

    dialog = openRecentDialog();
    ASSERT_TRUE(dialog);
    // The current geometry file was put on top when the dialog opened.
    EXPECT_EQ(listItems(control(dialog, IDC_RECENT_LIST))[0], data + "Cable Net.dat");
    doubleClickItem(dialog, IDC_RECENT_LIST, 2);
    ASSERT_TRUE(waitForDialogToClose(dialog));
    EXPECT_EQ(windowText(control(panel, IDC_GEOMETRY_FILE)), data + "Bridge.dat");
    exitShell();
}

TEST_F(RecentDialog, CancelChangesNothing) {
    HWND dialog = openRecentDialog();
    ASSERT_TRUE(dialog);
    selectItem(dialog, IDC_RECENT_LIST, 1);
    ASSERT_TRUE(waitUntil([&] { return isEnabled(control(dialog, IDOK)); }));
    click(control(dialog, IDCANCEL));
    ASSERT_TRUE(waitForDialogToClose(dialog));
    EXPECT_EQ(windowText(control(panel, IDC_GEOMETRY_FILE)), ".dat");
    EXPECT_FALSE(isEnabled(control(panel, IDC_INPUT)));
    exitShell();
}

TEST_F(RecentDialog, AVanishedFileIsReportedAndRemoved) {
    std::filesystem::remove(installation.root() / "Dat" / "Bridge.dat");
    HWND dialog = openRecentDialog();
    ASSERT_TRUE(dialog);
    selectItem(dialog, IDC_RECENT_LIST, 1);
    EXPECT_EQ(takeMessage("Select Recent Message"), " File does not exist (was deleted) !");
    ASSERT_TRUE(waitForDialogToClose(dialog));
    EXPECT_EQ(installation.read("recent.dat"), data + "Cable Net.dat\r\n");
    EXPECT_EQ(windowText(control(panel, IDC_GEOMETRY_FILE)), ".dat");
    exitShell();
}

TEST_F(PanelFiles, ALanguageThatCannotBeHandedOnIsReported) {
    openPanel();
    // A folder in the way of language.dat: it cannot be replaced.
    installation.remove("language.dat");
    std::filesystem::create_directory(installation.exeDir() / "language.dat");
    selectItem(panel, IDC_OUTPUT_LANGUAGE, 2);
    const std::string message = takeMessage();
    EXPECT_NE(message.find("language.dat"), std::string::npos) << message;
    EXPECT_EQ(listSelection(control(panel, IDC_OUTPUT_LANGUAGE)), 2);
    EXPECT_FALSE(shell->waitForWindow("OMBRIX Message", 2s));
    exitShell();
}
