#include "harness.h"
#include "ids.h"

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

using namespace e2e;

// The panel of a shell whose suite programs log their starts; each button is enabled
// before it is pressed, as the case handlers would leave it.
class Launching : public PanelTest {
  protected:
    void chooseFiles(const std::string& geometry, const std::string& output,
                     const std::string& loading) {
        typeText(control(panel, IDC_GEOMETRY_FILE), geometry);
        typeText(control(panel, IDC_OUTPUT_FILE), output);
        typeText(control(panel, IDC_LOADING_FILE), loading);
    }

    void press(int controlId) {
        EnableWindow(control(panel, controlId), TRUE);
        click(control(panel, controlId));
    }

    std::vector<std::string> statusLines() const {
        return listItems(control(panel, IDC_PROGRAM_STATUS));
    }

    // Waits until the Program Status list holds this many lines; they are returned.
    std::vector<std::string>
    waitForStatusLines(std::size_t count, std::chrono::milliseconds timeout = defaultTimeout) {
        waitUntil([&] { return statusLines().size() >= count; }, timeout);
        return statusLines();
    }

    // INPUT and INCARC on the sample Bridge, as I T E R expects them done: four lines.
    void prepareBridge() {
        chooseFiles("..\\Dat\\Bridge.dat", "..\\Dat\\Bridge.rez", "..\\Dat\\Bridge.inc");
        press(IDC_INPUT);
        waitForStatusLines(2);
        click(control(panel, IDC_INCARC));
        waitForStatusLines(4);
    }

    // The status lines after the four of prepareBridge, once there are `count` in all.
    std::vector<std::string> linesAfterPreparing(std::size_t count) {
        const std::vector<std::string> lines = waitForStatusLines(count);
        return {lines.begin() + std::min<std::ptrdiff_t>(4, std::ssize(lines)), lines.end()};
    }

    bool waitForChildrenToEnd() {
        return waitUntil([&] { return shell->runningChildren().empty(); });
    }
};

// A whole analysis as an engineer runs it: the loading processor prepares cases 1 and 3
// of the three (and case 0), and the solver gets the cases the user selected.
TEST_F(Launching, AWholeAnalysisRunsFromInputToTheSolver) {
    setEnvironment("OMBRIX_FORCES_SKIP", "2");
    openPanel();
    chooseFiles("..\\Dat\\Bridge.dat", "..\\Dat\\Bridge.rez", "..\\Dat\\Bridge.inc");
    press(IDC_INPUT);
    EXPECT_EQ(waitForStatusLines(2),
              (std::vector<std::string>{"Prepare 20: Launched", "Prepare 20: Finished"}));
    EXPECT_TRUE(isEnabled(control(panel, IDC_INCARC)));
    EXPECT_TRUE(isEnabled(control(panel, IDC_SELECT_LOADING)));
    EXPECT_EQ(listItems(control(panel, IDC_TEXT_FILE_LIST))[2], "Output File");

    click(control(panel, IDC_INCARC));
    waitForStatusLines(4);
    HWND cases = control(panel, IDC_CASE_LIST);
    EXPECT_EQ(listItems(cases), (std::vector<std::string>{"0", "1", "3"}));
    EXPECT_FALSE(isEnabled(control(panel, IDC_ITER)));
    clickItem(cases, 3);
    clickItem(cases, 1);
    ASSERT_TRUE(
        waitUntil([&] { return windowText(control(panel, IDC_CASE_CAPTION)) == "My Cases"; }));
    click(control(panel, IDC_ITER));
    waitForStatusLines(6);
    click(control(panel, IDC_ALL_CASES));
    ASSERT_TRUE(
        waitUntil([&] { return windowText(control(panel, IDC_CASE_CAPTION)) == "All Cases"; }));
    click(control(panel, IDC_ITER));
    EXPECT_EQ(waitForStatusLines(8),
              (std::vector<std::string>{"Prepare 20: Launched", "Prepare 20: Finished",
                                        "Forces 20: Launched", "Forces 20: Finished",
                                        "Solve 20: Launched", "Solve 20: Finished",
                                        "Solve 20: Launched", "Solve 20: Finished"}));
    EXPECT_EQ(listTopItem(control(panel, IDC_PROGRAM_STATUS)), 8);

    const std::vector<SuiteStart> starts = suiteStarts();
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_EQ(starts[0].program, "Prepare 20.exe");
    EXPECT_EQ(starts[0].commandLine,
              "\"" + exePath("Prepare 20.exe") +
                  "\" ..\\Dat\\Bridge.dat ..\\Dat\\Bridge.rez Short English");
    EXPECT_EQ(starts[1].commandLine, "\"" + exePath("Forces 20.exe") + "\" ..\\Dat\\Bridge.inc");
    EXPECT_EQ(starts[2].commandLine, "\"" + exePath("Solve 20.exe") + "\"  0 3");
    EXPECT_EQ(starts[3].commandLine, "\"" + exePath("Solve 20.exe") + "\"  0 1 3");
    for (const SuiteStart& start : starts)
        EXPECT_EQ(start.currentFolder, utf8Text(installation.exeDir()));
    EXPECT_EQ(installation.read("work_dir.dat"), utf8Text(installation.root() / "Work") + "\r\n");
    exitShell();
}

