#include "analysis_steps.h"
#include "harness.h"
#include "ids.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

using namespace e2e;

// The shell with the real Prepare, Forces and Solve in place of the stand-ins.
class RealAnalysis : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        installRealSuite(installation);
        data = utf8Text(installation.root() / "Dat") + "\\";
    }

    static void installRealSuite(const Installation& target) {
        const std::filesystem::path built = pathOf(std::getenv("OMBRIX_SUITE_PROGRAMS"));
        for (const char* role : {"Prepare", "Forces", "Solve"})
            for (const std::string edition : {"", " 20"}) {
                const std::filesystem::path program = target.exeDir() / (role + edition + ".exe");
                std::filesystem::remove(program);
                std::filesystem::copy_file(built / ("ombrix_" + lower(role) + ".exe"), program);
            }
    }

    static std::string lower(std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    void runStep(int button, std::size_t linesAfter) { e2e::runStep(panel, button, linesAfter); }

    void prepareWithEveryCase(const std::string& geometryFile) {
        openPanel();
        e2e::prepareWithEveryCase(panel, data + geometryFile);
    }

    // Replaces a text in a file of the Dat folder, as an engineer's editor would.
    void editFile(const std::string& name, const std::string& from, const std::string& to) {
        std::string text = read(data + name);
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        installation.write("../Dat/" + name, text.replace(at, from.size(), to));
    }

    // The message box of a suite's program, answered once its text has been checked.
    void expectMessage(const std::string& title, const std::string& part) {
        expectMessageOf(*shell, title, part);
    }
    static void expectMessageOf(const Shell& starter, const std::string& title,
                                const std::string& part) {
        HWND box = starter.waitForChildWindow(title, "#32770", 60s);
        ASSERT_TRUE(box) << title;
        EXPECT_NE(messageBoxText(box).find(part), std::string::npos) << messageBoxText(box);
        answer(box, IDOK);
    }

    void expectStatus(std::size_t lines, const std::string& last) {
        expectStatusOf(panel, lines, last);
    }

    // How many case and results files the Bridge's working folder holds.
    int caseFiles() const {
        int count = 0;
        for (const auto& entry :
             std::filesystem::directory_iterator(pathOf(data + "Bridge.dat.work")))
            count += entry.path().extension() == ".unf" || entry.path().extension() == ".res";
        return count;
    }

    std::string read(const std::string& path) const {
        std::ifstream file(pathOf(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    std::string data;
};

TEST_F(RealAnalysis, TheSampleAnalysesRunFromInputToTheSolver) {
    const struct {
        std::string name;
        int listType, language; // items of their lists
        std::vector<std::string> cases;
        std::string reportWord; // a word of the output file's report in its language
    } cases[] = {
        {"Bridge", 2, 1, {"0", "1", "2", "3"}, "Node"},
        {"Cable Net", 1, 2, {"1", "2"}, "Nod"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        openPanel();
        typeText(control(panel, IDC_GEOMETRY_FILE), data + c.name + ".dat");
        selectItem(panel, IDC_LIST_TYPE, c.listType);
        selectItem(panel, IDC_OUTPUT_LANGUAGE, c.language);
        runStep(IDC_INPUT, 2);
        runStep(IDC_INCARC, 4);
        EXPECT_EQ(listItems(control(panel, IDC_CASE_LIST)), c.cases);
        click(control(panel, IDC_ALL_CASES));
        ASSERT_TRUE(waitUntil([&] { return isEnabled(control(panel, IDC_ITER)); }));
        runStep(IDC_ITER, 6);
        const std::string work = data + c.name + ".dat.work\\";
        EXPECT_EQ(installation.read("work_dir.dat"), data + c.name + ".dat.work\r\n");
        for (const std::string& number : c.cases)
            EXPECT_TRUE(read(work + number + ".res")
                            .starts_with("case " + number + "\r\nconverged yes\r\n"))
                << number;
        const std::string output = read(data + c.name + ".rez");
        EXPECT_NE(output.find(c.reportWord), std::string::npos) << output.substr(0, 400);
        exitShell();
    }
}

// What an engineer meets when a step is refused: the program's own message naming the
// file and the line, the step shown as failed, and nothing left for the next step to go
// on with: INCARC stays disabled after a refused INPUT, the case list empty after a
// refused INCARC, and the working folder holds no case or results file.
TEST_F(RealAnalysis, ARefusedStepLeavesNothingToGoOnWith) {
    openPanel();
    typeText(control(panel, IDC_GEOMETRY_FILE), data + "Bridge.dat");
    runStep(IDC_INPUT, 2);
    runStep(IDC_INCARC, 4);
    click(control(panel, IDC_ALL_CASES));
    ASSERT_TRUE(waitUntil([&] { return isEnabled(control(panel, IDC_ITER)); }));
    runStep(IDC_ITER, 6);
    const std::string good = read(data + "Bridge.dat");

    editFile("Bridge.dat", "    3     3     4   B", "    3     3    44   B");
    click(control(panel, IDC_INPUT));
    expectMessage("OMBRIX - Prepare", "Bridge.dat, line 27: member 3 joins node 44");
    expectStatus(8, "Prepare 20: * Failed");
    EXPECT_FALSE(isEnabled(control(panel, IDC_INCARC)));
    EXPECT_TRUE(listItems(control(panel, IDC_CASE_LIST)).empty());
    EXPECT_FALSE(isEnabled(control(panel, IDC_ITER)));
    EXPECT_EQ(caseFiles(), 0);

    installation.write("../Dat/Bridge.dat", good);
    runStep(IDC_INPUT, 10);
    runStep(IDC_INCARC, 12);
    editFile("Bridge.inc", "    3      0.000      0.000    -30.000",
             "    3      0.000   0.OO  -30");
    click(control(panel, IDC_INCARC));
    expectMessage("OMBRIX - Forces", "Bridge.inc, line 33: \"0.OO\" is not a number");
    expectStatus(14, "Forces 20: * Failed");
    EXPECT_TRUE(listItems(control(panel, IDC_CASE_LIST)).empty());
    EXPECT_EQ(caseFiles(), 0);
    exitShell();
}

// Files edited after the step that read them: the next step says which step to run again.
TEST_F(RealAnalysis, FilesEditedAfterTheirStepAreNotUsed) {
    openPanel();
    typeText(control(panel, IDC_GEOMETRY_FILE), data + "Bridge.dat");
    runStep(IDC_INPUT, 2);
    editFile("Bridge.dat", "840000.0", " 84000.0");
    click(control(panel, IDC_INCARC));
    expectMessage("OMBRIX - Forces", "Bridge.dat has changed since INPUT read it: run INPUT again");
    expectStatus(4, "Forces 20: * Failed");
    EXPECT_TRUE(listItems(control(panel, IDC_CASE_LIST)).empty());

    runStep(IDC_INPUT, 6);
    runStep(IDC_INCARC, 8);
    click(control(panel, IDC_ALL_CASES));
    ASSERT_TRUE(waitUntil([&] { return isEnabled(control(panel, IDC_ITER)); }));
    editFile("Bridge.inc", "-120.000", "-240.000");
    click(control(panel, IDC_ITER));
    expectMessage("OMBRIX - Solve",
                  "Bridge.inc has changed since INCARC read it: run INCARC again");
    expectStatus(10, "Solve 20: * Failed");
    EXPECT_EQ(read(data + "Bridge.rez").find("Load case 2"), std::string::npos);
    exitShell();
}

// Cases solved without an answer are Solve's warning and the status line's, by number.
TEST_F(RealAnalysis, CasesThatDidNotConvergeAreNamedOnThePanel) {
    editFile("Bridge.dat", "0.000      0.000      0.000   1 1 1",
             "0.000      0.000      0.000   0 1 1");
    prepareWithEveryCase("Bridge.dat");
    click(control(panel, IDC_ITER));
    expectMessage("OMBRIX - Solve", "the structure is a mechanism");
    expectStatus(6, "Solve 20: * Not converged: 0, 1, 2, 3");
    exitShell();
}

// A second shell of the same installation would hand its analysis to the suite's programs
// through the same work_dir.dat: it only brings the first one's panel forward.
TEST_F(RealAnalysis, ASecondShellOfTheInstallationLeavesTheAnalysisToTheFirst) {
    openPanel();
    typeText(control(panel, IDC_GEOMETRY_FILE), data + "Bridge.dat");
    runStep(IDC_INPUT, 2);
    Shell second(installation);
    HWND box = second.waitForWindow("OMBRIX Message");
    ASSERT_TRUE(box);
    EXPECT_NE(messageBoxText(box).find("OMBRIX is already running from this installation"),
              std::string::npos);
    answer(box, IDOK);
    EXPECT_EQ(second.waitForExit(), 0u);
    // Wine hands the foreground over through the panel's own thread, a moment later.
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == panel; }));
    runStep(IDC_INCARC, 4);
    EXPECT_EQ(listItems(control(panel, IDC_CASE_LIST)),
              (std::vector<std::string>{"0", "1", "2", "3"}));
    exitShell();
}

// An output file named like another analysis's input is not replaced by the report.
TEST_F(RealAnalysis, AnInputFileIsNeverTakenForTheOutput) {
    const std::string net = read(data + "Cable Net.dat");
    openPanel();
    typeText(control(panel, IDC_GEOMETRY_FILE), data + "Bridge.dat");
    typeText(control(panel, IDC_OUTPUT_FILE), data + "Cable Net.dat");
    click(control(panel, IDC_INPUT));
    expectMessage("OMBRIX - Prepare", "Cable Net.dat: the file exists and is not an output file");
    expectStatus(2, "Prepare 20: * Failed");
    EXPECT_EQ(read(data + "Cable Net.dat"), net);
    EXPECT_FALSE(isEnabled(control(panel, IDC_INCARC)));
    exitShell();
}

// A net large enough that Solve is still at work when Escape reaches its window.
std::string cableNet(int cells) {
    const int nodes = (cells + 1) * (cells + 1);
    std::string text =
        "Net\r\n" + std::to_string(nodes) + " " + std::to_string(2 * cells * (cells + 1)) + "\r\n";
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) {
            const bool edge = i == 0 || j == 0 || i == cells || j == cells;
            text += std::to_string(j * (cells + 1) + i + 1) + " " + std::to_string(i) + " " +
                    std::to_string(j) + " 0" + (edge ? " 1 1 1\r\n" : " 0 0 0\r\n");
        }
    int member = 0;
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i < cells; ++i)
            for (const auto& [a, b] : {std::pair{j * (cells + 1) + i, j * (cells + 1) + i + 1},
                                       std::pair{i * (cells + 1) + j, (i + 1) * (cells + 1) + j}})
                text += std::to_string(++member) + " " + std::to_string(a + 1) + " " +
                        std::to_string(b + 1) + " C 1e5 1000\r\n";
    return text;
}

