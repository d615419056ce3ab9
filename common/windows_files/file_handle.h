// A Windows file handle that closes itself, and the one way the shell and the suite's
// programs open a file with it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace windows_files {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

// Empty when the system refuses the file; GetLastError tells why.
inline FileHandle openFile(const std::string& path, DWORD access, DWORD share, DWORD creation) {
    HANDLE handle =
        CreateFileA(path.c_str(), access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace windows_files
