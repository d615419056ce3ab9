#pragma once

#include "base/shell_record.h"
#include "platform/platform.h"
#include "text/fixed_text.h"

#include <string>

// The three files of one analysis, as shown in the panel's edits 1001, 1002 and 1005 and
// named by the first three items of the text-file list. Lives in memory only. The start
// values ".dat", ".rez" and ".inc" stand for "no name".
// The set is the one home of the names, which every user of a name asks; the edits only
// show them. The shell's own names go into the set and are then shown; each change the
// user makes to an edit reaches the set at once through the edit's change handler, before
// the panel takes the next click.
struct FileSet {
    PathText geometryFile{".dat"};
    PathText outputFile{".rez"};
    PathText loadingFile{".inc"};
};

extern ShellRecord<FileSet> fileSet;

// The last file chosen with each Select button, which its Open dialog proposes again.
struct FileChoices {
    std::string geometry;
    std::string loading;
};

extern ShellRecord<FileChoices> fileChoices;

// The items of the text-file list: one per file of the set, and a new, empty text.
enum TextFileItem : int {
    geometryFileItem = 1,
    loadingFileItem = 2,
    outputFileItem = 3,
    newTextItem = 4,
};

void setTextFileCaption(platform::Dialog dialog, TextFileItem item, std::string_view caption);

// Item 3 names an output file left by an earlier analysis as "Output File (old)"; without
// one it shows `missingCaption`.
void showOldOutputFile(platform::Dialog dialog, std::string_view missingCaption);

// Puts the three names into their edits.
void showFileSet(platform::Dialog dialog);
// The panel's set-up: the start values ".dat", ".rez" and ".inc", shown.
void showFileSetStartValues(platform::Dialog dialog);

// The output and loading names that go with the geometry file: the geometry name up to
// the last dot of its file-name part (all of it without one), then ".rez" and ".inc".
void deriveFileNames();

// The Select buttons beside the geometry and the loading file: the Open dialog, and the
// chosen file taken into the set. False when the user cancelled: nothing changed.
bool chooseGeometryFile(platform::Dialog dialog);
bool chooseLoadingFile(platform::Dialog dialog);

// A geometry name entered for the user (a recent file picked): shown in its edit and
// taken as if typed.
void enterGeometryFile(platform::Dialog dialog, const PathText& name);

// Handler of the user's changes to the geometry and output edits and to the list type
// and language lists; the loading edit has its own.
void onPanelFieldChanged(platform::Dialog dialog, int controlId, platform::ControlEvent event);
void onLoadingFieldChanged(platform::Dialog dialog, int controlId, platform::ControlEvent event);
