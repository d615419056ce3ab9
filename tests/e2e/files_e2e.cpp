#include "harness.h"
#include "ids.h"

#include <string>
#include <vector>

using namespace e2e;

namespace {

std::string dataFolder(const Installation& installation) {
    return utf8Text(installation.root() / "Dat") + "\\";
}

} // namespace

using PanelFiles = PanelTest;

// A name in Cyrillic and Chinese letters, which no single-byte code page holds.
const std::string foreignName = "\xD0\x9C\xD0\xBE\xD1\x81\xD1\x82 \xE6\xA1\xA5";

TEST_F(PanelFiles, AGeometryFileChosenInTheOpenDialogNamesTheFileSet) {
    const std::string data = dataFolder(installation);
    std::filesystem::copy_file(pathOf(data + "Bridge.dat"), pathOf(data + foreignName + ".dat"));
    std::filesystem::copy_file(pathOf(data + "Bridge.inc"), pathOf(data + foreignName + ".inc"));
    openPanel();
    click(control(panel, IDC_SELECT_GEOMETRY));
    HWND open = shell->waitForWindow("Select Input File (.dat)");
    ASSERT_TRUE(open);
    // The panel takes no input while the Open dialog is up.
    EXPECT_FALSE(isEnabled(panel));
    chooseInOpenDialog(open, data + foreignName + ".dat");
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(open); }));
    EXPECT_TRUE(waitUntil([&] { return isEnabled(panel); }));

    const std::string stem = data + foreignName;
    EXPECT_EQ(windowText(control(panel, IDC_GEOMETRY_FILE)), stem + ".dat");
    EXPECT_EQ(windowText(control(panel, IDC_OUTPUT_FILE)), stem + ".rez");
    EXPECT_EQ(windowText(control(panel, IDC_LOADING_FILE)), stem + ".inc");
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
    EXPECT_EQ(suiteStarts()[0].currentFolder, utf8Text(installation.exeDir()));
    EXPECT_EQ(suiteStarts()[0].commandLine, "\"" + exePath("Prepare 20.exe") + "\" \"" + stem +
                                                ".dat\" \"" + stem + ".rez\" Short Romanian");
    EXPECT_TRUE(waitUntil([&] { return std::filesystem::exists(pathOf(stem + ".rez")); }));
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

// A C-runtime reader opens the file without letting it be deleted, which keeps it from
// being replaced while it is open.
TEST_F(PanelFiles, ASettingIsSavedWhileAnotherProgramReadsItsFile) {
    openPanel();
    HANDLE reader = CreateFileW((installation.exeDir() / "language.dat").c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    selectItem(panel, IDC_OUTPUT_LANGUAGE, 2);
    EXPECT_TRUE(
        waitUntil([&] { return installation.read("language.dat") == "Romanian            \r\n"; }));
    CloseHandle(reader);
    EXPECT_FALSE(shell->waitForWindow("OMBRIX Message", 1s));
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
