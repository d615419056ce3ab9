#include "platform/platform.h"
#include "platform/win32/win32.h"

#include <memory>
#include <string>

namespace platform {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle openFile(const std::string& path, DWORD access, DWORD share, DWORD creation) {
    HANDLE handle =
        CreateFileA(path.c_str(), access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

bool writeAll(HANDLE file, std::string_view contents) {
    DWORD written = 0;
    return WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written,
                     nullptr) &&
           written == contents.size() && FlushFileBuffers(file);
}

} // namespace

std::string currentDirectory() {
    std::string buffer(GetCurrentDirectoryA(0, nullptr), '\0');
    buffer.resize(GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data()));
    return buffer;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The shell reads settings, hand-off files and loading files: a larger file is none of them.
constexpr LONGLONG largestFileRead = LONGLONG{16} << 20;

std::optional<std::string> readFile(const std::string& path) {
    // The suite's programs may still hold their hand-off files open: read beside them.
    FileHandle file = openFile(
        path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > largestFileRead)
        return std::nullopt;
    std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr))
        return std::nullopt;
    contents.resize(read);
    return contents;
}

namespace {

std::string temporaryPath(const std::string& path, DWORD processId) {
    return path + "." + std::to_string(processId) + ".new";
}

bool writeNewFile(const std::string& path, std::string_view contents) {
    FileHandle file = openFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    if (file && writeAll(file.get(), contents))
        return true;
    file.reset();
    DeleteFileA(path.c_str());
    return false;
}

// A program that has the file open without allowing it to be deleted (a C-runtime
// reader does so) keeps it from being replaced until it closes the file.
bool moveOver(const std::string& from, const std::string& to) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)
            return false;
        Sleep(20);
    }
    return false;
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

} // namespace

bool replaceFile(const std::string& path, std::string_view contents) {
    const std::string temporary = temporaryPath(path, GetCurrentProcessId());
    if (!writeNewFile(temporary, contents))
        return false;
    if (moveOver(temporary, path))
        return true;
    const bool rewritten = fileExists(path) && rewriteInPlace(path, contents);
    DeleteFileA(temporary.c_str());
    return rewritten;
}

bool deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
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

std::optional<std::string> fullPath(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    const DWORD length = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return std::nullopt;
    std::string full(length, '\0');
    full.resize(GetFullPathNameA(path.c_str(), length, full.data(), nullptr));
    return full;
}

bool isSameFile(const std::string& a, const std::string& b) {
    const auto identity = [](const std::string& path) -> std::optional<BY_HANDLE_FILE_INFORMATION> {
        FileHandle file = openFile(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   OPEN_EXISTING);
        BY_HANDLE_FILE_INFORMATION information{};
        if (!file || !GetFileInformationByHandle(file.get(), &information))
            return std::nullopt;
        return information;
    };
    const auto first = identity(a);
    const auto second = identity(b);
    return first && second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
           first->nFileIndexHigh == second->nFileIndexHigh &&
           first->nFileIndexLow == second->nFileIndexLow;
}

std::optional<std::string> searchPath(const std::string& name) {
    if (name.empty())
        return std::nullopt;
    std::string found(MAX_PATH, '\0');
    DWORD length = SearchPathA(nullptr, name.c_str(), nullptr, MAX_PATH, found.data(), nullptr);
    if (length >= MAX_PATH) { // longer than the buffer: the length it needs
        found.resize(length);
        length = SearchPathA(nullptr, name.c_str(), nullptr, length, found.data(), nullptr);
    }
    if (length == 0 || length > found.size())
        return std::nullopt;
    found.resize(length);
    return found;
}

std::optional<std::string> registeredProgramPath(const std::string& fileName) {
    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + fileName;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        char path[MAX_PATH] = {};
        DWORD size = sizeof(path);
        if (RegGetValueA(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size) !=
            ERROR_SUCCESS)
            continue;
        std::string found = path;
        // Some installers write the path in quotes.
        if (found.size() >= 2 && found.front() == '"' && found.back() == '"')
            found = found.substr(1, found.size() - 2);
        if (!found.empty())
            return found;
    }
    return std::nullopt;
}

std::string windowsDirectory() {
    char folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder, length < MAX_PATH ? length : 0);
}

} // namespace platform
