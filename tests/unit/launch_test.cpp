#include "shell_test.h"

#include "base/folders.h"
#include "cases/case_selection.h"
#include "files/file_set.h"
#include "files/recent.h"
#include "files/settings.h"
#include "handoff/handoff.h"
#include "ids.h"
#include "launch/command_line.h"
#include "launch/launch.h"
#include "launch/process_table.h"
#include "launch/text_file_list.h"
#include "shell/panel.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using platform::MessageIcon;

constexpr const char* exeDir = "C:\\Ombrix\\Exe\\";

std::vector<std::string> statusLines(platform::Dialog panel) {
    return fake::control(panel, IDC_PROGRAM_STATUS).items;
}

} // namespace

// The panel of a started shell, with the analysis files of one job on disk and every
// launch button enabled, as the file handlers leave them once names are chosen.
class Launching : public PanelShellTest {
  protected:
    void SetUp() override {
        PanelShellTest::SetUp();
        for (const char* name : {"C:\\Jobs\\bridge.dat", "C:\\Jobs\\bridge.inc",
                                 "C:\\My Jobs\\my bridge.dat", "C:\\My Jobs\\my bridge.inc"})
            writeFile(name, "loads\r\n0\r\n0\r\n");
        chooseFiles("C:\\Jobs\\bridge.dat", "C:\\Jobs\\bridge.rez", "C:\\Jobs\\bridge.inc");
        for (int id : {IDC_INPUT, IDC_INCARC, IDC_ITER, IDC_PREVIEW, IDC_VIEW_EDIT, IDC_PRINT})
            platform::setEnabled(panel, id, true);
    }

    void chooseFiles(const std::string& geometry, const std::string& output,
                     const std::string& loading) {
        platform::setText(panel, IDC_GEOMETRY_FILE, geometry);
        platform::setText(panel, IDC_OUTPUT_FILE, output);
        platform::setText(panel, IDC_LOADING_FILE, loading);
        fileSet.geometryFile = geometry;
        fileSet.outputFile = output;
        fileSet.loadingFile = loading;
        // As INPUT and INCARC leave them once they have prepared these files.
        analysisSteps.prepared = PreparedFiles{fileSet.geometryFile, fileSet.outputFile,
                                               settings.listType, settings.outputLanguage};
        analysisSteps.loadsPreparedFrom = fileSet.loadingFile;
    }

    void installPrograms(const std::vector<std::string>& names) {
        for (const std::string& name : names)
            writeFile(exeDir + name, "");
    }

    const fake::Process& lastProcess() const { return fake::state().processes.back(); }
    std::vector<fake::Message>& messages() const { return fake::state().messages; }
};

