#include "win32_storage.h"

#include "handoff/handoff.h"
#include "windows_files/replace_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace ombrix {
namespace {

// A file opened for reading, closed when it goes out of scope. It may be one that its
// writer deletes on closing, as a step's lock file.
class File {
  public:
    explicit File(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
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

// The lock file, open for writing by this program alone and deleted when it is closed,
// which the system does when the program ends.
class LockFile : public FolderLock {
  public:
    explicit LockFile(HANDLE handle) : handle_(handle) {}
    ~LockFile() override { CloseHandle(handle_); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

  private:
    HANDLE handle_;
};

// "Solve, started 2026-12-09 14:35 from C:\Ombrix\Exe on DESIGN-7 (process 412)".
std::string holderLine(const std::string& step) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char started[32] = {};
    std::snprintf(started, sizeof started, "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute);
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    char machine[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD machineLength = sizeof machine;
    GetComputerNameA(machine, &machineLength);
    return step + ", started " + started + " from " + folder + " on " + machine + " (process " +
           std::to_string(GetCurrentProcessId()) + ")";
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

LockAttempt Win32Storage::lockFolder(const std::string& folder, const std::string& step) {
    const std::string path = join(folder, std::string(handoff::stepLockFile));
    HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_SHARING_VIOLATION)
            return {};
        const std::optional<std::string> holder = read(path);
        return {nullptr, holder && !holder->empty() ? *holder : std::string("another program")};
    }
    auto lock = std::make_unique<LockFile>(handle);
    const std::string holder = holderLine(step);
    DWORD written = 0;
    SetEndOfFile(handle);
    WriteFile(handle, holder.data(), static_cast<DWORD>(holder.size()), &written, nullptr);
    return {std::move(lock), std::nullopt};
}

} // namespace ombrix
