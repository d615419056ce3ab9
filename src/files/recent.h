#pragma once

#include "base/shell_record.h"
#include "platform/platform.h"
#include "text/fixed_text.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

// The last five geometry files the user worked on, newest first; a blank entry holds
// no name. Kept between runs in "recent.dat" in the start folder.
inline constexpr int recentFileCount = 5;
extern ShellRecord<std::array<PathText, recentFileCount>> recentFiles;

// The names on the first five lines of "recent.dat", each cut to 260 characters, blank
// lines left out.
std::vector<PathText> namesInRecentFile(std::string_view contents);

// Start-up: reads the list from "recent.dat", or, when there is none, empties the list
// and creates the file with five lines of 260 blanks.
void loadRecentList();

// Mode "R" (or "r") reads the list from "recent.dat", any other mode writes it there.
// Reading takes up to five lines, each cut to 260 characters, leaving out blank lines
// and names of files that no longer exist. Writing puts one line per entry that holds
// a name; with no such entry the file keeps what it held.
void exchangeRecentFile(std::string_view mode);

// Puts the current geometry file at the top of the list: a name already at the top
// changes nothing, a name further down swaps places with the top, a new name pushes
// the others down and the fifth out. Names beginning with "." (no name) are left out.
void rememberInputFile();

// The Recent dialog, modal over its owner, after the current geometry file has been put
// at the top of the list: the existing file the user picked, or nothing when the dialog
// was cancelled or the pick had vanished (it is then taken out of the list and the file).
std::optional<PathText> pickRecentFile(platform::Dialog owner);