TEST_F(Launching, EachButtonStartsItsProgramWithItsCommandLine) {
    const struct {
        int controlId;
        std::vector<std::string> installed;
        std::string application; // empty: the shell waits for the program
        std::string commandLine;
        std::string statusLine;
    } cases[] = {
        {IDC_INPUT,
         {"Prepare.exe", "Prepare 20.exe"},
         "",
         "\"C:\\Ombrix\\Exe\\Prepare 20.exe\" C:\\Jobs\\bridge.dat C:\\Jobs\\bridge.rez Short "
         "English",
         "Prepare 20: Finished"},
        {IDC_INPUT,
         {"Prepare.exe"},
         "",
         "\"C:\\Ombrix\\Exe\\Prepare.exe\" C:\\Jobs\\bridge.dat C:\\Jobs\\bridge.rez Short English",
         "Prepare: Finished"},
        {IDC_INCARC,
         {"Forces 20.exe"},
         "",
         "\"C:\\Ombrix\\Exe\\Forces 20.exe\" C:\\Jobs\\bridge.inc",
         "Forces 20: Finished"},
        {IDC_ITER,
         {"Solve.exe", "Solve 20.exe"},
         "",
         "\"C:\\Ombrix\\Exe\\Solve 20.exe\" ",
         "Solve 20: Finished"},
        {IDC_PREVIEW,
         {"Glance.exe"},
         "C:\\Ombrix\\Exe\\Glance.exe",
         " C:\\Jobs\\bridge.dat",
         "Glance: Launched"},
        {IDC_STRUCTURE_GRAPH,
         {"Plotter.exe", "Plotter 20.exe"},
         "C:\\Ombrix\\Exe\\Plotter 20.exe",
         " \t",
         "Plotter 20: Launched"},
        {IDC_DISPLACED_GRAPH,
         {"PlotterD 20.exe"},
         "C:\\Ombrix\\Exe\\PlotterD 20.exe",
         " \t",
         "PlotterD 20: Launched"},
        {IDC_MAX_PROCESSOR,
         {"PeakFinder.exe"},
         "C:\\Ombrix\\Exe\\PeakFinder.exe",
         " \t",
         "PeakFinder: Launched"},
        {IDC_INPUT_FILE,
         {"Make_FrameFile 20.exe"},
         "C:\\Ombrix\\Exe\\Make_FrameFile 20.exe",
         " \t",
         "Make_FrameFile 20: Launched"},
        {IDC_INCARC_FILE,
         {"Make_ForceFile.exe"},
         "C:\\Ombrix\\Exe\\Make_ForceFile.exe",
         " \t",
         "Make_ForceFile: Launched"},
        {IDC_COMPOUND_STRUCTURE,
         {"Compound 20.exe"},
         "C:\\Ombrix\\Exe\\Compound 20.exe",
         " \t",
         "Compound 20: Launched"},
        // One edition only: a " 20" file beside it is never taken.
        {IDC_COMPOUND_PROCESSOR,
         {"CompoundPost.exe", "CompoundPost 20.exe"},
         "C:\\Ombrix\\Exe\\CompoundPost.exe",
         " \t",
         "CompoundPost: Launched"},
        {IDC_DIAGRAMS,
         {"Charts.exe", "Charts 20.exe"},
         "C:\\Ombrix\\Exe\\Charts.exe",
         " \t",
         "Charts: Launched"},
        {IDC_PRINT,
         {"Printout.exe"},
         "C:\\Ombrix\\Exe\\Printout.exe",
         " C:\\Jobs\\bridge.rez",
         "Printout: Launched"},
        {IDC_VIEW_EDIT,
         {},
         "C:\\Windows\\Notepad.exe",
         "\"C:\\Windows\\Notepad.exe\" C:\\Jobs\\bridge.rez",
         "Notepad: Launched"},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.commandLine);
        selectedTextFile = "C:\\Jobs\\bridge.rez";
        writeFile("C:\\Windows\\Notepad.exe", "");
        installPrograms(c.installed);
        fake::click(panel, c.controlId);
        ASSERT_EQ(fake::state().processes.size(), 1u);
        EXPECT_EQ(lastProcess().applicationName, c.application);
        EXPECT_EQ(lastProcess().commandLine, c.commandLine);
        EXPECT_EQ(statusLines(panel).back(), c.statusLine);
        EXPECT_TRUE(messages().empty());
    });
}

TEST_F(Launching, NamesWithBlanksAreQuotedForTheAnalysisButNotForTextFiles) {
    installPrograms({"Prepare.exe", "Forces.exe", "Glance.exe", "Printout.exe"});
    chooseFiles("C:\\My Jobs\\my bridge.dat", "C:\\My Jobs\\my bridge.rez",
                "C:\\My Jobs\\my bridge.inc");
    settings.listType = "Complete";
    settings.outputLanguage = "Romanian";
    selectedTextFile = "C:\\My Jobs\\my bridge.rez";
    for (int id : {IDC_INPUT, IDC_INCARC, IDC_PREVIEW, IDC_PRINT})
        fake::click(panel, id);
    const std::vector<fake::Process>& started = fake::state().processes;
    ASSERT_EQ(started.size(), 4u);
    EXPECT_EQ(started[0].commandLine,
              "\"C:\\Ombrix\\Exe\\Prepare.exe\" \"C:\\My Jobs\\my "
              "bridge.dat\" \"C:\\My Jobs\\my bridge.rez\" Complete Romanian");
    EXPECT_EQ(started[1].commandLine,
              "\"C:\\Ombrix\\Exe\\Forces.exe\" \"C:\\My Jobs\\my bridge.inc\"");
    EXPECT_EQ(started[2].commandLine, " \"C:\\My Jobs\\my bridge.dat\"");
    EXPECT_EQ(started[3].commandLine, " C:\\My Jobs\\my bridge.rez");
}

