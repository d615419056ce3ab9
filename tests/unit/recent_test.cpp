#include "shell_test.h"

#include "files/file_set.h"
#include "files/recent.h"
#include "ids.h"
#include "shell/panel.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using platform::Dialog;

TEST(RecentList, RememberingAFileMovesItToTheTop) {
    const struct {
        std::string name;
        std::array<const char*, 5> before, after;
    } cases[] = {
        {"A", {"A", "B", "C", "D", "E"}, {"A", "B", "C", "D", "E"}},
        {"D", {"A", "B", "C", "D", "E"}, {"D", "B", "C", "A", "E"}},
        {"F", {"A", "B", "C", "D", "E"}, {"F", "A", "B", "C", "D"}},
        {"F", {"A", "", "", "", ""}, {"F", "A", "", "", ""}},
        {".dat", {"A", "", "", "", ""}, {"A", "", "", "", ""}},
        {"", {"A", "", "", "", ""}, {"A", "", "", "", ""}},
        {"a", {"A", "", "", "", ""}, {"a", "A", "", "", ""}},
        {std::string("B\0junk", 6), {"A", "B", "", "", ""}, {"B", "A", "", "", ""}},
    };
    for (const auto& c : cases) {
        fileSet.geometryFile = c.name;
        for (std::size_t i = 0; i < c.before.size(); ++i)
            recentFiles[i] = c.before[i];
        rememberInputFile();
        for (std::size_t i = 0; i < c.after.size(); ++i)
            EXPECT_EQ(recentFiles[i], c.after[i]) << c.name << " at place " << i + 1;
    }
}

using RecentFile = ShellTest;

TEST_F(RecentFile, IsWrittenWithOneLinePerName) {
    const std::string earlier = "C:\\old.dat\r\n";
    const struct {
        const char* name;
        std::array<std::string, 5> entries;
        bool fileThere;
        std::optional<std::string> fileAfter; // nothing: no file
    } cases[] = {
        {"names in order, blanks left out",
         {"C:\\a.dat", "", "C:\\b c.dat", "", ""},
         true,
         "C:\\a.dat\r\nC:\\b c.dat\r\n"},
        {"no-name entries left out",
         {".dat", "C:\\a.dat", "\\.dat", "", ""},
         true,
         "C:\\a.dat\r\n\\.dat\r\n"},
        {"all blank: the file keeps its lines", {"", "", "", "", ""}, true, earlier},
        {"a vanished file is made again", {"C:\\a.dat", "", "", "", ""}, false, "C:\\a.dat\r\n"},
        {"a full-width name",
         {std::string(260, 'n'), "", "", "", ""},
         true,
         std::string(260, 'n') + "\r\n"},
    };
    forEachRow(cases, [&](const auto& c) {
        if (c.fileThere)
            writeFile("recent.dat", earlier);
        for (std::size_t i = 0; i < c.entries.size(); ++i)
            recentFiles[i] = c.entries[i];
        exchangeRecentFile("W");
        EXPECT_EQ(fileExists("recent.dat") ? std::optional(readFile("recent.dat")) : std::nullopt,
                  c.fileAfter)
            << c.name;
    });
}

// The Recent dialog over the panel, with three entries whose files exist.
class RecentDialog : public PanelShellTest {
  protected:
    void SetUp() override {
        PanelShellTest::SetUp();
        for (const char* name : {"C:\\Jobs\\a.dat", "C:\\Jobs\\b.dat", "C:\\Jobs\\c.dat"})
            writeFile(name, "");
        writeFile("C:\\Jobs\\b.rez", "");
        recentFiles = {PathText("C:\\Jobs\\a.dat"), PathText("C:\\Jobs\\b.dat"),
                       PathText("C:\\Jobs\\c.dat"), PathText(), PathText()};
        platform::setEnabled(panel, IDC_ITER, true);
    }

    // Opens the dialog, in which the user does `act`; keeps what the dialog showed.
    void openDialog(const std::function<void(Dialog)>& act) {
        fake::state().modalDialog = [&](Dialog recent) {
            shownItems = fake::control(recent, IDC_RECENT_LIST).items;
            doneAtFirst = platform::isEnabled(recent, IDC_RECENT_DONE);
            act(recent);
            doneAtEnd = platform::isEnabled(recent, IDC_RECENT_DONE);
        };
        fake::click(panel, IDC_SELECT_RECENT);
    }

