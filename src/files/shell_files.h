#pragma once

#include "base/shell_record.h"
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The shell's own small files ("Sound.dat", "recent.dat", "language.dat", and the
// suite's "work_dir.dat", handoff::workDirFile) live in the start folder and are always named by
// full path, so they stay there whatever the process's current directory becomes.

inline constexpr std::string_view soundFileName = "Sound.dat";
inline constexpr std::string_view recentFileName = "recent.dat";
inline constexpr std::string_view languageFileName = "language.dat";

std::string shellFilePath(std::string_view name);
bool shellFileExists(std::string_view name);
std::optional<std::string> readShellFile(std::string_view name);

// Replaces the file (see platform::replaceFile). A file that could not be written is
// remembered for the user to be told, once in a run.
bool writeShellFile(std::string_view name, std::string_view contents);

// Removes what an earlier shell that was ended while it wrote left beside its files.
void removeLeftoverShellFiles();

// The shell files that could not be written in this run: those the user is yet to be
// told of, and those already named, which are not named again.
struct UnsavedShellFiles {
    std::vector<std::string> unreported;
    std::set<std::string> reported;
};

extern ShellRecord<UnsavedShellFiles> unsavedShellFiles;

// Tells the user, in one message, of every shell file that could not be written and has
// not been named yet; the values stay in memory while the shell runs (`atExit`: the shell
// is closing). Nothing is shown otherwise.
void reportUnsavedShellFiles(bool atExit = false);