TEST_F(Launching, TheSolverGetsTheSelectedCaseLabels) {
    installPrograms({"Solve.exe"});
    const struct {
        std::vector<std::string> labels;
        std::string commandLine;
    } cases[] = {
        {{}, "\"C:\\Ombrix\\Exe\\Solve.exe\" "},
        {{"1 ", "12"}, "\"C:\\Ombrix\\Exe\\Solve.exe\"  1 12"},
        {{"0 ", "7 ", "12"}, "\"C:\\Ombrix\\Exe\\Solve.exe\"  0 7 12"},
    };
    for (const auto& c : cases) {
        caseSelection.selectedCaseCount = static_cast<int>(c.labels.size());
        for (std::size_t k = 0; k < c.labels.size(); ++k)
            caseSelection.selectedCaseLabels[k] = c.labels[k];
        fake::click(panel, IDC_ITER);
        EXPECT_EQ(lastProcess().commandLine, c.commandLine);
    }
}

TEST_F(Launching, InputPreparesTheNextStepsAndRemembersTheFile) {
    installPrograms({"Prepare.exe"});
    platform::setEnabled(panel, IDC_INCARC, false);
    platform::setEnabled(panel, IDC_SELECT_LOADING, false);
    recentFiles[0] = "C:\\Jobs\\older.dat";
    fake::click(panel, IDC_INPUT);
    EXPECT_TRUE(platform::isEnabled(panel, IDC_INCARC));
    EXPECT_TRUE(platform::isEnabled(panel, IDC_SELECT_LOADING));
    EXPECT_EQ(platform::itemText(panel, IDC_TEXT_FILE_LIST, 3), "Output File");
    EXPECT_EQ(recentFiles[0], "C:\\Jobs\\bridge.dat");
    EXPECT_EQ(recentFiles[1], "C:\\Jobs\\older.dat");
    EXPECT_EQ(statusLines(panel),
              (std::vector<std::string>{"Prepare: Launched", "Prepare: Finished"}));
    EXPECT_EQ(fake::control(panel, IDC_PROGRAM_STATUS).topItem, 2);
}

