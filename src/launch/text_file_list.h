#pragma once

#include "platform/platform.h"
#include "text/fixed_text.h"

#include <string_view>

// The panel's text-file list: the analysis files that View/Edit and Print can open.
// Its items name the geometry, loading and output files and a new text; a caption is
// empty while its file cannot be opened.
enum TextFileItem : int { geometryFileItem = 1, loadingFileItem = 2, outputFileItem = 3 };

void setTextFileCaption(platform::Dialog dialog, TextFileItem item, std::string_view caption);

// Item 3 names an output file left by an earlier analysis as "Output File (old)";
// without one it shows `missingCaption`.
void showOldOutputFile(platform::Dialog dialog, std::string_view missingCaption);

// The file chosen in the list, which View/Edit and Print pass to their programs; one
// TAB character stands for a new, empty text.
extern PathText selectedTextFile;
