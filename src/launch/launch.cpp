#include "launch/launch.h"

#include "base/file_search.h"
#include "base/folders.h"
#include "base/messages.h"
#include "cases/case_selection.h"
#include "files/file_set.h"
#include "files/recent.h"
#include "files/settings.h"
#include "ids.h"
#include "launch/command_line.h"
#include "launch/text_file_list.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>

namespace {

using platform::Dialog;

enum class Folder { start, windows };
enum class Arguments { analysisFiles, loadingFile, caseLabels, geometryFile, tab, textFile };
enum class Mode { runAndWait, startBeside };

struct LaunchButton {
    int controlId;
    const char* program; // file name with its leading backslash, first edition
    bool hasSecondEdition;
    Folder folder;
    Arguments arguments;
    Mode mode;
};

constexpr std::array<LaunchButton, 14> launchButtons{{
    {IDC_INPUT, "\\Prepare.exe", true, Folder::start, Arguments::analysisFiles, Mode::runAndWait},
    {IDC_INCARC, "\\Forces.exe", true, Folder::start, Arguments::loadingFile, Mode::runAndWait},
    {IDC_ITER, "\\Solve.exe", true, Folder::start, Arguments::caseLabels, Mode::runAndWait},
    {IDC_PREVIEW, "\\Glance.exe", true, Folder::start, Arguments::geometryFile, Mode::startBeside},
    {IDC_STRUCTURE_GRAPH, "\\Plotter.exe", true, Folder::start, Arguments::tab, Mode::startBeside},
    {IDC_DISPLACED_GRAPH, "\\PlotterD.exe", true, Folder::start, Arguments::tab, Mode::startBeside},
    {IDC_MAX_PROCESSOR, "\\PeakFinder.exe", true, Folder::start, Arguments::tab, Mode::startBeside},
    {IDC_INPUT_FILE, "\\Make_FrameFile.exe", true, Folder::start, Arguments::tab,
     Mode::startBeside},
    {IDC_INCARC_FILE, "\\Make_ForceFile.exe", true, Folder::start, Arguments::tab,
     Mode::startBeside},
    {IDC_COMPOUND_STRUCTURE, "\\Compound.exe", true, Folder::start, Arguments::tab,
     Mode::startBeside},
    {IDC_COMPOUND_PROCESSOR, "\\CompoundPost.exe", false, Folder::start, Arguments::tab,
     Mode::startBeside},
    {IDC_DIAGRAMS, "\\Charts.exe", false, Folder::start, Arguments::tab, Mode::startBeside},
    {IDC_PRINT, "\\Printout.exe", false, Folder::start, Arguments::textFile, Mode::startBeside},
    {IDC_VIEW_EDIT, "\\Notepad.exe", false, Folder::windows, Arguments::textFile,
     Mode::startBeside},
}};

// ---- Messages

void reportMissingFile(const PathText& name) {
    showShellError(quoted(name.trimmed()) + ": File does not exist.\n\nCheck for File Name !");
}

// A name that cannot be handed on as one argument is refused before anything starts.
bool refuseUnusableName(const PathText& name) {
    if (isUsableFileName(name.trimmed()))
        return false;
    showShellError(quoted(name.trimmed()) +
                   ": This is not a valid file name.\n\nA file name cannot be empty, hold the "
                   "characters \" < > | ? * or a colon after its drive, or end with a "
                   "backslash.\n\nCheck for File Name !");
    return true;
}

bool isSameFileName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The analysis writes its output file: it must not be one of its own input files.
bool refuseOutputOverInput() {
    const std::string_view output = fileSet.outputFile.trimmed();
    if (!isSameFileName(output, fileSet.geometryFile.trimmed()) &&
        !isSameFileName(output, fileSet.loadingFile.trimmed()))
        return false;
    showShellError(quoted(output) +
                   ": The output file must not be the geometry file or the loading file, "
                   "which the analysis would overwrite.\n\nCheck for File Name !");
    return true;
}

// ---- Arguments of each kind of button; nothing when the press stops here.

std::optional<ArgumentText> prepareAnalysisFiles(Dialog dialog) {
    fileSet.geometryFile = platform::text(dialog, IDC_GEOMETRY_FILE);
    fileSet.outputFile = platform::text(dialog, IDC_OUTPUT_FILE);
    if (!findFile(fileSet.geometryFile)) {
        reportMissingFile(fileSet.geometryFile);
        platform::setEnabled(dialog, IDC_INCARC, false);
        platform::setEnabled(dialog, IDC_SELECT_LOADING, false);
        return std::nullopt;
    }
    if (refuseUnusableName(fileSet.geometryFile) || refuseUnusableName(fileSet.outputFile) ||
        refuseOutputOverInput())
        return std::nullopt;
    platform::setEnabled(dialog, IDC_INCARC, true);
    platform::setEnabled(dialog, IDC_SELECT_LOADING, true);
    setTextFileCaption(dialog, outputFileItem, "Output File");
    rememberInputFile();
    return ArgumentText(commandLineName(fileSet.geometryFile) + " " +
                        commandLineName(fileSet.outputFile) + " " +
                        std::string(settings.listType.trimmed()) + " " +
                        std::string(settings.outputLanguage.trimmed()));
}

std::optional<ArgumentText> prepareLoadingFile(Dialog dialog) {
    fileSet.loadingFile = platform::text(dialog, IDC_LOADING_FILE);
    if (!findFile(fileSet.loadingFile)) {
        reportMissingFile(fileSet.loadingFile);
        return std::nullopt;
    }
    if (refuseUnusableName(fileSet.loadingFile))
        return std::nullopt;
    return ArgumentText(commandLineName(fileSet.loadingFile));
}

// " 7 12": each selected label after one blank; a single blank when none is selected.
ArgumentText caseLabelArguments() {
    ArgumentText arguments(" ");
    for (int k = 0; k < caseSelection.selectedCaseCount; ++k)
        arguments = std::string(arguments.trimmed()) + " " +
                    std::string(caseSelection.selectedCaseLabels[k].whole());
    return arguments;
}

// View/Edit and Print pass the chosen file unquoted, as their programs take the whole
// command line as one name; one TAB asks for a new, empty text.
std::optional<ArgumentText> prepareTextFile(int controlId) {
    const bool isNewText = selectedTextFile.trimmed() == "\t";
    if (!isNewText && refuseUnusableName(selectedTextFile))
        return std::nullopt;
    if (controlId == IDC_VIEW_EDIT && !selectedTextFile.isBlank())
        rememberInputFile();
    return ArgumentText(selectedTextFile.trimmed());
}

std::optional<ArgumentText> prepareArguments(Dialog dialog, const LaunchButton& button) {
    switch (button.arguments) {
    case Arguments::analysisFiles: return prepareAnalysisFiles(dialog);
    case Arguments::loadingFile: return prepareLoadingFile(dialog);
    case Arguments::caseLabels: return caseLabelArguments();
    case Arguments::geometryFile:
        if (refuseUnusableName(fileSet.geometryFile))
            return std::nullopt;
        return ArgumentText(commandLineName(fileSet.geometryFile));
    case Arguments::tab: return ArgumentText("\t");
    case Arguments::textFile: return prepareTextFile(button.controlId);
    }
    return std::nullopt;
}

// ---- The program file

std::string secondEdition(std::string_view program) {
    const std::size_t extension = program.rfind('.');
    return std::string(program.substr(0, extension)) + " 20" +
           std::string(program.substr(extension));
}

// The program file of the button: the second edition when there is one beside the first.
ProgramPathText chooseProgram(const LaunchButton& button) {
    const std::string folder =
        button.folder == Folder::start ? folders.startDir.str() : platform::windowsDirectory();
    if (button.hasSecondEdition) {
        const ProgramPathText launchPath20(folder + secondEdition(button.program));
        if (platform::fileExists(launchPath20.str()))
            return launchPath20;
    }
    return ProgramPathText(folder + button.program);
}

bool programExists(const ProgramPathText& launchPath) {
    if (platform::fileExists(launchPath.str()))
        return true;
    const MessageText message("File: " + launchPath.str() + "\rDoesn't Exist !");
    showShellError(message.trimmed());
    return false;
}

// INPUT, INCARC and I T E R: the shell waits for the program, logging its start and end.
void runAnalysisStep(Dialog dialog, const ProgramPathText& launchPath,
                     const ArgumentText& launchArguments) {
    addStatusLine(dialog, launchPath, StatusText("Launched"));
    StatusText statusText("Finished");
    if (runAndWait(dialog, launchPath, launchArguments) == -1) {
        showShellInformation(" * Failed running: " + launchPath.str() + " ");
        statusText = "* Failed running";
    }
    addStatusLine(dialog, launchPath, statusText);
}

const LaunchButton* launchButton(int controlId) {
    const auto found =
        std::find_if(launchButtons.begin(), launchButtons.end(),
                     [&](const LaunchButton& b) { return b.controlId == controlId; });
    return found == launchButtons.end() ? nullptr : &*found;
}

} // namespace

int runAndWait(Dialog dialog, const ProgramPathText& program, const ArgumentText& arguments) {
    return platform::runProgramAndWait(dialog, quoted(program.trimmed()) + " " +
                                                   std::string(arguments.trimmed()));
}

void onLaunchButton(Dialog dialog, int controlId, platform::ControlEvent) {
    const LaunchButton* button = launchButton(controlId);
    if (!button)
        return;
    const std::optional<ArgumentText> launchArguments = prepareArguments(dialog, *button);
    if (!launchArguments)
        return;
    const ProgramPathText launchPath = chooseProgram(*button);
    if (!programExists(launchPath))
        return;
    if (button->mode == Mode::runAndWait)
        runAnalysisStep(dialog, launchPath, *launchArguments);
    else if (!startProgram(dialog, controlId, launchPath.str(), launchArguments->str()))
        return;
    pollPrograms(dialog);
}