TEST_F(Launching, PressesThatCannotGoOnTellTheUserAndStartNothing) {
    const std::string checkName = "\n\nCheck for File Name !";
    const std::string notValid =
        ": This is not a valid file name.\n\nA file name cannot be empty or longer than 259 "
        "characters, hold the characters \" < > | ? * or a colon after its drive, or end with a "
        "backslash." +
        checkName;
    const std::string overwrites = ": The output file must not be the geometry file or the "
                                   "loading file, which the analysis would overwrite." +
                                   checkName;
    const std::string installation = ": The output file must not lie among OMBRIX's programs "
                                     "and documents, which the analysis would overwrite." +
                                     checkName;
    const std::string longName = "C:\\Jobs\\" + std::string(260, 'n') + ".rez";
    const struct {
        int controlId;
        std::string geometry, output, loading, textFile;
        std::string message;
        bool loadingButtonsEnabled;
    } cases[] = {
        {IDC_INPUT, "", "C:\\Jobs\\bridge.rez", "", "", "\"\": File does not exist." + checkName,
         false},
        {IDC_INPUT, "C:\\Jobs\\none.dat", "C:\\Jobs\\none.rez", "", "",
         "\"C:\\Jobs\\none.dat\": File does not exist." + checkName, false},
        {IDC_INPUT, "C:\\Jobs", "C:\\Jobs\\a.rez", "", "",
         "\"C:\\Jobs\": File does not exist." + checkName, false},
        {IDC_INCARC, "C:\\Jobs\\bridge.dat", "", "C:\\Jobs\\none.inc", "",
         "\"C:\\Jobs\\none.inc\": File does not exist." + checkName, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\BRIDGE.DAT", "", "",
         "\"C:\\Jobs\\BRIDGE.DAT\"" + overwrites, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\bridge.inc", "C:\\Jobs\\bridge.inc", "",
         "\"C:\\Jobs\\bridge.inc\"" + overwrites, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\.\\bridge.dat", "", "",
         "\"C:\\Jobs\\.\\bridge.dat\"" + overwrites, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\bridge.dat.", "", "",
         "\"C:\\Jobs\\bridge.dat.\"" + overwrites, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:/Jobs/bridge.dat", "", "",
         "\"C:/Jobs/bridge.dat\"" + overwrites, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\..\\Jobs\\bridge.dat", "", "",
         "\"C:\\Jobs\\..\\Jobs\\bridge.dat\"" + overwrites, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\linked.dat", "", "",
         "\"C:\\Jobs\\linked.dat\"" + overwrites, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "Prepare.exe", "", "", "\"Prepare.exe\"" + installation,
         true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Ombrix\\Doc\\x.rez", "", "",
         "\"C:\\Ombrix\\Doc\\x.rez\"" + installation, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", longName, "", "",
         "\"" + longName.substr(0, 260) + "\"" + notValid, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "", "", "", "\"\"" + notValid, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\a\"b.rez", "", "",
         "\"C:\\Jobs\\a\"b.rez\"" + notValid, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\a|b.rez", "", "",
         "\"C:\\Jobs\\a|b.rez\"" + notValid, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\a:b.rez", "", "",
         "\"C:\\Jobs\\a:b.rez\"" + notValid, true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\My Jobs\\", "", "", "\"C:\\My Jobs\\\"" + notValid,
         true},
        {IDC_INPUT, "C:\\Jobs\\bridge.dat", "C:\\Jobs\\a\tb.rez", "", "",
         "\"C:\\Jobs\\a\tb.rez\"" + notValid, true},
        {IDC_PREVIEW, "C:\\Jobs\\a?.dat", "", "", "", "\"C:\\Jobs\\a?.dat\"" + notValid, true},
        {IDC_PRINT, "", "", "", "C:\\Jobs\\a*.rez", "\"C:\\Jobs\\a*.rez\"" + notValid, true},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.message);
        installPrograms({"Prepare.exe", "Forces.exe", "Glance.exe", "Printout.exe"});
        std::filesystem::create_hard_link(fake::hostPath("C:\\Jobs\\bridge.dat"),
                                          fake::hostPath("C:\\Jobs\\linked.dat"));
        chooseFiles(c.geometry, c.output, c.loading);
        selectedTextFile = c.textFile;
        fake::click(panel, c.controlId);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].text, c.message);
        EXPECT_EQ(messages()[0].title, "OMBRIX Message");
        EXPECT_EQ(messages()[0].icon, MessageIcon::Error);
        EXPECT_TRUE(fake::state().processes.empty());
        EXPECT_TRUE(statusLines(panel).empty());
        EXPECT_EQ(platform::isEnabled(panel, IDC_INCARC), c.loadingButtonsEnabled);
        EXPECT_EQ(platform::isEnabled(panel, IDC_SELECT_LOADING), c.loadingButtonsEnabled);
        EXPECT_EQ(processTable.usedSlotCount, 0);
    });
}

TEST_F(Launching, ProgramPathsAndArgumentsAreHandedOnWhole) {
    const std::string deep = "C:\\" + std::string(200, 'd') + "\\Exe";
    const std::string job = "C:\\" + std::string(140, 'j') + "\\bridge";
    const struct {
        const char* name;
        std::string startDir;
        int controlId;
        std::string commandLine;
        std::string message;
    } cases[] = {
        {"a missing program", startDir, IDC_ITER, "",
         "File: C:\\Ombrix\\Exe\\Solve.exe\rDoesn't Exist !"},
        {"a deep start folder", deep, IDC_STRUCTURE_GRAPH, " \t", ""},
        {"a missing program in a deep start folder", deep, IDC_ITER, "",
         "File: " + deep + "\\Solve.exe\rDoesn't Exist !"},
        {"long analysis files", startDir, IDC_INPUT,
         "\"C:\\Ombrix\\Exe\\Prepare.exe\" " + job + ".dat " + job + ".rez Short English", ""},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.name);
        folders = installationFolders(c.startDir);
        writeFile(c.startDir + "\\Plotter.exe", "");
        writeFile(c.startDir + "\\Prepare.exe", "");
        writeFile(job + ".dat", "");
        chooseFiles(job + ".dat", job + ".rez", job + ".inc");
        fake::click(panel, c.controlId);
        if (c.message.empty()) {
            ASSERT_EQ(fake::state().processes.size(), 1u);
            EXPECT_EQ(lastProcess().commandLine, c.commandLine);
            EXPECT_TRUE(messages().empty());
        } else {
            ASSERT_EQ(messages().size(), 1u);
            EXPECT_EQ(messages()[0].text, c.message);
            EXPECT_TRUE(fake::state().processes.empty());
        }
    });
}

