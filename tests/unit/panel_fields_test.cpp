#include "shell_test.h"

#include "files/file_set.h"
#include "files/settings.h"
#include "ids.h"
#include "shell/panel.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using platform::Dialog;

std::string edit(Dialog panel, int controlId) {
    return platform::text(panel, controlId);
}

std::vector<std::string> items(Dialog panel, int controlId) {
    return fake::control(panel, controlId).items;
}

} // namespace

using PanelFields = PanelShellTest;

TEST(FileSet, OutputAndLoadingNamesFollowTheGeometryName) {
    const std::string longStem = "C:\\" + std::string(252, 'x');
    const struct {
        std::string geometry, output, loading;
    } cases[] = {
        {"C:\\Jobs\\bridge.dat", "C:\\Jobs\\bridge.rez", "C:\\Jobs\\bridge.inc"},
        {"C:\\Jobs.2020\\bridge.dat", "C:\\Jobs.2020\\bridge.rez", "C:\\Jobs.2020\\bridge.inc"},
        {"C:\\Jobs.2020\\bridge", "C:\\Jobs.2020\\bridge.rez", "C:\\Jobs.2020\\bridge.inc"},
        {"C:\\My Jobs\\my bridge.v2.dat", "C:\\My Jobs\\my bridge.v2.rez",
         "C:\\My Jobs\\my bridge.v2.inc"},
        {"abc", "abc.rez", "abc.inc"},
        {"", ".rez", ".inc"},
        {".dat", ".rez", ".inc"},
        {"\\.dat", "\\.rez", "\\.inc"},
        {longStem + ".dat", longStem + ".rez", longStem + ".inc"},
        {longStem + "yyyy", (longStem + "yyyy.rez").substr(0, 260),
         (longStem + "yyyy.inc").substr(0, 260)},
    };
    for (const auto& c : cases) {
        fileSet.geometryFile = c.geometry;
        deriveFileNames();
        EXPECT_EQ(fileSet.outputFile, c.output) << c.geometry;
        EXPECT_EQ(fileSet.loadingFile, c.loading) << c.geometry;
    }
}

