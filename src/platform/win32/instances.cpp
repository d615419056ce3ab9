#include "platform/platform.h"
#include "platform/win32/win32.h"

#include <string>

namespace platform {

bool claimInstanceName(const std::string& name) {
    // The handle stays open, and the name taken, until the process ends, however it ends.
    HANDLE claimed = CreateMutexA(nullptr, FALSE, ("Local\\" + name).c_str());
    return claimed && GetLastError() != ERROR_ALREADY_EXISTS;
}

namespace {

std::string programFileOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return {};
    char path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    const bool found = QueryFullProcessImageNameA(process, 0, path, &length);
    CloseHandle(process);
    return found ? std::string(path, length) : std::string();
}

struct Search {
    std::string caption;
    std::string programFile;
    HWND found = nullptr;
};

BOOL CALLBACK considerWindow(HWND window, LPARAM searchAddress) {
    Search& search = *reinterpret_cast<Search*>(searchAddress);
    char caption[64] = {};
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId() || !IsWindowVisible(window) ||
        GetWindowTextA(window, caption, sizeof caption) <= 0 || search.caption != caption ||
        lstrcmpiA(programFileOf(processId).c_str(), search.programFile.c_str()) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

bool showOtherInstance(const std::string& caption) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    Search search{caption, program};
    EnumWindows(considerWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return false;
    if (IsIconic(search.found))
        ShowWindow(search.found, SW_RESTORE);
    SetForegroundWindow(search.found);
    return true;
}

} // namespace platform
