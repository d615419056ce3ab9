#include "platform/platform.h"
#include "platform/win32/win32.h"

#include <memory>

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

std::optional<std::string> readFile(const std::string& path) {
    // The suite's programs may still hold their hand-off files open: read beside them.
    FileHandle file = openFile(
        path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 24))
        return std::nullopt;
    std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr))
        return std::nullopt;
    contents.resize(read);
    return contents;
}

bool replaceFile(const std::string& path, std::string_view contents) {
    const std::string newPath = path + ".new";
    {
        FileHandle file = openFile(newPath, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
        if (!file)
            return false;
        if (!writeAll(file.get(), contents)) {
            file.reset();
            DeleteFileA(newPath.c_str());
            return false;
        }
    }
    if (MoveFileExA(newPath.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(newPath.c_str());
    return false;
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

std::string windowsDirectory() {
    char folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder, length < MAX_PATH ? length : 0);
}

} // namespace platform
