// Make_FrameFile and Make_ForceFile started as the shell starts them, with a TAB, in the Exe
// folder of an installation: a user's journey through each, whose saved file the real
// Prepare or Forces then reads.

#include "creator_controls.h"
#include "driver.h"
#include "viewer_runs.h"

#include <commctrl.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

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

    e2e::typeText(e2e::control(window, ValuesField), "0 0 -10");
    addRow(window, 1);
    e2e::typeText(e2e::control(window, CaseField), "2");
    e2e::selectItem(window, LoadKindList, 3); // force on the nodes listed
    e2e::typeText(e2e::control(window, WhereField), "2 x");
    EXPECT_EQ(messageOf(e2e::control(window, AddButton), title),
              "row 2: nodes: node numbers, not \"2 x\"");
    e2e::typeText(e2e::control(window, WhereField), "2 999");
    addRow(window, 2);
    const std::string refused = messageOf(e2e::control(window, SaveButton), title);
    EXPECT_EQ(refused.rfind("row 2: node 999 is not in the structure (1 to ", 0), 0u) << refused;

    e2e::typeText(e2e::control(window, WhereField), "2");
    e2e::click(e2e::control(window, ReplaceButton));
    // A case of the bars' weight, and a combination of it with case 1.
    const struct {
        const char* caseNumber;
        int kind;
        const char* values;
    } wordRows[] = {{"3", 4, "0.5"}, {"4", 9, "1 1 1.5 3"}};
    LRESULT rows = 2;
    for (const auto& row : wordRows) {
        e2e::typeText(e2e::control(window, CaseField), row.caseNumber);
        e2e::selectItem(window, LoadKindList, row.kind);
        e2e::typeText(e2e::control(window, ValuesField), row.values);
        e2e::typeText(e2e::control(window, WhereField), "");
        addRow(window, ++rows);
    }
    saveAs(window, path("Dat\\Bridge.inc"));
    ASSERT_TRUE(e2e::waitUntil([&] { return fs::exists(folder_ / "Dat" / "Bridge.inc"); }));
    e2e::click(e2e::control(window, CloseButton));
    EXPECT_EQ(exitCode(), 0u);

    // Forces writes the combination with the weight times its factor.
    run(OMBRIX_FORCES, "\"..\\Dat\\Bridge.inc\"");
    const fs::path work = folder_ / "Dat" / "Bridge.dat.work";
    for (const char* caseFile : {"1.unf", "2.unf"})
        EXPECT_TRUE(fs::exists(work / caseFile)) << caseFile;
    EXPECT_NE(contentsOf(work / "3.unf").find("\r\nweight 0.5 all\r\n"), std::string::npos);
    EXPECT_NE(contentsOf(work / "4.unf").find("\r\nweight 0.75 all\r\n"), std::string::npos);
}

