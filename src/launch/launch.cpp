#include "launch/launch.h"

#include "base/file_search.h"
#include "base/folders.h"
#include "base/messages.h"
#include "base/texts.h"
#include "cases/case_selection.h"
#include "files/file_set.h"
#include "files/handoff.h"
#include "files/recent.h"
#include "files/settings.h"
#include "handoff/handoff.h"
#include "ids.h"
#include "launch/command_line.h"
#include "launch/manuals.h"
#include "launch/output_file.h"
#include "launch/process_table.h"
#include "launch/text_file_list.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

ShellRecord<AnalysisSteps> analysisSteps;

namespace {

using platform::Dialog;

enum class Folder { start, windows, manual };
enum class Arguments {
    analysisFiles,
    loadingFile,
    caseLabels,
    geometryFile,
    tab,
    textFile,
    usersGuide,
    help
};
enum class Mode { runAndWait, startBeside };

struct LaunchButton {
    int controlId;
    const char* program; // file name with its leading backslash, first edition
    bool hasSecondEdition;
    Folder folder;
    Arguments arguments;
    Mode mode;
    CommandLineForm commandLineForm = CommandLineForm::afterBlank;
};

// The suite's programs, as their table gives them, then the platform's own.
#define SUITE_PROGRAM(button, name, editions, arguments, mode)                                     \
    {button, "\\" name ".exe", (editions) == 2, Folder::start, Arguments::arguments, Mode::mode},
constexpr LaunchButton launchButtons[] = {
#include "handoff/suite_programs.def"
    {IDC_VIEW_EDIT, "\\Notepad.exe", false, Folder::windows, Arguments::textFile, Mode::startBeside,
     CommandLineForm::afterProgramPath},
    // Their programs and documents are looked for by the manuals' own rules.
    {IDC_USERS_GUIDE, "", false, Folder::manual, Arguments::usersGuide, Mode::startBeside},
    {IDC_HELP_BUTTON, "", false, Folder::manual, Arguments::help, Mode::startBeside},
};
#undef SUITE_PROGRAM

// ---- Messages

// A name that cannot be handed on as one argument is refused before anything starts.
bool refuseUnusableName(const PathText& name) {
    if (isUsableFileName(name.trimmed()))
        return false;
    showShellError(shellText(Text::notAFileName, {name.trimmed()}));
    return true;
}

bool refuseOutputConflict() {
    const std::optional<std::string> conflict =
        outputFileConflict(fileSet.outputFile, fileSet.geometryFile, fileSet.loadingFile);
    if (!conflict)
        return false;
    showShellError(shellText(Text::outputConflict, {fileSet.outputFile.trimmed(), *conflict}));
    return true;
}

// ---- Arguments of each kind of button; nothing when the press stops here.

std::optional<std::string> prepareAnalysisFiles(Dialog dialog) {
    if (!findFile(fileSet.geometryFile)) {
        reportMissingFile(fileSet.geometryFile.trimmed());
        platform::setEnabled(dialog, IDC_INCARC, false);
        platform::setEnabled(dialog, IDC_SELECT_LOADING, false);
        return std::nullopt;
    }
    if (refuseUnusableName(fileSet.geometryFile) || refuseUnusableName(fileSet.outputFile) ||
        refuseOutputConflict())
        return std::nullopt;
    platform::setEnabled(dialog, IDC_SELECT_LOADING, true);
    setTextFileCaption(dialog, outputFileItem, shellText(Text::outputFileCaption));
    rememberInputFile();
    return commandLineName(fileSet.geometryFile) + " " + commandLineName(fileSet.outputFile) + " " +
           settings.listType.str() + " " + settings.outputLanguage.str();
}

std::optional<std::string> prepareLoadingFile() {
    if (!findFile(fileSet.loadingFile)) {
        reportMissingFile(fileSet.loadingFile.trimmed());
        return std::nullopt;
    }
    if (refuseUnusableName(fileSet.loadingFile))
        return std::nullopt;
    return commandLineName(fileSet.loadingFile);
}

// The files and options on the panel that INPUT prepares an analysis from.
PreparedFiles panelFiles() {
    return {fileSet.geometryFile, fileSet.outputFile, settings.listType, settings.outputLanguage};
}

// I T E R solves what INPUT and INCARC prepared: only while the panel still names it.
bool refuseChangedPanel() {
    if (analysisSteps.prepared != panelFiles()) {
        showShellError(shellText(Text::panelChangedSinceInput));
        return true;
    }
    if (analysisSteps.loadsPreparedFrom != fileSet.loadingFile) {
        showShellError(shellText(Text::loadingChangedSinceIncarc));
        return true;
    }
    return false;
}

// " 7 12": each selected label after one blank; a single blank when none is selected.
std::string caseLabelArguments() {
    std::string arguments = " ";
    for (int k = 0; k < caseSelection.selectedCaseCount; ++k)
        arguments = std::string(trimmedText(arguments)) + " " +
                    std::string(caseSelection.selectedCaseLabels[k].whole());
    return arguments;
}

// View/Edit and Print pass the file chosen last in the text-file list unquoted, as their
// programs take the whole command line as one name; one TAB asks Print for a new, empty
// text, and no name at all asks Notepad for one.
std::optional<std::string> prepareTextFile(int controlId) {
    if (selectedTextFile.isBlank()) {
        showShellInformation(shellText(Text::chooseTextFileFirst));
        return std::nullopt;
    }
    const bool isNewText = selectedTextFile.trimmed() == "\t";
    if (!isNewText && refuseUnusableName(selectedTextFile))
        return std::nullopt;
    if (controlId != IDC_VIEW_EDIT)
        return selectedTextFile.str();
    rememberInputFile();
    // Notepad opens an empty document when it is given no file: a TAB it would take for one.
    return isNewText ? std::string() : selectedTextFile.str();
}

std::optional<std::string> prepareArguments(Dialog dialog, const LaunchButton& button) {
    switch (button.arguments) {
    case Arguments::analysisFiles: return prepareAnalysisFiles(dialog);
    case Arguments::loadingFile: return prepareLoadingFile();
    case Arguments::caseLabels:
        if (refuseChangedPanel())
            return std::nullopt;
        return caseLabelArguments();
    case Arguments::geometryFile:
        if (refuseUnusableName(fileSet.geometryFile))
            return std::nullopt;
        return commandLineName(fileSet.geometryFile);
    case Arguments::tab: return "\t";
    case Arguments::textFile: return prepareTextFile(button.controlId);
    case Arguments::usersGuide:
    case Arguments::help: break;
    }
    return std::nullopt;
}

// ---- The program file

// The program file of the button: the second edition when there is one beside the first.
std::string chooseProgram(const LaunchButton& button) {
    const std::string folder =
        button.folder == Folder::start ? folders.startDir.str() : platform::windowsDirectory();
    if (button.hasSecondEdition) {
        std::string launchPath20 = folder + handoff::secondEdition(button.program);
        if (platform::fileExists(launchPath20))
            return launchPath20;
    }
    return folder + button.program;
}

std::optional<LaunchCommand> prepareLaunch(Dialog dialog, const LaunchButton& button) {
    if (button.arguments == Arguments::usersGuide)
        return usersGuideCommand(dialog);
    if (button.arguments == Arguments::help)
        return helpCommand();
    const std::optional<std::string> launchArguments = prepareArguments(dialog, button);
    if (!launchArguments)
        return std::nullopt;
    return LaunchCommand{chooseProgram(button), *launchArguments};
}

bool programExists(const std::string& launchPath) {
    if (platform::fileExists(launchPath))
        return true;
    showShellError(shellText(Text::programMissing, {launchPath}));
    return false;
}

// The selected cases whose result file holds no answer, as Solve left them.
std::string casesNotConverged() {
    const std::optional<std::string> workDir = workingDirectory();
    std::string cases;
    for (int k = 0; k < caseSelection.selectedCaseCount; ++k) {
        const std::string label(trimmedText(caseSelection.selectedCaseLabels[k].whole()));
        const std::optional<std::string> results =
            workDir ? platform::readFile(*workDir + "\\" + label + ".res") : std::nullopt;
        if (!results || !handoff::resultConverged(*results))
            cases += (cases.empty() ? "" : ", ") + label;
    }
    return cases;
}

// "* Not converged: 0, 7" (the cases, tersely, for the narrow list), or where the
// cases would not fit, or none can be named, that not every case converged.
StatusText notConvergedStatus() {
    const std::string cases = casesNotConverged();
    const std::string named = shellText(Text::statusNotConverged, {cases});
    if (cases.empty() || named.size() > StatusText::width)
        return StatusText(shellText(Text::statusSomeCasesNotConverged));
    return StatusText(named);
}

// What the status line says of an analysis step that ran: only a step that did all it was
// asked for has "Finished"; one whose cases did not all converge says which.
StatusText stepStatus(int exitCode) {
    switch (exitCode) {
    case handoff::stepDone: return StatusText(shellText(Text::statusFinished));
    case handoff::stepCancelled: return StatusText(shellText(Text::statusCancelled));
    case handoff::stepNotConverged: return notConvergedStatus();
    default: return StatusText(shellText(Text::statusFailed));
    }
}

// What a step undoes before it runs: a step that fails must leave nothing of an earlier run
// to go on with.
void beforeAnalysisStep(Dialog dialog, int controlId) {
    if (controlId == IDC_ITER)
        return;
    resetCaseList(dialog);
    analysisSteps.loadsPreparedFrom.reset();
    if (controlId == IDC_INPUT) {
        platform::setEnabled(dialog, IDC_INCARC, false);
        analysisSteps.prepared.reset();
    }
}

// INCARC is offered once INPUT has prepared the analysis; the case list offers what the
// loading processor prepared, even when it refused some cases.
void afterAnalysisStep(Dialog dialog, int controlId, int exitCode) {
    if (controlId == IDC_INPUT && exitCode == handoff::stepDone) {
        platform::setEnabled(dialog, IDC_INCARC, true);
        analysisSteps.prepared = panelFiles();
    } else if (controlId == IDC_INCARC) {
        readLoadCases(dialog, exitCode == handoff::stepDone);
        analysisSteps.loadsPreparedFrom = fileSet.loadingFile;
    }
}

// INPUT, INCARC and I T E R: the shell waits for the program, logging its start and end.
void runAnalysisStep(Dialog dialog, const LaunchButton& button, const std::string& launchPath,
                     const std::string& launchArguments) {
    beforeAnalysisStep(dialog, button.controlId);
    addStatusLine(dialog, launchPath, StatusText(shellText(Text::statusLaunched)));
    const std::optional<int> exitCode = runAndWait(dialog, launchPath, launchArguments);
    StatusText statusText(shellText(Text::statusFailedRunning));
    if (!exitCode) {
        showShellInformation(shellText(Text::failedRunning, {launchPath}));
    } else {
        statusText = stepStatus(*exitCode);
        afterAnalysisStep(dialog, button.controlId, *exitCode);
    }
    addStatusLine(dialog, launchPath, statusText);
}

const LaunchButton* launchButton(int controlId) {
    const auto found =
        std::find_if(std::begin(launchButtons), std::end(launchButtons),
                     [&](const LaunchButton& b) { return b.controlId == controlId; });
    return found == std::end(launchButtons) ? nullptr : &*found;
}

} // namespace

std::optional<int> runAndWait(Dialog dialog, const std::string& program,
                              const std::string& arguments) {
    return platform::runProgramAndWait(dialog,
                                       quoted(program) + " " + std::string(trimmedText(arguments)));
}

std::vector<int> launchButtonIds() {
    std::vector<int> ids;
    for (const LaunchButton& button : launchButtons)
        ids.push_back(button.controlId);
    return ids;
}

void onLaunchButton(Dialog dialog, int controlId, platform::ControlEvent) {
    const LaunchButton* button = launchButton(controlId);
    if (!button)
        return;
    const std::optional<LaunchCommand> command = prepareLaunch(dialog, *button);
    if (!command || !programExists(command->launchPath))
        return;
    if (button->mode == Mode::runAndWait)
        runAnalysisStep(dialog, *button, command->launchPath, command->launchArguments);
    else if (!startProgram(dialog, controlId, command->launchPath, command->launchArguments,
                           button->commandLineForm))
        return;
    pollPrograms(dialog);
}
