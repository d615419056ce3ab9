// Make_FrameFile and Make_ForceFile started as the shell starts them, with a TAB, in the Exe
// folder of an installation: a user's journey through each, whose saved file the real
// Prepare or Forces then reads.

#include "creator_controls.h"
#include "driver.h"
#include "viewer_runs.h"

#include <commctrl.h>

#include <filesystem>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

class Creators : public InstallationRuns {
  protected:
    // Save as, into the file named, through the standard dialog.
    void saveAs(HWND window, const std::string& file) {
        e2e::click(e2e::control(window, SaveButton));
        chooseFile("Save", file);
    }

    // The message the click gives, answered.
    std::string messageOf(HWND button, const std::string& title) {
        e2e::click(button);
        HWND box = waitForBox(title);
        const std::string text = box ? e2e::messageBoxText(box) : "(no message)";
        if (box)
            e2e::answer(box, IDOK);
        return text;
    }

    HWND saveDialogOf() {
        HWND dialog = windowOf(processId(), "Save");
        return dialog && e2e::className(dialog) == "#32770" ? dialog : nullptr;
    }

    // The question that closing asks, answered: whether the window stayed, once its program
    // is back from the answer.
    bool staysAfterAnswering(HWND window, const std::string& title, int answer) {
        HWND question = waitForBox(title);
        EXPECT_EQ(question ? e2e::messageBoxText(question) : "",
                  "Save your changes before closing?");
        e2e::answer(question, answer);
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 10'000, nullptr);
        return IsWindow(window);
    }

    // Add clicked, and the table grown to the rows expected.
    void addRow(HWND window, LRESULT rows) {
        e2e::click(e2e::control(window, AddButton));
        ASSERT_TRUE(e2e::waitUntil([&] {
            return SendMessageA(e2e::control(window, CaseTable), LVM_GETITEMCOUNT, 0, 0) == rows;
        }));
    }
};

TEST_F(Creators, MakeFrameFileSavesATrussThatPrepareReads) {
    const std::string title = "OMBRIX - Make_FrameFile";
    HWND window = startFromExe(OMBRIX_MAKE_FRAMEFILE, title);
    ASSERT_TRUE(window);
    e2e::selectItem(window, FamilyList, 4); // Pratt truss
    ASSERT_TRUE(e2e::waitUntil([&] {
        return e2e::windowText(e2e::control(window, FirstParameterLabel + 1)) == "panels";
    }));
    e2e::typeText(e2e::control(window, FirstParameter + 1), "5");
    EXPECT_EQ(e2e::windowText(e2e::control(window, StatusText)), "panels: an even number, not 5");
    EXPECT_EQ(messageOf(e2e::control(window, SaveButton), title), "panels: an even number, not 5");

    e2e::typeText(e2e::control(window, FirstParameter + 1), "8");
    EXPECT_EQ(e2e::windowText(e2e::control(window, StatusText)), "16 nodes, 29 members");
    saveAs(window, path("Dat\\Truss.dat"));
    ASSERT_TRUE(e2e::waitUntil([&] { return fs::exists(folder_ / "Dat" / "Truss.dat"); }));

    // Saved again under the same name: replaced only when the user says so, not on Enter,
    // which leads back to the Save dialog.
    const std::string eightPanels = contentsOf(folder_ / "Dat" / "Truss.dat");
    e2e::typeText(e2e::control(window, FirstParameter + 1), "6");
    for (const int answer : {IDNO, IDYES}) {
        saveAs(window, path("Dat\\Truss.dat"));
        HWND prompt = waitForBox("Confirm Save As");
        ASSERT_TRUE(prompt);
        EXPECT_NE(e2e::messageBoxText(prompt).find("exists"), std::string::npos);
        if (answer == IDNO) {
            e2e::pressKey(prompt, VK_RETURN);
            HWND saveDialog = nullptr;
            ASSERT_TRUE(e2e::waitUntil([&] { return (saveDialog = saveDialogOf()); }));
            PostMessageA(saveDialog, WM_COMMAND, IDCANCEL, 0);
            ASSERT_TRUE(e2e::waitUntil([&] { return !IsWindow(saveDialog); }));
            EXPECT_EQ(contentsOf(folder_ / "Dat" / "Truss.dat"), eightPanels);
        } else {
            e2e::answer(prompt, answer);
        }
    }
    ASSERT_TRUE(
        e2e::waitUntil([&] { return contentsOf(folder_ / "Dat" / "Truss.dat") != eightPanels; }));
    e2e::click(e2e::control(window, CloseButton));
    EXPECT_EQ(exitCode(), 0u);

    run(OMBRIX_PREPARE, "\"..\\Dat\\Truss.dat\" \"..\\Dat\\Truss.rez\" Short English");
    EXPECT_NE(contentsOf(folder_ / "Dat" / "Truss.rez").find("panels 6,"), std::string::npos);
}