    std::vector<std::string> shownItems;
    bool doneAtFirst = true;
    bool doneAtEnd = false;
};

TEST_F(RecentDialog, APickedFileBecomesTheGeometryFile) {
    const struct {
        const char* how;
        std::function<void(Dialog)> act;
    } picks[] = {
        {"select, then DONE",
         [](Dialog d) {
             fake::select(d, IDC_RECENT_LIST, 2);
             fake::click(d, IDC_RECENT_DONE);
         }},
        {"double-click", [](Dialog d) { fake::doubleClick(d, IDC_RECENT_LIST, 2); }},
    };
    forEachRow(picks, [&](const auto& pick) {
        SCOPED_TRACE(pick.how);
        openDialog(pick.act);
        EXPECT_EQ(shownItems, (std::vector<std::string>{"C:\\Jobs\\a.dat", "C:\\Jobs\\b.dat",
                                                        "C:\\Jobs\\c.dat", "", ""}));
        EXPECT_FALSE(doneAtFirst);
        EXPECT_EQ(platform::text(panel, IDC_GEOMETRY_FILE), "C:\\Jobs\\b.dat");
        EXPECT_EQ(platform::text(panel, IDC_OUTPUT_FILE), "C:\\Jobs\\b.rez");
        EXPECT_EQ(fileSet.geometryFile, "C:\\Jobs\\b.dat");
        EXPECT_EQ(fileSet.loadingFile, "C:\\Jobs\\b.inc");
        EXPECT_TRUE(platform::isEnabled(panel, IDC_INPUT));
        EXPECT_FALSE(platform::isEnabled(panel, IDC_ITER));
        EXPECT_EQ(platform::itemText(panel, IDC_TEXT_FILE_LIST, 3), "Output File (old)");
        EXPECT_TRUE(fake::state().messages.empty());
    });
}

TEST_F(RecentDialog, OpensWithTheCurrentGeometryFileOnTop) {
    fileSet.geometryFile = "C:\\Jobs\\c.dat";
    openDialog([](Dialog) {});
    EXPECT_EQ(shownItems, (std::vector<std::string>{"C:\\Jobs\\c.dat", "C:\\Jobs\\b.dat",
                                                    "C:\\Jobs\\a.dat", "", ""}));
}

TEST_F(RecentDialog, CancelOrABlankPickChangesNothing) {
    const struct {
        const char* how;
        std::function<void(Dialog)> act;
    } cases[] = {
        {"Cancel after a selection",
         [](Dialog d) {
             fake::select(d, IDC_RECENT_LIST, 1);
             fake::click(d, IDC_RECENT_CANCEL);
         }},
        {"DONE after a blank item",
         [](Dialog d) {
             fake::select(d, IDC_RECENT_LIST, 1);
             fake::select(d, IDC_RECENT_LIST, 4);
             fake::click(d, IDC_RECENT_DONE);
         }},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.how);
        openDialog(c.act);
        EXPECT_TRUE(doneAtEnd);
        EXPECT_EQ(platform::text(panel, IDC_GEOMETRY_FILE), ".dat");
        EXPECT_EQ(fileSet.geometryFile, ".dat");
        EXPECT_TRUE(platform::isEnabled(panel, IDC_ITER));
    });
}

TEST_F(RecentDialog, AVanishedFileIsReportedAndForgotten) {
    std::filesystem::remove(fake::hostPath("C:\\Jobs\\b.dat"));
    openDialog([](Dialog d) { fake::select(d, IDC_RECENT_LIST, 2); });
    ASSERT_EQ(fake::state().messages.size(), 1u);
    EXPECT_EQ(fake::state().messages[0].text, " File does not exist (was deleted) !");
    EXPECT_EQ(fake::state().messages[0].title, "Select Recent Message");
    EXPECT_EQ(fake::state().messages[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(recentFiles[0], "C:\\Jobs\\a.dat");
    EXPECT_EQ(recentFiles[1], "C:\\Jobs\\c.dat");
    EXPECT_TRUE(recentFiles[2].isBlank());
    EXPECT_EQ(readFile("recent.dat"), "C:\\Jobs\\a.dat\r\nC:\\Jobs\\c.dat\r\n");
    EXPECT_EQ(platform::text(panel, IDC_GEOMETRY_FILE), ".dat");
}