TEST_F(Launching, OnlyAnAnalysisStepThatDidItsWorkHasFinished) {
    const struct {
        int exitCode;
        const char* status;
    } cases[] = {{0, "Solve: Finished"},
                 {1, "Solve: * Failed"},
                 {-1, "Solve: * Failed"},
                 {3, "Solve: * Cancelled"}};
    forEachRow(cases, [&](const auto& c) {
        installPrograms({"Solve.exe"});
        fake::state().exitCode = c.exitCode;
        fake::click(panel, IDC_ITER);
        EXPECT_EQ(statusLines(panel), (std::vector<std::string>{"Solve: Launched", c.status}));
        EXPECT_TRUE(messages().empty());
    });
}

TEST_F(Launching, SaysWhichCasesDidNotConverge) {
    const struct {
        std::vector<std::string> selected;
        std::vector<std::string> converged; // of them, by their result files
        const char* status;
    } cases[] = {
        {{"1"}, {}, "Solve: * Not converged: 1"},
        {{"0", "1", "7"}, {"1"}, "Solve: * Not converged: 0, 7"},
        {{"1", "2"}, {"1", "2"}, "Solve: * Not every case converged"}, // replaced since
    };
    forEachRow(cases, [&](const auto& c) {
        installPrograms({"Solve.exe"});
        writeFile("work_dir.dat", "C:\\Work\r\n");
        for (const std::string& label : c.selected) {
            const bool converged = std::ranges::count(c.converged, label) > 0;
            writeFile("C:\\Work\\" + label + ".res",
                      "case " + label + "\r\nconverged " + (converged ? "yes" : "no") + "\r\n");
            caseSelection.selectedCaseLabels[caseSelection.selectedCaseCount++] = label;
        }
        fake::state().exitCode = handoff::stepNotConverged;
        fake::click(panel, IDC_ITER);
        EXPECT_EQ(statusLines(panel), (std::vector<std::string>{"Solve: Launched", c.status}));
    });
}

TEST_F(Launching, ProgramsThatFailToStartAreReportedAndLogged) {
    installPrograms({"Solve.exe", "Plotter 20.exe"});
    fake::state().unstartablePrograms = {"C:\\Ombrix\\Exe\\Solve.exe",
                                         "C:\\Ombrix\\Exe\\Plotter 20.exe"};
    fake::click(panel, IDC_ITER);
    fake::click(panel, IDC_STRUCTURE_GRAPH);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text, " * Failed running: C:\\Ombrix\\Exe\\Solve.exe ");
    EXPECT_EQ(messages()[0].title, "OMBRIX Message");
    EXPECT_EQ(messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages()[1].text, "C:\\Ombrix\\Exe\\Plotter 20.exe: Failed run!");
    EXPECT_EQ(messages()[1].title, "OMBRIX: Process Message");
    EXPECT_EQ(messages()[1].icon, MessageIcon::None);
    EXPECT_EQ(statusLines(panel),
              (std::vector<std::string>{"Solve: Launched", "Solve: * Failed running",
                                        "Plotter 20: * Failed Running"}));
    EXPECT_EQ(processTable.slots[0].slotState, slotStartFailed);
}