TEST_F(Creators, MakeForceFileSavesCasesThatForcesReads) {
    fs::copy_file(fs::path(OMBRIX_SAMPLES) / "Bridge.dat", folder_ / "Dat" / "Bridge.dat");
    run(OMBRIX_PREPARE, "\"..\\Dat\\Bridge.dat\" \"..\\Dat\\Bridge.rez\" Short English");
    const std::string title = "OMBRIX - Make_ForceFile";
    HWND window = startFromExe(OMBRIX_MAKE_FORCEFILE, title);
    ASSERT_TRUE(window);
    e2e::click(e2e::control(window, OpenButton));
    chooseFile("Open", path("Dat\\Bridge.dat"));
    ASSERT_TRUE(e2e::waitUntil([&] {
        return e2e::windowText(e2e::control(window, StatusText)).find(" nodes") !=
               std::string::npos;
    }));

    e2e::typeText(e2e::control(window, ForceField), "0 0 -10");
    addRow(window, 1);
    e2e::selectItem(window, LoadedNodesList, 3); // the nodes listed
    e2e::typeText(e2e::control(window, WhereField), "2 x");
    EXPECT_EQ(messageOf(e2e::control(window, AddButton), title),
              "case 2: nodes: node numbers, not \"2 x\"");
    e2e::typeText(e2e::control(window, WhereField), "2 999");
    addRow(window, 2);
    const std::string refused = messageOf(e2e::control(window, SaveButton), title);
    EXPECT_EQ(refused.rfind("case 2: node 999 is not in the structure (1 to ", 0), 0u) << refused;

    e2e::typeText(e2e::control(window, WhereField), "2");
    e2e::click(e2e::control(window, ReplaceButton));
    saveAs(window, path("Dat\\Bridge.inc"));
    ASSERT_TRUE(e2e::waitUntil([&] { return fs::exists(folder_ / "Dat" / "Bridge.inc"); }));
    e2e::click(e2e::control(window, CloseButton));
    EXPECT_EQ(exitCode(), 0u);

    run(OMBRIX_FORCES, "\"..\\Dat\\Bridge.inc\"");
    for (const char* caseFile : {"1.unf", "2.unf"})
        EXPECT_TRUE(fs::exists(folder_ / "Dat" / "Bridge.dat.work" / caseFile)) << caseFile;
}

// Work is never thrown away unasked: Escape, the close box and Close each ask, and the
// answer decides.
TEST_F(Creators, MakeForceFileAsksBeforeDiscardingItsRows) {
    const std::string title = "OMBRIX - Make_ForceFile";
    HWND window = startFromExe(OMBRIX_MAKE_FORCEFILE, title);
    ASSERT_TRUE(window);
    addRow(window, 1);
    e2e::pressKey(e2e::control(window, ForceField), VK_ESCAPE);
    EXPECT_TRUE(staysAfterAnswering(window, title, IDCANCEL));
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(staysAfterAnswering(window, title, IDYES)); // saving needs a structure
    HWND refusal = waitForBox(title);
    EXPECT_EQ(refusal ? e2e::messageBoxText(refusal) : "",
              "Open the geometry file of the structure to load first.");
    e2e::answer(refusal, IDOK);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(staysAfterAnswering(window, title, IDNO));
    EXPECT_EQ(exitCode(), 0u);
}

// Saved on closing under the name suggested, which no file has: the sample "Cable Net.dat"
// stays whole.
TEST_F(Creators, MakeFrameFileSavesOnClosingUnderANameNoFileHas) {
    fs::copy_file(fs::path(OMBRIX_SAMPLES) / "Cable Net.dat", folder_ / "Dat" / "Cable Net.dat");
    const std::string title = "OMBRIX - Make_FrameFile";
    HWND window = startFromExe(OMBRIX_MAKE_FRAMEFILE, title);
    ASSERT_TRUE(window);
    e2e::typeText(e2e::control(window, FirstParameter), "4");
    e2e::click(e2e::control(window, CloseButton));
    EXPECT_TRUE(staysAfterAnswering(window, title, IDYES));
    HWND saveDialog = nullptr;
    ASSERT_TRUE(e2e::waitUntil([&] { return (saveDialog = saveDialogOf()); }));
    PostMessageA(saveDialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(exitCode(), 0u);
    EXPECT_NE(contentsOf(folder_ / "Dat" / "Cable net 2.dat").find("cells in x 4,"),
              std::string::npos);
    EXPECT_EQ(contentsOf(folder_ / "Dat" / "Cable Net.dat"),
              contentsOf(fs::path(OMBRIX_SAMPLES) / "Cable Net.dat"));
}

} // namespace
} // namespace ombrix
