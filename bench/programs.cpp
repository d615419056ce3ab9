#include "programs.h"

#include "driver.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <stdexcept>

namespace bench {

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

namespace {

// Arguments that the floors take back whole: quoted, and never holding a quote themselves.
std::string commandLineOf(const std::filesystem::path& exe,
                          const std::vector<std::string>& arguments) {
    std::string commandLine = "\"" + e2e::utf8Text(exe) + "\"";
    for (const std::string& argument : arguments) {
        if (argument.find('"') != std::string::npos || argument.ends_with('\\'))
            throw std::invalid_argument("cannot pass on: " + argument);
        commandLine += " \"" + argument + "\"";
    }
    return commandLine;
}

// The processes that run this executable, opened to be waited for.
std::vector<HANDLE> runningProcesses(const std::string& exeName) {
    std::vector<HANDLE> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0)
            if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID))
                processes.push_back(process);
    CloseHandle(snapshot);
    return processes;
}

} // namespace

Program::Program(const std::filesystem::path& exe, const std::vector<std::string>& arguments,
                 const std::filesystem::path& folder) {
    std::string commandLine = commandLineOf(exe, arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(e2e::utf8Text(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, e2e::utf8Text(folder).c_str(), &startup, &process_))
        throw std::runtime_error("cannot start " + e2e::utf8Text(exe));
}

Program::~Program() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Program::waitForExit(std::chrono::milliseconds timeout) const {
    return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) ==
           WAIT_OBJECT_0;
}

SharedEvent::SharedEvent(const std::string& purpose, const char* variable, Reset reset)
    : name_("OMBRIX bench " + purpose + " " + std::to_string(GetCurrentProcessId())),
      variable_(variable),
      event_(CreateEventA(nullptr, reset == Reset::manual, FALSE, name_.c_str())) {
    if (!event_)
        throw std::runtime_error("cannot make the event " + name_);
    if (variable_)
        SetEnvironmentVariableA(variable_, name_.c_str());
}

SharedEvent::~SharedEvent() {
    if (variable_)
        SetEnvironmentVariableA(variable_, nullptr);
    CloseHandle(event_);
}

bool SharedEvent::wait(std::chrono::milliseconds timeout) const {
    return WaitForSingleObject(event_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

HWND waitForVisibleWindow(DWORD processId, WindowName name, std::chrono::milliseconds timeout) {
    const auto find = [&] {
        for (HWND window = FindWindowExW(nullptr, nullptr, name.className, name.title); window;
             window = FindWindowExW(nullptr, window, name.className, name.title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId && IsWindowVisible(window))
                return window;
        }
        return HWND{};
    };
    HWND found = nullptr;
    e2e::waitUntil([&] { return (found = find()) != nullptr; }, timeout,
                   std::chrono::milliseconds(1));
    return found;
}

bool isReadyForInput(HWND window) {
    DWORD_PTR result = 0;
    return IsWindowVisible(window) && IsWindowEnabled(window) &&
           SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result) != 0;
}

bool drawNow(HWND window) {
    return RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN) != FALSE;
}

// Private bytes are the commit charge, which Windows gives as PagefileUsage and again as
// PrivateUsage; Wine fills only the first (with the process's resident anonymous memory).
Memory memoryOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_MEMORY_COUNTERS counters{};
    const bool read = process && GetProcessMemoryInfo(process, &counters, sizeof(counters));
    if (process)
        CloseHandle(process);
    if (!read)
        throw std::runtime_error("cannot read the memory of process " + std::to_string(processId));
    constexpr double mebibyte = 1024.0 * 1024.0;
    return {static_cast<double>(counters.PagefileUsage) / mebibyte,
            static_cast<double>(counters.WorkingSetSize) / mebibyte};
}

bool waitForEnd(const std::string& exeName, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    bool ended = true;
    for (HANDLE process : runningProcesses(exeName)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::max(deadline - Clock::now(), Clock::duration::zero()));
        ended = WaitForSingleObject(process, static_cast<DWORD>(left.count())) == WAIT_OBJECT_0 &&
                ended;
        CloseHandle(process);
    }
    return ended;
}

} // namespace bench