TEST_F(PanelFields, EachEventSetsTheButtonsOfItsRowAndLeavesTheNamesAsShown) {
    enum Effect { unchanged, enable, disable };
    constexpr int buttons[] = {IDC_PREVIEW, IDC_INPUT,     IDC_INCARC,
                               IDC_ITER,    IDC_VIEW_EDIT, IDC_PRINT};
    const auto chooseGeometry = [](Dialog p) {
        fake::state().chosenFiles = {"C:\\Jobs\\bridge.dat"};
        fake::click(p, IDC_SELECT_GEOMETRY);
    };
    const auto chooseLoading = [](Dialog p) {
        fake::state().chosenFiles = {"C:\\Jobs\\bridge.inc"};
        fake::click(p, IDC_SELECT_LOADING);
    };
    const struct {
        const char* event;
        std::function<void(Dialog)> act;
        Effect effects[6]; // Preview, INPUT, INCARC, I T E R, View/Edit, Print
    } rows[] = {
        {"geometry file chosen",
         chooseGeometry,
         {enable, enable, disable, disable, disable, unchanged}},
        {"loading file chosen",
         chooseLoading,
         {unchanged, unchanged, unchanged, unchanged, disable, unchanged}},
        {"geometry chooser cancelled",
         [](Dialog p) { fake::click(p, IDC_SELECT_GEOMETRY); },
         {unchanged, unchanged, unchanged, unchanged, unchanged, unchanged}},
        {"loading chooser cancelled",
         [](Dialog p) { fake::click(p, IDC_SELECT_LOADING); },
         {unchanged, unchanged, unchanged, unchanged, unchanged, unchanged}},
        {"geometry typed, name usable",
         [](Dialog p) { fake::type(p, IDC_GEOMETRY_FILE, "abc"); },
         {enable, enable, disable, unchanged, disable, disable}},
        {"geometry typed, \\.dat",
         [](Dialog p) { fake::type(p, IDC_GEOMETRY_FILE, "\\.dat"); },
         {enable, disable, disable, unchanged, disable, disable}},
        {"output typed, name usable",
         [](Dialog p) { fake::type(p, IDC_OUTPUT_FILE, "x.rez"); },
         {unchanged, enable, disable, unchanged, unchanged, unchanged}},
        {"output typed, .rez",
         [](Dialog p) { fake::type(p, IDC_OUTPUT_FILE, ".rez"); },
         {unchanged, disable, disable, unchanged, unchanged, unchanged}},
        {"loading typed",
         [](Dialog p) { fake::type(p, IDC_LOADING_FILE, "x.inc"); },
         {unchanged, unchanged, unchanged, unchanged, disable, disable}},
        {"list type changed",
         [](Dialog p) { fake::select(p, IDC_LIST_TYPE, 2); },
         {unchanged, unchanged, disable, unchanged, unchanged, unchanged}},
        {"language changed",
         [](Dialog p) { fake::select(p, IDC_OUTPUT_LANGUAGE, 2); },
         {unchanged, unchanged, disable, unchanged, unchanged, unchanged}},
    };
    for (const auto& row : rows) {
        forEachRow(std::array{false, true}, [&](bool before) {
            SCOPED_TRACE(std::string(row.event) + (before ? ", all enabled" : ", all disabled"));
            writeFile("C:\\Jobs\\bridge.dat", "");
            for (int id : buttons)
                platform::setEnabled(panel, id, before);
            row.act(panel);
            // The launches take the names from the set: they must be those the edits show.
            EXPECT_EQ(fileSet.geometryFile, PathText(edit(panel, IDC_GEOMETRY_FILE)));
            EXPECT_EQ(fileSet.outputFile, PathText(edit(panel, IDC_OUTPUT_FILE)));
            EXPECT_EQ(fileSet.loadingFile, PathText(edit(panel, IDC_LOADING_FILE)));
            for (std::size_t b = 0; b < std::size(buttons); ++b) {
                const bool expected =
                    row.effects[b] == unchanged ? before : row.effects[b] == enable;
                EXPECT_EQ(platform::isEnabled(panel, buttons[b]), expected)
                    << "button " << buttons[b];
            }
        });
    }
}

TEST_F(PanelFields, ChoosingAGeometryFileNamesTheWholeFileSet) {
    writeFile("C:\\Jobs.2020\\bridge.inc", "");
    platform::appendItem(panel, IDC_CASE_LIST, "1");
    fake::state().chosenFiles = {"C:\\Jobs.2020\\bridge.dat", std::nullopt};
    fake::click(panel, IDC_SELECT_GEOMETRY);
    fake::click(panel, IDC_SELECT_GEOMETRY); // cancelled: nothing changes

    EXPECT_EQ(edit(panel, IDC_GEOMETRY_FILE), "C:\\Jobs.2020\\bridge.dat");
    EXPECT_EQ(edit(panel, IDC_OUTPUT_FILE), "C:\\Jobs.2020\\bridge.rez");
    EXPECT_EQ(edit(panel, IDC_LOADING_FILE), "C:\\Jobs.2020\\bridge.inc");
    EXPECT_EQ(fileSet.outputFile, "C:\\Jobs.2020\\bridge.rez");
    EXPECT_EQ(
        items(panel, IDC_TEXT_FILE_LIST),
        (std::vector<std::string>{"Geometry File", "Loading File", std::string(20, ' '), "New"}));
    EXPECT_TRUE(items(panel, IDC_CASE_LIST).empty());
    EXPECT_EQ(edit(panel, IDC_CASE_CAPTION), "Select Cases");

    // The second request proposes the first choice; the loading chooser has its own.
    writeFile("C:\\Jobs.2020\\bridge.rez", "");
    fake::state().chosenFiles = {"C:\\Jobs\\other.inc"};
    fake::click(panel, IDC_SELECT_LOADING);
    EXPECT_EQ(edit(panel, IDC_LOADING_FILE), "C:\\Jobs\\other.inc");
    const std::vector<fake::FileRequest>& requests = fake::state().fileRequests;
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].title, "Select Input File (.dat)");
    EXPECT_EQ(requests[0].defaultExtension, "dat");
    EXPECT_EQ(requests[0].initialFolder, "C:\\Ombrix\\Dat\\");
    ASSERT_EQ(requests[0].filters.size(), 2u);
    EXPECT_EQ(requests[0].filters[0].pattern, "*.dat");
    EXPECT_EQ(requests[0].filters[1].description, "All Files");
    EXPECT_EQ(requests[0].filters[1].pattern, "*.*");
    EXPECT_EQ(requests[0].proposedName, "");
    EXPECT_EQ(requests[1].proposedName, "C:\\Jobs.2020\\bridge.dat");
    EXPECT_EQ(requests[2].title, "Select Loading File (.inc)");
    EXPECT_EQ(requests[2].filters[0].description, "Incarc files (*.inc)");
    EXPECT_EQ(requests[2].defaultExtension, "inc");
    EXPECT_EQ(requests[2].proposedName, "");
}

