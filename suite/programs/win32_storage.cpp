#include "win32_storage.h"

#include "windows_files/replace_file.h"

#include <windows.h>

#include <algorithm>

namespace ombrix {
namespace {

// A file opened for reading, closed when it goes out of scope.
class File {
  public:
    explicit File(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~File() {
        if (open())
            CloseHandle(handle_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool open() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE handle() const { return handle_; }

  private:
    HANDLE handle_;
};

// The same reason in the analysis's words.
Written written(windows_files::Refusal refusal) {
    switch (refusal) {
    case windows_files::Refusal::none: return {};
    case windows_files::Refusal::folderNotWritable: return {WriteFailure::folderNotWritable};
    case windows_files::Refusal::pathTooLong: return {WriteFailure::pathTooLong};
    case windows_files::Refusal::inUse: return {WriteFailure::inUse};
    case windows_files::Refusal::other: break;
    }
    return {WriteFailure::other};
}

} // namespace

std::optional<std::string> Win32Storage::read(const std::string& path, std::size_t most) const {
    const File file(path);
    LARGE_INTEGER size{};
    if (!file.open() || !GetFileSizeEx(file.handle(), &size))
        return std::nullopt;
    std::string text(std::min(static_cast<std::size_t>(size.QuadPart), most), '\0');
    DWORD read = 0;
    if (!text.empty() &&
        (!ReadFile(file.handle(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
         read != text.size()))
        return std::nullopt;
    return text;
}

Written Win32Storage::replace(const std::string& path, const std::string& text) {
    return written(windows_files::replaceFile(path, text));
}

Written Win32Storage::append(const std::string& path, const std::string& text) {
    return written(windows_files::appendToFile(path, text));
}

bool Win32Storage::remove(const std::string& path) {
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

Written Win32Storage::makeFolder(const std::string& path) {
    if (path.size() >= MAX_PATH)
        return {WriteFailure::pathTooLong};
    if (CreateDirectoryA(path.c_str(), nullptr))
        return {};
    const bool refusedByFolder = GetLastError() == ERROR_ACCESS_DENIED;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return {refusedByFolder ? WriteFailure::folderNotWritable : WriteFailure::other};
}

std::vector<std::string> Win32Storage::filesIn(const std::string& folder) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(join(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::optional<std::string> Win32Storage::fullPath(const std::string& path) const {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return std::nullopt;
    return std::string(full, length);
}

std::string Win32Storage::join(const std::string& folder, const std::string& name) const {
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

} // namespace ombrix