// Work is never thrown away unasked: Escape, the close box and Close each ask, and the
// answer decides.
TEST_F(Creators, MakeForceFileAsksBeforeDiscardingItsRows) {
    const std::string title = "OMBRIX - Make_ForceFile";
    HWND window = startFromExe(OMBRIX_MAKE_FORCEFILE, title);
    ASSERT_TRUE(window);
    addRow(window, 1);
    e2e::pressKey(e2e::control(window, ValuesField), VK_ESCAPE);
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

// A sail of 2 x 2 cells of 2 m held at its corners, two of them 3 m high, started flat:
// edge cables of force density 10, inner ones 1.
constexpr const char* flatSail = "Sail\r\n9 12\r\n"
                                 "1 0 0 3 1 1 1\r\n2 2 0 0 0 0 0\r\n3 4 0 0 1 1 1\r\n"
                                 "4 0 2 0 0 0 0\r\n5 2 2 0 0 0 0\r\n6 4 2 0 0 0 0\r\n"
                                 "7 0 4 0 1 1 1\r\n8 2 4 0 0 0 0\r\n9 4 4 3 1 1 1\r\n"
                                 "1 1 2 C 1e6 20\r\n2 2 3 C 1e6 20\r\n3 7 8 C 1e6 20\r\n"
                                 "4 8 9 C 1e6 20\r\n5 1 4 C 1e6 20\r\n6 4 7 C 1e6 20\r\n"
                                 "7 3 6 C 1e6 20\r\n8 6 9 C 1e6 20\r\n9 4 5 C 1e6 2\r\n"
                                 "10 5 6 C 1e6 2\r\n11 2 5 C 1e6 2\r\n12 5 8 C 1e6 2\r\n";

// The values of the lines of a file that begin with the word, each line's after it.
std::vector<std::vector<double>> valuesOf(const std::string& text, const std::string& word) {
    std::vector<std::vector<double>> lines;
    std::istringstream input(text);
    for (std::string line; std::getline(input, line);)
        if (line.starts_with(word + " ")) {
            std::istringstream values(line.substr(word.size()));
            lines.emplace_back(std::istream_iterator<double>(values),
                               std::istream_iterator<double>());
        }
    return lines;
}

// The form Make_FrameFile finds from the command line stands still under no load through the
// real Prepare, Forces and Solve, each member at the force it was found with; asked to
// write over its input, it refuses on the standard error and writes nothing.
TEST_F(Creators, MakeFrameFileFindsAFormThatSolveLeavesStanding) {
    std::ofstream(folder_ / "Dat" / "Sail.dat", std::ios::binary) << flatSail;
    start(OMBRIX_MAKE_FRAMEFILE, "--form-find \"Dat\\Sail.dat\" \"Dat\\sail.DAT\"");
    EXPECT_EQ(exitCode(), 1u);
    EXPECT_NE(errors().find("the form found would replace"), std::string::npos) << errors();
    EXPECT_EQ(contentsOf(folder_ / "Dat" / "Sail.dat"), flatSail);

    run(OMBRIX_MAKE_FRAMEFILE, "--form-find \"..\\Dat\\Sail.dat\" \"..\\Dat\\Found.dat\"");
    std::ofstream(folder_ / "Dat" / "Found.inc", std::ios::binary)
        << "Sail unloaded\r\n1 load case\r\n0 no case 0\r\n1 0 1\r\n";
    run(OMBRIX_PREPARE, "\"..\\Dat\\Found.dat\" \"..\\Dat\\Found.rez\" Short English");
    run(OMBRIX_FORCES, "\"..\\Dat\\Found.inc\"");
    run(OMBRIX_SOLVE, "1");

    const std::string found = contentsOf(folder_ / "Dat" / "Found.dat");
    const std::string results = contentsOf(folder_ / "Dat" / "Found.dat.work" / "1.res");
    ASSERT_TRUE(results.starts_with("case 1\r\nconverged yes\r\n")) << results;
    const std::vector<std::vector<double>> nodes = valuesOf(results, "node");
    ASSERT_EQ(nodes.size(), 9u);
    for (const std::vector<double>& node : nodes)
        for (std::size_t axis = 1; axis < node.size(); ++axis)
            EXPECT_LT(std::abs(node[axis]), 1e-9 * 4) << "node " << node[0];
    std::vector<std::vector<double>> members;
    std::istringstream lines(found);
    for (std::string line; std::getline(lines, line);)
        if (line.find(" C ") != std::string::npos)
            members.push_back({std::stod(line.substr(line.rfind(' ')))});
    const std::vector<std::vector<double>> forces = valuesOf(results, "member");
    ASSERT_EQ(forces.size(), members.size());
    for (std::size_t m = 0; m < forces.size(); ++m)
        EXPECT_NEAR(forces[m][1], members[m][0], 1e-9 * members[m][0]) << "member " << m + 1;
}

// The form of any geometry file, found in the window: shown, and saved as the command line
// writes it.
TEST_F(Creators, MakeFrameFileFindsTheFormOfAFileOpenedInIt) {
    std::ofstream(folder_ / "Dat" / "Sail.dat", std::ios::binary) << flatSail;
    const std::string title = "OMBRIX - Make_FrameFile";
    HWND window = startFromExe(OMBRIX_MAKE_FRAMEFILE, title);
    ASSERT_TRUE(window);
    e2e::click(e2e::control(window, FormFindButton));
    chooseFile("Open", path("Dat\\Sail.dat"));
    ASSERT_TRUE(e2e::waitUntil([&] {
        return e2e::windowText(e2e::control(window, StatusText)) ==
               "Form found for Sail.dat: 9 nodes, 12 members";
    }));
    saveAs(window, path("Dat\\Sail form.dat"));
    ASSERT_TRUE(e2e::waitUntil([&] { return fs::exists(folder_ / "Dat" / "Sail form.dat"); }));
    e2e::click(e2e::control(window, CloseButton));
    EXPECT_EQ(exitCode(), 0u);

    run(OMBRIX_MAKE_FRAMEFILE, "--form-find \"..\\Dat\\Sail.dat\" \"..\\Dat\\Found.dat\"");
    EXPECT_EQ(contentsOf(folder_ / "Dat" / "Sail form.dat"),
              contentsOf(folder_ / "Dat" / "Found.dat"));
    EXPECT_EQ(contentsOf(folder_ / "Dat" / "Sail.dat"), flatSail);
}

// A cable net form-found as it is typed: the line under the values names the node that no
// form can hold.
TEST_F(Creators, MakeFrameFileFindsTheFormOfANetAsItIsTyped) {
    const std::string title = "OMBRIX - Make_FrameFile";
    HWND window = startFromExe(OMBRIX_MAKE_FRAMEFILE, title);
    ASSERT_TRUE(window);
    HWND status = e2e::control(window, StatusText);
    e2e::selectItem(window, FirstParameter + 6, 2); // held at x = 0 and x = end only
    e2e::selectItem(window, FirstParameter + 7, 2); // form-found
    ASSERT_TRUE(e2e::waitUntil([&] { return e2e::windowText(status) == "121 nodes, 200 members"; }))
        << e2e::windowText(status);
    e2e::typeText(e2e::control(window, FirstParameter + 8), "0"); // the warp force density
    EXPECT_EQ(e2e::windowText(status),
              "node 2 is not held in x: no chain of members with a positive force density ties "
              "it to a node held in x");
}

} // namespace
} // namespace ombrix