TEST_F(Launching, LongNamesWithBlanksReachTheAnalysisWholeAndQuoted) {
    const std::string data = utf8Text(installation.root() / "Dat") + "\\" + std::string(60, 'L') +
                             " folder " + std::string(60, 'L') + "\\";
    std::filesystem::copy(installation.root() / "Dat", pathOf(data));
    openPanel();
    chooseFiles(data + "Cable Net.dat", data + "Cable Net.rez", data + "Cable Net.inc");
    press(IDC_INPUT);
    waitForStatusLines(2);
    click(control(panel, IDC_INCARC));
    waitForStatusLines(4);
    const std::vector<SuiteStart> starts = suiteStarts();
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[0].commandLine, "\"" + exePath("Prepare 20.exe") + "\" \"" + data +
                                         "Cable Net.dat\" \"" + data +
                                         "Cable Net.rez\" Short English");
    EXPECT_EQ(starts[1].commandLine,
              "\"" + exePath("Forces 20.exe") + "\" \"" + data + "Cable Net.inc\"");
    EXPECT_TRUE(std::filesystem::exists(installation.root() / "Work" / "2.unf"));
    EXPECT_TRUE(std::filesystem::exists(pathOf(data + "Cable Net.rez")));
    exitShell();
}

TEST_F(Launching, TheSecondEditionIsPreferredAndAMissingProgramIsReported) {
    installation.remove("Solve 20.exe");
    openPanel();
    prepareBridge();
    press(IDC_ITER);
    EXPECT_EQ(linesAfterPreparing(6),
              (std::vector<std::string>{"Solve: Launched", "Solve: Finished"}));

    installation.remove("Solve.exe");
    press(IDC_ITER);
    EXPECT_EQ(takeMessage(),
              ("File: " + exePath("Solve.exe") + "\rDoesn't Exist !").substr(0, 100));
    EXPECT_EQ(statusLines().size(), 6u);
    EXPECT_EQ(suiteStarts().size(), 3u);
    exitShell();
}

TEST_F(Launching, ProgramsThatCannotStartAreReported) {
    installation.write("Solve 20.exe", "not a program");
    installation.write("Plotter 20.exe", "not a program");
    openPanel();
    prepareBridge();
    press(IDC_ITER);
    EXPECT_EQ(takeMessage(), " * Failed running: " + exePath("Solve 20.exe") + " ");
    press(IDC_STRUCTURE_GRAPH);
    EXPECT_EQ(takeMessage("OMBRIX: Process Message"), exePath("Plotter 20.exe") + ": Failed run!");
    EXPECT_EQ(linesAfterPreparing(7),
              (std::vector<std::string>{"Solve 20: Launched", "Solve 20: * Failed running",
                                        "Plotter 20: * Failed Running"}));
    exitShell();
}

// Exit code 259 is STILL_ACTIVE's value: the end must be told from the process itself.
TEST_F(Launching, AProgramBesideTheShellIsReportedFinishedOnceAtTheNextLaunch) {
    holdSuitePrograms(true);
    setEnvironment("OMBRIX_SUITE_EXIT", "259");
    openPanel();
    press(IDC_STRUCTURE_GRAPH);
    EXPECT_EQ(waitForStatusLines(1), std::vector<std::string>{"Plotter 20: Launched"});
    ASSERT_TRUE(waitForChildrenToEnd());
    press(IDC_DIAGRAMS);
    waitForStatusLines(3);
    ASSERT_TRUE(waitForChildrenToEnd());
    press(IDC_COMPOUND_PROCESSOR);
    EXPECT_EQ(waitForStatusLines(5),
              (std::vector<std::string>{"Plotter 20: Launched", "Charts: Launched",
                                        "Plotter 20: Finished", "CompoundPost: Launched",
                                        "Charts: Finished"}));
    ASSERT_TRUE(waitUntil([&] { return suiteStarts().size() == 3; }));
    const std::vector<SuiteStart> starts = suiteStarts();
    EXPECT_EQ(starts[0].program, "Plotter 20.exe");
    EXPECT_EQ(starts[0].commandLine, " \t");
    ASSERT_TRUE(waitForChildrenToEnd());
    exitShell();
}