TEST_F(Launching, SlotsAreTakenInOrderAndNeverPastTheTable) {
    installPrograms({"Plotter.exe", "Charts.exe"});
    fake::click(panel, IDC_STRUCTURE_GRAPH);
    fake::state().unstartablePrograms = {"C:\\Ombrix\\Exe\\Plotter.exe"};
    fake::click(panel, IDC_STRUCTURE_GRAPH);
    fake::click(panel, IDC_DIAGRAMS);
    fake::click(panel, IDC_DIAGRAMS);
    EXPECT_EQ(processTable.usedSlotCount, 4);
    const ProcessSlot& fourth = processTable.slots[3];
    EXPECT_EQ(fourth.slotState, slotStarted);
    EXPECT_EQ(fourth.programPath, "C:\\Ombrix\\Exe\\Charts.exe");
    EXPECT_EQ(fourth.argumentText, "\t");
    EXPECT_EQ(fourth.displayName, "C:\\Ombrix\\Exe\\Charts.exe");
    EXPECT_EQ(fourth.processId, 1002u);
    EXPECT_NE(fourth.processHandle, nullptr);

    for (int start = 5; start <= processSlotCount; ++start)
        fake::click(panel, IDC_DIAGRAMS);
    ASSERT_EQ(processTable.usedSlotCount, processSlotCount);
    const std::size_t started = fake::state().processes.size();
    const std::size_t lines = statusLines(panel).size();
    fake::click(panel, IDC_DIAGRAMS);
    EXPECT_EQ(processTable.usedSlotCount, processSlotCount);
    EXPECT_EQ(fake::state().processes.size(), started);
    EXPECT_EQ(statusLines(panel).size(), lines);
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back().title, "OMBRIX Message");
    EXPECT_NE(messages().back().text.find("cannot keep track of more"), std::string::npos);
}

TEST_F(Launching, TextFileProgramsAreNamedByTheListItem) {
    const std::string notepad = "\"C:\\Windows\\Notepad.exe\" ";
    const struct {
        int controlId;
        int item;
        const char* textFile;
        const char* statusLine;
        bool remembered;
        std::string commandLine;
    } cases[] = {
        {IDC_VIEW_EDIT, 3, "C:\\Jobs\\bridge.rez", "Notepad \"Output File\": Launched", true,
         notepad + "C:\\Jobs\\bridge.rez"},
        {IDC_VIEW_EDIT, 4, "\t", "Notepad \"New\": Launched", true, "\"C:\\Windows\\Notepad.exe\""},
        {IDC_PRINT, 1, "C:\\Jobs\\bridge.dat", "Printout \"Geometry File\": Launched", false,
         " C:\\Jobs\\bridge.dat"},
        {IDC_PRINT, 0, "C:\\Jobs\\bridge.dat", "Printout: Launched", false,
         " C:\\Jobs\\bridge.dat"},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.statusLine);
        installPrograms({"Printout.exe"});
        writeFile("C:\\Windows\\Notepad.exe", "");
        selectedTextFile = c.textFile;
        platform::selectItem(panel, IDC_TEXT_FILE_LIST, c.item);
        fake::click(panel, c.controlId);
        EXPECT_EQ(statusLines(panel).back(), c.statusLine);
        EXPECT_EQ(lastProcess().commandLine, c.commandLine);
        EXPECT_EQ(recentFiles[0] == "C:\\Jobs\\bridge.dat", c.remembered);
    });
}

TEST_F(Launching, EndedProgramsAreReportedOnceAtTheNextLaunch) {
    installPrograms({"Plotter.exe", "PlotterD.exe", "Charts.exe", "Solve.exe"});
    fake::click(panel, IDC_STRUCTURE_GRAPH);
    fake::click(panel, IDC_DISPLACED_GRAPH);
    fake::state().unstartablePrograms = {"C:\\Ombrix\\Exe\\Charts.exe"};
    fake::click(panel, IDC_DIAGRAMS);
    fake::state().processes[1].ended = true;
    fake::state().processes[0].ended = true;
    fake::click(panel, IDC_ITER);
    fake::click(panel, IDC_ITER);
    EXPECT_EQ(statusLines(panel),
              (std::vector<std::string>{
                  "Plotter: Launched", "PlotterD: Launched", "Charts: * Failed Running",
                  "Solve: Launched", "Solve: Finished", "Plotter: Finished", "PlotterD: Finished",
                  "Solve: Launched", "Solve: Finished"}));
    EXPECT_EQ(processTable.slots[0].slotState, slotEnded);
    EXPECT_EQ(processTable.slots[2].slotState, slotStartFailed);
}