TEST_F(RealAnalysis, SolveCancelledKeepsWhatItSolvedAndSaysSo) {
    installation.write("../Dat/Net.dat", cableNet(80));
    installation.write("../Dat/Net.inc", "Loads\r\n1\r\n0\r\n1 1 200\r\n3281 0 0 -1000\r\n");
    prepareWithEveryCase("Net.dat");
    click(control(panel, IDC_ITER));
    HWND progress = nullptr;
    ASSERT_TRUE((progress = shell->waitForChildWindow("OMBRIX - Solve")));
    pressKey(progress, VK_ESCAPE);
    expectMessage("OMBRIX - Solve", "The run was cancelled at load case 1");
    expectStatus(6, "Solve 20: * Cancelled");
    EXPECT_FALSE(std::filesystem::exists(pathOf(data + "Net.dat.work\\1.res")));
    EXPECT_NE(read(data + "Net.rez").find("Load cases reported: -"), std::string::npos);
    exitShell();
}

// Two installations' shells on one geometry file take turns: while the first one's Solve
// holds the working folder, the second one's Prepare is refused, naming the holder, and
// writes nothing; the first one's cancelled run then reports only its own, and the second
// goes on once the folder is free.
TEST_F(RealAnalysis, TwoInstallationsOnOneGeometryFileTakeTurns) {
    installation.write("../Dat/Net.dat", cableNet(80));
    installation.write("../Dat/Net.inc", "Loads\r\n1\r\n0\r\n1 1 200\r\n3281 0 0 -1000\r\n");
    prepareWithEveryCase("Net.dat");
    Installation other;
    installRealSuite(other);
    Shell second(other);
    HWND otherPanel = second.openPanel();
    typeText(control(otherPanel, IDC_GEOMETRY_FILE), data + "Net.dat");

    click(control(panel, IDC_ITER));
    ASSERT_TRUE(waitUntil(
        [&] { return std::filesystem::exists(pathOf(data + "Net.dat.work\\Step.lock")); }));
    click(control(otherPanel, IDC_INPUT));
    expectMessageOf(second, "OMBRIX - Prepare",
                    "another OMBRIX step is working on Net.dat: Solve, started");
    expectStatusOf(otherPanel, 2, "Prepare 20: * Failed");
    pressKey(shell->waitForChildWindow("OMBRIX - Solve"), VK_ESCAPE);
    expectMessage("OMBRIX - Solve", "The run was cancelled at load case 1");
    expectStatus(6, "Solve 20: * Cancelled");
    const std::string output = read(data + "Net.rez");
    EXPECT_NE(output.find("Load cases reported: -"), std::string::npos);
    EXPECT_EQ(output.find("another OMBRIX step"), std::string::npos);

    click(control(otherPanel, IDC_INPUT));
    expectStatusOf(otherPanel, 4, "Prepare 20: Finished");
    exitShell();
}
