#pragma once

#include "text/fixed_text.h"

#include <array>

// The last five geometry files the user worked on, newest first; a blank entry holds
// no name. Kept between runs in "recent.dat" in the start folder.
inline constexpr int recentFileCount = 5;
extern std::array<PathText, recentFileCount> recentFiles;

inline constexpr const char* recentFileName = "recent.dat";

// Start-up: reads the list from "recent.dat", or, when there is none, empties the list
// and creates the file with five lines of 260 blanks.
void loadRecentList();

// Reads the list from "recent.dat": up to five lines, each cut to 260 characters;
// blank lines and names of files that no longer exist are left out.
void readRecentFile();

// Puts the current geometry file at the top of the list: a name already at the top
// changes nothing, a name further down swaps places with the top, a new name pushes
// the others down and the fifth out. Names beginning with "." (no name) are left out.
void rememberInputFile();
