#include "win32_storage.h"

#include <windows.h>

#include <algorithm>

namespace ombrix {
namespace {

// A file handle closed when it goes out of scope.
class File {
  public:
    File(const std::string& path, DWORD access, DWORD disposition)
        : handle_(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~File() {
        if (open())
            CloseHandle(handle_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool open() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool write(const std::string& text) const {
        DWORD written = 0;
        return open() &&
               WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written,
                         nullptr) &&
               written == text.size();
    }
    HANDLE handle() const { return handle_; }

  private:
    HANDLE handle_;
};

bool tooLong(const std::string& path) {
    return path.size() >= MAX_PATH;
}

// Why the last call could not write: `target` when it was the file itself that was
// refused, not the folder it lies in.
Written failure(bool target) {
    switch (GetLastError()) {
    case ERROR_FILENAME_EXCED_RANGE: return {WriteFailure::pathTooLong};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return {WriteFailure::inUse};
    case ERROR_ACCESS_DENIED:
        return {target ? WriteFailure::inUse : WriteFailure::folderNotWritable};
    case ERROR_WRITE_PROTECT:
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return {WriteFailure::folderNotWritable};
    default: return {WriteFailure::other};
    }
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

std::optional<std::string> Win32Storage::read(const std::string& path, std::size_t most) const {
    const File file(path, GENERIC_READ, OPEN_EXISTING);
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

// The new contents go to a name of this process's own beside the file, then over it.
Written Win32Storage::replace(const std::string& path, const std::string& text) {
    const std::string temporary = path + "." + std::to_string(GetCurrentProcessId()) + ".new";
    if (tooLong(temporary))
        return {WriteFailure::pathTooLong};
    {
        const File file(temporary, GENERIC_WRITE, CREATE_ALWAYS);
        if (!file.open())
            return failure(false);
        if (!file.write(text) || !FlushFileBuffers(file.handle())) {
            const Written written = failure(false);
            DeleteFileA(temporary.c_str());
            return written;
        }
    }
    if (MoveFileExA(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const Written written = failure(true);
    DeleteFileA(temporary.c_str());
    return written;
}

// One write to a file opened for appending.
Written Win32Storage::append(const std::string& path, const std::string& text) {
    if (tooLong(path))
        return {WriteFailure::pathTooLong};
    const File file(path, FILE_APPEND_DATA, OPEN_ALWAYS);
    if (!file.open())
        return failure(exists(path));
    return file.write(text) ? Written{} : failure(true);
}

bool Win32Storage::remove(const std::string& path) {
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

Written Win32Storage::makeFolder(const std::string& path) {
    if (tooLong(path))
        return {WriteFailure::pathTooLong};
    if (CreateDirectoryA(path.c_str(), nullptr))
        return {};
    const Written written = failure(false);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return written;
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
