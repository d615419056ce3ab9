// The standard Open and Save dialogs of the suite's programs, and a text saved through the
// one writer of files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ombrix {

// A name chosen in the standard Save dialog, at first in the installation's Dat folder,
// beside the Exe folder the program runs in. A file that exists is replaced only when the
// user says so, No being the answer that Enter gives; otherwise the dialog comes back.
std::optional<std::string> askSaveName(HWND owner, const char* filter, const char* extension,
                                       const std::string& suggested);

// A name in the Dat folder that no file has, in any case of its letters (Windows compares
// names so): "<stem>.<extension>", or with " 2", " 3", ... after the stem.
std::string unusedName(const std::string& stem, const char* extension);

// At first the suggested file, when there is one, or the Dat folder.
std::optional<std::string> askOpenName(HWND owner, const char* filter,
                                       const std::string& suggested = {});

// The file the user chose to save to, offered `name` in `folder` (the current folder when
// empty), the system asking before it replaces one; nothing when the dialog was cancelled.
// filter: "PNG picture (*.png)\0*.png\0".
std::optional<std::string> askFileToSave(HWND owner, const std::string& name,
                                         const std::string& folder, const char* filter,
                                         const char* extension);

// The same, for a filter of several types: the file and the type chosen, counted from 0.
struct FileToSave {
    std::string path;
    std::size_t type = 0;
};
std::optional<FileToSave> askFileAndTypeToSave(HWND owner, const std::string& name,
                                               const std::string& folder, const char* filter,
                                               const char* extension);

// True when written; otherwise the user has been told.
bool saveText(HWND owner, const std::string& title, const std::string& path,
              const std::string& text);

} // namespace ombrix
