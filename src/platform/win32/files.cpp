#include "platform/platform.h"
#include "platform/win32/win32.h"
#include "windows_files/file_handle.h"
#include "windows_files/replace_file.h"

#include <string>

namespace platform {

using windows_files::FileHandle;
using windows_files::openFile;

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

bool replaceFile(const std::string& path, std::string_view contents) {
    return windows_files::replaceFile(path, contents) == windows_files::Refusal::none;
}

bool deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

void removeLeftoverReplacements(const std::string& path) {
    windows_files::removeLeftoverReplacements(path);
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
