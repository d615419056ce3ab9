#pragma once

#include "text/fixed_text.h"

// The three files of one analysis, as shown in the panel's edits 1001, 1002 and 1005.
// Lives in memory only. The start values ".dat", ".rez" and ".inc" stand for "no name".
struct FileSet {
    PathText geometryFile{".dat"};
    PathText outputFile{".rez"};
    PathText loadingFile{".inc"};
};

extern FileSet fileSet;
