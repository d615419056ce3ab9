#include "win32_storage.h"

#include <windows.h>

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

} // namespace

std::optional<std::string> Win32Storage::read(const std::string& path) const {
    const File file(path, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file.open() || !GetFileSizeEx(file.handle(), &size))
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!text.empty() &&
        (!ReadFile(file.handle(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
         read != text.size()))
        return std::nullopt;
    return text;
}

bool Win32Storage::replace(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".new";
    {
        const File file(temporary, GENERIC_WRITE, CREATE_ALWAYS);
        if (!file.write(text) || !FlushFileBuffers(file.handle()))
            return false;
    }
    return MoveFileExA(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// One write to a file opened for appending.
bool Win32Storage::append(const std::string& path, const std::string& text) {
    return File(path, FILE_APPEND_DATA, OPEN_ALWAYS).write(text);
}

bool Win32Storage::remove(const std::string& path) {
    return DeleteFileA(path.c_str());
}

bool Win32Storage::makeFolder(const std::string& path) {
    CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

std::string Win32Storage::fullPath(const std::string& path) const {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

std::string Win32Storage::join(const std::string& folder, const std::string& name) const {
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

} // namespace ombrix
