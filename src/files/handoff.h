#pragma once

#include "text/fixed_text.h"

#include <optional>
#include <string>
#include <string_view>

// Files that the suite's programs leave for the shell: "work_dir.dat" in the start
// folder names their working directory, whose "Comomb.dat" ends with the language of
// the output files. The shell only reads them.

// What the two files say, from their contents: the first line of "work_dir.dat" (cut to
// 260 characters, trailing blanks dropped), nothing when it has no line; the first 20
// characters of the last line of "Comomb.dat" whose first 20 are not all blank, nothing
// without one.
std::optional<std::string> workingDirectoryIn(std::string_view workDirFile);
std::optional<LanguageText> languageIn(std::string_view sharedParamsFile);

// The working directory: the first line of "work_dir.dat" (cut to 260 characters,
// trailing blanks dropped), possibly empty; nothing when the file is missing or empty.
std::optional<std::string> workingDirectory();

// The last line of the shared-parameters file that is not blank, its first 20 characters
// as they stand; "English" when either file is missing, unreadable or holds no such line.
void readSharedLanguage(LanguageText& language);