TEST_F(PanelFields, TypingKeepsTheFileSetInStepWithTheEdits) {
    platform::setItemText(panel, IDC_TEXT_FILE_LIST, 3, "Output File");
    fake::type(panel, IDC_GEOMETRY_FILE, "C:\\a.b\\abc");
    EXPECT_EQ(fileSet.geometryFile, "C:\\a.b\\abc");
    EXPECT_EQ(edit(panel, IDC_OUTPUT_FILE), "C:\\a.b\\abc.rez");
    EXPECT_EQ(edit(panel, IDC_LOADING_FILE), "C:\\a.b\\abc.inc");
    EXPECT_EQ(items(panel, IDC_TEXT_FILE_LIST),
              (std::vector<std::string>{"Geometry File", "Loading File", "Output File", "New"}));

    fake::type(panel, IDC_OUTPUT_FILE, "C:\\out.rez");
    fake::type(panel, IDC_LOADING_FILE, "C:\\in.inc");
    EXPECT_EQ(fileSet.outputFile, "C:\\out.rez");
    EXPECT_EQ(fileSet.loadingFile, "C:\\in.inc");
}

TEST_F(PanelFields, SettingsFollowTheControlsAndAreHandedOn) {
    fake::click(panel, IDC_SOUND_BOX);
    EXPECT_TRUE(settings.soundOn);
    EXPECT_EQ(edit(panel, IDC_SOUND_BOX), "Sound On");
    EXPECT_EQ(readFile("Sound.dat"), " T\r\n");
    fake::click(panel, IDC_SOUND_BOX);
    EXPECT_EQ(edit(panel, IDC_SOUND_BOX), "Sound Off");
    EXPECT_EQ(readFile("Sound.dat"), " F\r\n");

    fake::select(panel, IDC_LIST_TYPE, 2);
    EXPECT_EQ(settings.listType, "Complete");
    EXPECT_EQ(readFile("language.dat"), "English             \r\n");
    fake::select(panel, IDC_OUTPUT_LANGUAGE, 2);
    EXPECT_EQ(settings.outputLanguage, "Romanian");
    EXPECT_EQ(readFile("language.dat"), "Romanian            \r\n");
    EXPECT_TRUE(fake::state().messages.empty());
}

TEST_F(PanelFields, ASettingThatCannotBeSavedIsKeptAndReported) {
    fake::state().unwritableFiles = {"C:\\Ombrix\\Exe\\Sound.dat", "C:\\Ombrix\\Exe\\language.dat"};
    fake::click(panel, IDC_SOUND_BOX);
    fake::select(panel, IDC_OUTPUT_LANGUAGE, 2);
    EXPECT_TRUE(settings.soundOn);
    EXPECT_EQ(settings.outputLanguage, "Romanian");
    ASSERT_EQ(fake::state().messages.size(), 2u);
    EXPECT_NE(fake::state().messages[0].text.find("C:\\Ombrix\\Exe\\Sound.dat"), std::string::npos);
    EXPECT_NE(fake::state().messages[1].text.find("C:\\Ombrix\\Exe\\language.dat"),
              std::string::npos);
    EXPECT_EQ(fake::state().messages[1].title, "OMBRIX Message");
}
