#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The shell's own small files ("Sound.dat", "recent.dat", "language.dat", and the
// suite's "work_dir.dat") live in the start folder and are always named by full path,
// so they stay there whatever the process's current directory becomes.

std::string shellFilePath(std::string_view name);
bool shellFileExists(std::string_view name);
std::optional<std::string> readShellFile(std::string_view name);

// Replaces the file atomically. A file that could not be written is remembered (once)
// in the list of unsaved shell files, for the user to be told.
bool writeShellFile(std::string_view name, std::string_view contents);

// Names of shell files that could not be written since the user was last told.
extern std::vector<std::string> unsavedShellFiles;

// Takes the names of the unsaved shell files, leaving none.
std::vector<std::string> takeUnsavedShellFiles();

// Tells the user, in one message, of every shell file that could not be written since
// the last report; the values stay in memory. Nothing is shown when all were written.
void reportUnsavedShellFiles();
