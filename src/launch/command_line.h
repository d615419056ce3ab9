#pragma once

#include "text/fixed_text.h"
#include "text/quoting.h"

#include <string>
#include <string_view>

// How file names are put on the command lines of the suite's programs.

// Whether a blank occurs in the name (up to its first NUL or its trailing blanks), so
// that it must be put in double quotes to stay one argument.
bool hasBlank(const PathText& name);

// The trimmed name, in double quotes when it holds a blank.
std::string commandLineName(const PathText& name);

// Whether the text can be handed on as the name of a file: it is not empty, is shorter
// than the 260 characters of a Windows path (a longer name typed into a field has been
// cut, and would name another file), holds none
// of the characters Windows refuses in names (control characters, " < > | ? *, a colon
// other than a drive's) and does not end in a folder separator. A quoted name with such
// a character, or ending in a backslash, would split or merge the program's arguments.
bool isUsableFileName(std::string_view name);
