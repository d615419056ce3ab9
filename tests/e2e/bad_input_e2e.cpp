#include "harness.h"
#include "ids.h"

#include <string>
#include <vector>

using namespace e2e;

namespace {

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

const std::string utf16Romanian("\xFF\xFER\0o\0m\0a\0n\0i\0a\0n\0\r\0\n\0", 20);
const std::string tenMegabytes = repeated(std::string(1000, ' ') + "\r\n", 10000);

} // namespace

// Files that users or other programs damaged, one start of the shell each: every one gives
// the documented fallback, never a crash or a hang.
using BadInput = PanelTest;

TEST_F(BadInput, DamagedFilesOfTheStartFolderGiveTheirFallbacks) {
    const std::string bridge = utf8Text(installation.root() / "Dat" / "Bridge.dat");
    const struct {
        const char* file;
        std::string contents;
        bool soundOn;
        int language;       // the item selected
        std::string recent; // the first item of the Recent dialog; "-": not looked at
    } cases[] = {
        {"Sound.dat", std::string("\0\0 T\r\n", 6), false, 1, "-"},
        {"Sound.dat", " T\n", true, 1, "-"},
        {"Sound.dat", " T\r", true, 1, "-"},
        {"Sound.dat", " T", true, 1, "-"},
        {"Sound.dat", std::string("\xFF\xFE \0T\0\r\0\n\0", 10), false, 1, "-"},
        {"Sound.dat", std::string(10000, ' ') + "T", true, 1, "-"},
        {"Sound.dat", tenMegabytes + " T\r\n", true, 1, "-"},
        {"Sound.dat", repeated("x\r\n", 1000), false, 1, "-"},
        {"recent.dat", "\xEF\xBB\xBF" + bridge + "\r", false, 1, bridge},
        {"recent.dat", std::string("\xFF\xFE", 2) + bridge, false, 1, ""},
        // A name is significant up to a NUL.
        {"recent.dat", bridge + std::string("\0junk\r\n", 7), false, 1, bridge},
        {"recent.dat", std::string(10000, 'n') + "\r\n" + bridge, false, 1, bridge},
        {"recent.dat", repeated("\r\n", 1000) + bridge, false, 1, ""},
        {"work_dir.dat", "", false, 1, "-"},
        {"work_dir.dat", "C:\\nowhere at all\r\n", false, 1, "-"},
        {"../Work/Comomb.dat", utf16Romanian, false, 1, "-"},
        {"../Work/Comomb.dat", repeated("x\r\n", 1000) + "Romanian", false, 2, "-"},
        {"../Work/Comomb.dat", "x\rRomanian\r", false, 2, "-"},
        {"../Work/Comomb.dat", tenMegabytes + "Romanian\r\n", false, 2, "-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.contents.substr(0, 40));
        for (const char* name : {"Sound.dat", "recent.dat", "work_dir.dat"})
            installation.remove(name);
        if (std::string(c.file).ends_with("Comomb.dat"))
            installation.write("work_dir.dat", utf8Text(installation.root() / "Work") + "\r\n");
        installation.write(c.file, c.contents);
        openPanel();
        EXPECT_EQ(isChecked(control(panel, IDC_SOUND_BOX)), c.soundOn);
        EXPECT_EQ(listSelection(control(panel, IDC_OUTPUT_LANGUAGE)), c.language);
        if (c.recent != "-") {
            click(control(panel, IDC_SELECT_RECENT));
            HWND dialog = shell->waitForWindow("Recent Dialog");
            ASSERT_TRUE(dialog);
            EXPECT_EQ(listItems(control(dialog, IDC_RECENT_LIST))[0], c.recent);
            answer(dialog, IDCANCEL);
        }
        exitShell();
    }
}

TEST_F(BadInput, DamagedLoadingFilesAndWorkingDirectoriesAreNamedInAMessage) {
    const std::string loading = utf8Text(installation.root() / "Dat" / "bad.inc");
    const struct {
        std::string contents;
        std::string workDir; // "-": as Prepare wrote it
        std::string message; // a part of it; empty: none
        std::size_t cases;
    } cases[] = {
        // The loading processor refuses these itself; the list stays empty.
        {"h\r\nmany\r\n0\r\n", "-", "", 0},
        {"h\r\n1000\r\n0\r\n", "-", "", 0},
        {utf16Romanian, "-", "", 0},
        {std::string(10000, 'h') + "\n3\n1\n", "-", "", 4},
        {"h\r\n2\r\n1\r\n", "", "names no working directory", 0},
        {"h\r\n2\r\n1\r\n", "C:\\nowhere at all", "does not exist", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents.substr(0, 30) + " / " + c.workDir);
        installation.write("../Dat/bad.inc", c.contents);
        openPanel();
        typeText(control(panel, IDC_GEOMETRY_FILE), "..\\Dat\\Bridge.dat");
        typeText(control(panel, IDC_LOADING_FILE), loading);
        click(control(panel, IDC_INPUT));
        ASSERT_TRUE(
            waitUntil([&] { return listItems(control(panel, IDC_PROGRAM_STATUS)).size() == 2; }));
        if (c.workDir != "-")
            installation.write("work_dir.dat", c.workDir + "\r\n");
        click(control(panel, IDC_INCARC));
        if (!c.message.empty()) {
            const std::string message = takeMessage();
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
        }
        ASSERT_TRUE(
            waitUntil([&] { return listItems(control(panel, IDC_PROGRAM_STATUS)).size() == 4; }));
        EXPECT_EQ(listItems(control(panel, IDC_CASE_LIST)).size(), c.cases);
        exitShell();
    }
}

TEST_F(BadInput, NamesInTheFieldsReachTheAnalysisOrAreRefused) {
    const std::string data = utf8Text(installation.root() / "Dat") + "\\";
    const std::string longest = data + std::string(259 - data.size() - 4, 'n') + ".dat";
    const struct {
        std::string geometry;
        bool exists;
        bool refused;
    } cases[] = {
        {longest, true, false},
        {data + std::string(260 - data.size() - 4, 'n') + ".dat", true, true},
        {data + std::string(300 - data.size() - 4, 'n') + ".dat", false, true},
        {data + "pont \xC3\xA9tag\xC3\xA9.dat", true, false},
        {data + "\xD0\xBC\xD0\xBE\xD1\x81\xD1\x82.dat", true, false},
        {data + "\xE6\xA1\xA5 \xE6\xA2\x81.dat", true, false},
        {data + "a<b.dat", false, true},
    };
    openPanel();
    std::size_t started = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.geometry);
        if (c.exists && c.geometry.size() < 260)
            std::filesystem::copy_file(pathOf(data + "Bridge.dat"), pathOf(c.geometry));
        typeText(control(panel, IDC_GEOMETRY_FILE), c.geometry);
        typeText(control(panel, IDC_OUTPUT_FILE), data + "out.rez");
        click(control(panel, IDC_INPUT));
        if (c.refused) {
            EXPECT_NE(takeMessage().find(": "), std::string::npos);
            continue;
        }
        ++started;
        ASSERT_TRUE(waitUntil([&] {
            return suiteStarts().size() == started &&
                   listItems(control(panel, IDC_PROGRAM_STATUS)).size() == 2 * started;
        }));
        EXPECT_NE(suiteStarts().back().commandLine.find(c.geometry), std::string::npos)
            << suiteStarts().back().commandLine;
    }
    exitShell();
}