TEST_F(Launching, ThePanelStaysResponsiveWhileItWaitsForTheAnalysis) {
    holdSuitePrograms();
    openPanel();
    chooseFiles("..\\Dat\\Bridge.dat", "..\\Dat\\Bridge.rez", "..\\Dat\\Bridge.inc");
    press(IDC_INPUT);
    ASSERT_EQ(waitForStatusLines(1).size(), 1u);
    click(control(panel, IDC_STRUCTURE_GRAPH)); // taken by nobody while the shell waits

    // Windows calls a window hung when it has not answered for five seconds.
    const auto started = std::chrono::steady_clock::now();
    int answered = 0;
    while (std::chrono::steady_clock::now() - started < 6s) {
        DWORD_PTR result = 0;
        answered += SendMessageTimeoutA(panel, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
        EXPECT_FALSE(IsHungAppWindow(panel));
        EXPECT_FALSE(isEnabled(panel));
        EXPECT_EQ(statusLines().size(), 1u);
        std::this_thread::sleep_for(500ms);
    }
    EXPECT_GE(answered, 10);
    releaseSuitePrograms();
    EXPECT_EQ(waitForStatusLines(2),
              (std::vector<std::string>{"Prepare 20: Launched", "Prepare 20: Finished"}));
    EXPECT_TRUE(waitUntil([&] { return isEnabled(panel); }));
    exitShell();
}

TEST_F(Launching, InputRefusesNamesThatWouldHarmTheAnalysis) {
    openPanel();
    const std::string overwrites = ": The output file must not be the geometry file or the "
                                   "loading file, which the analysis would overwrite.";
    const std::string installationFile = ": The output file must not lie among OMBRIX's programs "
                                         "and documents, which the analysis would overwrite.";
    const struct {
        std::string output;
        std::string reason;
    } cases[] = {
        {"..\\Dat\\bridge.DAT", overwrites},
        {"..\\Dat\\Bridge.inc", overwrites},
        {"..\\Dat\\.\\Bridge.dat", overwrites},
        {"..\\Dat\\Bridge.dat.", overwrites},
        {"../Dat/Bridge.dat", overwrites},
        {"..\\Dat\\..\\Dat\\Bridge.dat", overwrites},
        {"..\\Exe\\Prepare.exe", installationFile},
        {"..\\Dat\\Bri\"dge.rez",
         ": This is not a valid file name.\n\nA file name cannot be empty or longer than 259 "
         "characters, hold the characters \" < > | ? * or a colon after its drive, or end with a "
         "backslash."},
    };
    for (const auto& c : cases) {
        chooseFiles("..\\Dat\\Bridge.dat", c.output, "..\\Dat\\Bridge.inc");
        press(IDC_INPUT);
        HWND box = shell->waitForWindow("OMBRIX Message");
        ASSERT_TRUE(box) << c.output;
        // The panel takes no input under its message.
        EXPECT_FALSE(isEnabled(panel)) << c.output;
        EXPECT_EQ(takeMessage(), "\"" + c.output + "\"" + c.reason + "\n\nCheck for File Name !");
        EXPECT_TRUE(waitUntil([&] { return isEnabled(panel); })) << c.output;
    }
    const std::string checkName = "\n\nCheck for File Name !";
    chooseFiles("..\\Dat\\None.dat", "..\\Dat\\None.rez", "");
    press(IDC_INPUT);
    EXPECT_EQ(takeMessage(), "\"..\\Dat\\None.dat\": File does not exist." + checkName);
    // The handler goes on once its message is answered.
    EXPECT_TRUE(waitUntil([&] {
        return !isEnabled(control(panel, IDC_INCARC)) &&
               !isEnabled(control(panel, IDC_SELECT_LOADING));
    }));
    EXPECT_TRUE(statusLines().empty());
    EXPECT_TRUE(suiteStarts().empty());
    exitShell();
}
