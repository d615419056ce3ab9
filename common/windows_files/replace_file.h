// Writing a file so that it holds its old or its new contents, never a mix: the one way
// the shell and the suite's programs replace their files on Windows.
#pragma once

#include <string>
#include <string_view>

namespace windows_files {

// Why a file could not be written, so that the user can be told what to do.
enum class Refusal {
    none,
    folderNotWritable, // the folder is read-only, or the disk full
    pathTooLong,       // longer than the system takes
    inUse,             // another program holds the file, or it is read-only
    other,
};

// Replaces the file's contents: they are written and flushed into a file of this process
// beside it ("<file>.<process id>.new"), then moved over it. A program that holds the file
// open for reading may keep it from being replaced for a moment; after some tries the file
// is rewritten in place instead, in one write. The file is untouched on any refusal.
Refusal replaceFile(const std::string& path, std::string_view contents);

// Adds the text at the end of the file, which is made when it is not there, in one write.
Refusal appendToFile(const std::string& path, std::string_view text);

// Removes what `replaceFile` left beside the file when its process was ended in the middle;
// those of running processes stay.
void removeLeftoverReplacements(const std::string& path);

} // namespace windows_files
