#include "base/texts.h"

#include "handoff/wording.h"

#include <array>
#include <utility>

namespace {

// One row per text, in the order of the enumeration.
constexpr std::pair<Text, const char*> texts[] = {
    {Text::messageTitle, "OMBRIX Message"},
    {Text::processMessageTitle, "OMBRIX: Process Message"},
    {Text::startupErrorTitle, "Error"},
    {Text::recentMessageTitle, "Select Recent Message"},
    {Text::welcomeTitle, "Welcome"},
    {Text::aboutTitle, "About OMBRIX"},
    {Text::startupError, "Error initializing application OMBRIX"},
    {Text::alreadyRunning,
     "OMBRIX is already running from this installation:\n{}\n\nIts panel is brought to the "
     "front. The suite's programs take the analysis from the same files of this folder, so only "
     "one OMBRIX may run from it at a time."},
    {Text::oneProgramRunning, "1 Program Is Still Running!\nWould You Like to Terminate It?"},
    {Text::programsRunning, "{} Programs Are Still Running!\nWould You Like to Terminate Them?"},
    {Text::unsavedFilesReport,
     "These files of the shell could not be written:{}\n\nThe start folder may be read-only or "
     "full. {}"},
    {Text::unsavedWhileRunning, "The shell carries on, but changed settings will not be kept."},
    {Text::unsavedAtExit,
     "The settings changed in this session will not be there at the next start."},
    {Text::fileDoesNotExist, "\"{}\": File does not exist.\n\nCheck for File Name !"},
    {Text::recentFileGone, " File does not exist (was deleted) !"},
    {Text::notAFileName,
     "\"{}\": This is not a valid file name.\n\nA file name cannot be empty or longer than 259 "
     "characters, hold the characters \" < > | ? * or a colon after its drive, or end with a "
     "backslash.\n\nCheck for File Name !"},
    {Text::outputConflict, "\"{}\": {}\n\nCheck for File Name !"},
    {Text::outputIsInput,
     "The output file must not be the geometry file or the loading file, which the analysis "
     "would overwrite."},
    {Text::outputInInstallation,
     "The output file must not lie among OMBRIX's programs and documents, which the analysis "
     "would overwrite."},
    {Text::geometryChooserTitle, "Select Input File (.dat)"},
    {Text::geometryFilter, "Data files (*.dat)"},
    {Text::loadingChooserTitle, "Select Loading File (.inc)"},
    {Text::loadingFilter, "Incarc files (*.inc)"},
    {Text::allFilesFilter, "All Files"},
    {Text::geometryFileCaption, "Geometry File"},
    {Text::loadingFileCaption, "Loading File"},
    {Text::outputFileCaption, "Output File"},
    {Text::oldOutputFileCaption, "Output File (old)"},
    {Text::newTextCaption, "New"},
    {Text::soundOn, "Sound On"},
    {Text::soundOff, "Sound Off"},
    {Text::listTypeShort, "Short"},
    {Text::listTypeComplete, "Complete"},
    {Text::languageEnglish, "English"},
    {Text::languageRomanian, "Romanian"},
    {Text::programMissing, "File: {}\rDoesn't Exist !"},
    {Text::failedRunning, " * Failed running: {} "},
    {Text::failedRun, "{}: Failed run!"},
    {Text::chooseTextFileFirst,
     "Choose a file in the File list first: View/Edit and Print open the file chosen there."},
    {Text::processTableFull,
     "OMBRIX has started {} programs since it was opened and cannot keep track of more.\n\n"
     "Nothing was started. Close OMBRIX and open it again to start further programs."},
    {Text::panelChangedSinceInput,
     "The geometry file, the output file or the output options on the panel are not those the "
     "analysis was prepared with.\n\nRun INPUT and INCARC again before I T E R."},
    {Text::loadingChangedSinceIncarc,
     "The loading file on the panel is not the one the load cases were prepared from.\n\nRun "
     "INCARC again before I T E R."},
    {Text::statusLaunched, "Launched"},
    {Text::statusFinished, "Finished"},
    {Text::statusFailed, "* Failed"},
    {Text::statusCancelled, "* Cancelled"},
    {Text::statusNotConverged, "* Not converged: {}"},
    {Text::statusSomeCasesNotConverged, "* Not every case converged"},
    {Text::statusFailedRunning, "* Failed running"},
    {Text::statusFailedStart, "* Failed Running"},
    {Text::notepadStatus, "Notepad {}"},
    {Text::printoutStatus, "Printout {}"},
    {Text::helpStatus, "Help "},
    {Text::otherEdition, "{} Edition not available!\nWould you like to open {} Edition?"},
    {Text::guidesMissing,
     "Missing files: \"Ombrix-ro.doc & Ombrix-en.doc\" in "
     "\"OMBRIX_Installation_Directory\\Doc\\\"!\nCan Not Open User's Guide.\nTry yourself to "
     "locate the above files."},
    {Text::wordNotFound,
     "WinWord Not Found!\nCan Not Open User's Guide.\nTry yourself to launch Word \nand open {}"},
    {Text::helpMissing, "Missing files: \"Ombrix Help.chm or Ombrix Help 20.chm\" in "
                        "\"OMBRIX_Installation_Directory\\Exe\\\"!\nCan Not Open Help File."},
    {Text::loadingFileNotOpened, "Can't open \"Incarc File: \"{}"},
    {Text::loadingFileProblems, "\"{}\":{}\n\n{}"},
    {Text::noWorkingDirectory,
     "\"work_dir.dat\" names no working directory, where the prepared cases would lie."},
    {Text::workingDirectoryMissing,
     "the working directory \"{}\" named by \"work_dir.dat\" does not exist."},
    {Text::caseListAsKnown, "The case list offers only the cases that could be known."},
    {Text::selectionKept, "The selection is left as it was."},
    {Text::loadingFileCannotBeOpened, "the file cannot be opened."},
    {Text::selectCases, "Select Cases"},
    {Text::myCase, "My Case"},
    {Text::myCases, "My Cases"},
    {Text::allCases, "All Cases"},
    {Text::headProblemAtLine, "line {}: {}"},
    {Text::headUtf16, "the file is saved as UTF-16 (Unicode); save it as ANSI or UTF-8 text."},
    {Text::headNoHeading, "the file ends before its heading."},
    {Text::headNoCaseCount, "the file ends before the number of load cases."},
    {Text::headBlankCaseCount, "the line of the number of load cases is blank."},
    {Text::headCaseCountNotWhole, "\"{}\" is not a whole number (the number of load cases)."},
    {Text::headCaseCountOutOfRange, "the number of load cases must lie between 0 and 99."},
    {Text::headNoCaseZeroMark, "the file ends before the mark of a case 0."},
    {Text::headBlankCaseZeroMark, "the line of the mark of a case 0 is blank."},
    {Text::headCaseZeroMarkNotWhole, "\"{}\" is not a whole number (the mark of a case 0)."},
    {Text::aboutProgram, "OMBRIX 2020 "},
    {Text::aboutForWindows, "For Windows"},
    {Text::aboutAnalysis, "Non-Linear Static Analysis of"},
    {Text::aboutStructures, "Pin-Jointed Bar and Cable Structures "},
    {Text::aboutNotice, "The OMBRIX project: launcher shell and suite"},
    {Text::aboutWarning,
     "Results depend on the model and the data entered.\n"
     "Every result must be checked by a qualified structural engineer before use.\n"
     "No liability is accepted for the use of these programs or of their results."},
};

constexpr bool inEnumerationOrder() {
    for (std::size_t k = 0; k < std::size(texts); ++k)
        if (static_cast<std::size_t>(texts[k].first) != k)
            return false;
    return true;
}
static_assert(inEnumerationOrder());
static_assert(std::size(texts) == static_cast<std::size_t>(Text::aboutWarning) + 1);

} // namespace

std::string shellText(Text text, std::initializer_list<std::string_view> values) {
    return handoff::filledIn(texts[static_cast<std::size_t>(text)].second, values);
}
