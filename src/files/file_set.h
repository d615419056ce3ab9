#pragma once

#include "platform/platform.h"
#include "text/fixed_text.h"

#include <string>

// The three files of one analysis, as shown in the panel's edits 1001, 1002 and 1005.
// Lives in memory only. The start values ".dat", ".rez" and ".inc" stand for "no name".
struct FileSet {
    PathText geometryFile{".dat"};
    PathText outputFile{".rez"};
    PathText loadingFile{".inc"};
};

extern FileSet fileSet;

// The last file chosen with each Select button, which its Open dialog proposes again.
struct FileChoices {
    std::string geometry;
    std::string loading;
};

extern FileChoices fileChoices;

// Puts the three names into their edits.
void showFileSet(platform::Dialog dialog);

// The output and loading names that go with the geometry file: the geometry name up to
// the last dot of its file-name part (all of it without one), then ".rez" and ".inc".
void deriveFileNames();

// Click handlers of the Select buttons beside the geometry and the loading file.
void chooseGeometryFile(platform::Dialog dialog, int controlId, platform::ControlEvent event);
void chooseLoadingFile(platform::Dialog dialog, int controlId, platform::ControlEvent event);

// Handler of the user's changes to the geometry and output edits and to the list type
// and language lists; the loading edit has its own.
void onPanelFieldChanged(platform::Dialog dialog, int controlId, platform::ControlEvent event);
void onLoadingFieldChanged(platform::Dialog dialog, int controlId, platform::ControlEvent event);
