#include "windows_files/replace_file.h"

#include "windows_files/file_handle.h"

namespace windows_files {
namespace {

bool writeAll(HANDLE file, std::string_view contents) {
    DWORD written = 0;
    return WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written,
                     nullptr) &&
           written == contents.size() && FlushFileBuffers(file);
}

// Why the last call failed: `ofFile` when the file itself was refused, not its folder.
Refusal lastRefusal(bool ofFile) {
    switch (GetLastError()) {
    case ERROR_FILENAME_EXCED_RANGE: return Refusal::pathTooLong;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Refusal::inUse;
    case ERROR_ACCESS_DENIED: return ofFile ? Refusal::inUse : Refusal::folderNotWritable;
    case ERROR_WRITE_PROTECT:
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Refusal::folderNotWritable;
    default: return Refusal::other;
    }
}

bool tooLong(const std::string& path) {
    return path.size() >= MAX_PATH;
}

std::string temporaryPath(const std::string& path, DWORD processId) {
    return path + "." + std::to_string(processId) + ".new";
}

Refusal writeNewFile(const std::string& path, std::string_view contents) {
    FileHandle file = openFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    if (file && writeAll(file.get(), contents))
        return Refusal::none;
    const Refusal refusal = lastRefusal(false);
    file.reset();
    DeleteFileA(path.c_str());
    return refusal;
}

// A program that has the file open without allowing it to be deleted (a C-runtime
// reader does so) keeps it from being replaced until it closes the file.
Refusal moveOver(const std::string& from, const std::string& to) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Refusal::none;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)
            return lastRefusal(true);
        Sleep(20);
    }
    return Refusal::inUse;
}

// The file's own bytes overwritten by the new ones, in one write, and cut after them.
bool rewriteInPlace(const std::string& path, std::string_view contents) {
    FileHandle file = openFile(
        path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    return file && writeAll(file.get(), contents) && SetEndOfFile(file.get());
}

bool isRunning(DWORD processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)
        return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

// The process id in the name of a temporary file of `replaceFile` ("Sound.dat.42.new");
// zero for any other name.
DWORD writerOf(const std::string& fileName, const std::string& base) {
    const std::string suffix = ".new";
    if (fileName.size() <= base.size() + 1 + suffix.size() ||
        fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string id =
        fileName.substr(base.size() + 1, fileName.size() - base.size() - 1 - suffix.size());
    if (id.find_first_not_of("0123456789") != std::string::npos || id.size() > 9)
        return 0;
    return static_cast<DWORD>(std::stoul(id));
}

bool exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

Refusal replaceFile(const std::string& path, std::string_view contents) {
    const std::string temporary = temporaryPath(path, GetCurrentProcessId());
    if (tooLong(temporary))
        return Refusal::pathTooLong;
    if (const Refusal refusal = writeNewFile(temporary, contents); refusal != Refusal::none)
        return refusal;
    const Refusal moved = moveOver(temporary, path);
    if (moved == Refusal::none)
        return moved;
    const bool rewritten = exists(path) && rewriteInPlace(path, contents);
    DeleteFileA(temporary.c_str());
    return rewritten ? Refusal::none : moved;
}

Refusal appendToFile(const std::string& path, std::string_view text) {
    if (tooLong(path))
        return Refusal::pathTooLong;
    FileHandle file =
        openFile(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
    if (!file)
        return lastRefusal(exists(path));
    return writeAll(file.get(), text) ? Refusal::none : lastRefusal(true);
}

void removeLeftoverReplacements(const std::string& path) {
    const std::size_t folderEnd = path.find_last_of('\\') + 1;
    const std::string base = path.substr(folderEnd);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path + ".*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        const DWORD writer = writerOf(name, base);
        if (name.ends_with(".new") && (writer == 0 || !isRunning(writer)))
            DeleteFileA((path.substr(0, folderEnd) + name).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace windows_files