TEST(StatusLine, IsTheProgramNameAndTheState) {
    const struct {
        std::string name, state, line;
    } cases[] = {
        {"C:\\Ombrix\\Exe\\Plotter 20.exe", "Launched", "Plotter 20: Launched"},
        {"C:\\Jobs.2020\\Exe\\a.b.exe", "Finished", "a: Finished"},
        {"C:\\Ombrix\\Exe\\a.b.exe", "", "a.b.exe"},
        {"C:\\Ombrix\\Exe\\Solve.exe", "   ", "Solve.exe"},
        {"Help ", "Launched", "Help: Launched"},
        {"Notepad \"Output File\"", "Launched", "Notepad \"Output File\": Launched"},
        {"C:\\" + std::string(100, 'n') + ".exe", "Launched", std::string(80, 'n') + ": Launched"},
        {std::string(100, 'n'), "", std::string(80, 'n')},
    };
    fake::reset(std::filesystem::temp_directory_path());
    platform::Dialog dialog = platform::createDialog(IDD_PANEL);
    for (const auto& c : cases) {
        addStatusLine(dialog, c.name, StatusText(c.state));
        EXPECT_EQ(fake::control(dialog, IDC_PROGRAM_STATUS).items.back(), c.line);
    }
}

TEST(CommandLine, FileNamesAreQuotedOnlyWhenTheyHoldABlank) {
    const struct {
        std::string name;
        std::string onCommandLine;
    } cases[] = {
        {"bridge.dat", "bridge.dat"},
        {"my bridge.dat", "\"my bridge.dat\""},
        {"bridge.dat   ", "bridge.dat"},
        {std::string("bridge\0 x.dat", 13), std::string("bridge\0 x.dat", 13)},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commandLineName(PathText(c.name)), c.onCommandLine) << c.name;
}

TEST_F(Launching, AStepThatFailsLeavesNothingOfTheLastRunToGoOnWith) {
    const struct {
        int button;
        int exitCode;
        bool incarcAfter;
        std::vector<std::string> casesAfter;
    } cases[] = {
        {IDC_INPUT, 0, true, {}},
        {IDC_INPUT, 1, false, {}},
        {IDC_INCARC, 1, true, {"2"}}, // the cases Forces prepared before it refused another
        {IDC_INCARC, 3, true, {}},
    };
    forEachRow(cases, [&](const auto& c) {
        installPrograms({"Prepare.exe", "Forces.exe"});
        writeFile("work_dir.dat", "C:\\Work\r\n");
        writeFile("C:\\Jobs\\bridge.inc", "loads\r\n2\r\n0\r\n");
        platform::appendItem(panel, IDC_CASE_LIST, "7");
        platform::setChecked(panel, IDC_ALL_CASES, true);
        fake::state().exitCode = c.exitCode;
        fake::state().whileRunning = [&](const fake::Process& process) {
            if (process.commandLine.find("Forces") != std::string::npos && c.exitCode == 1)
                writeFile("C:\\Work\\2.unf", "");
        };
        fake::click(panel, c.button);
        EXPECT_EQ(platform::isEnabled(panel, IDC_INCARC), c.incarcAfter);
        EXPECT_EQ(fake::control(panel, IDC_CASE_LIST).items, c.casesAfter);
        EXPECT_FALSE(platform::isEnabled(panel, IDC_ITER));
        EXPECT_FALSE(platform::isChecked(panel, IDC_ALL_CASES));
        EXPECT_TRUE(messages().empty());
    });
}

TEST_F(Launching, IterSolvesOnlyWhileThePanelNamesWhatWasPrepared) {
    const std::string rerunInput = "Run INPUT and INCARC again before I T E R.";
    const struct {
        int controlId; // typed into or chosen from; 0: nothing changed
        std::string value;
        std::string message; // its end; empty: Solve starts
    } cases[] = {
        {0, "", ""},
        {IDC_GEOMETRY_FILE, "C:\\Jobs\\mast.dat", rerunInput},
        {IDC_OUTPUT_FILE, "C:\\Jobs\\other.rez", rerunInput},
        {IDC_LOADING_FILE, "C:\\Jobs\\wind.inc", "Run INCARC again before I T E R."},
    };
    forEachRow(cases, [&](const auto& c) {
        installPrograms({"Solve.exe"});
        if (c.controlId)
            fake::type(panel, c.controlId, c.value);
        platform::setEnabled(panel, IDC_ITER, true);
        fake::click(panel, IDC_ITER);
        EXPECT_EQ(fake::state().processes.size(), c.message.empty() ? 1u : 0u);
        ASSERT_EQ(messages().size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty()) {
            EXPECT_TRUE(messages()[0].text.ends_with(c.message)) << messages()[0].text;
        }
    });
}
