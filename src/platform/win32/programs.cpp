#include "platform/platform.h"
#include "platform/win32/win32.h"

#include <algorithm>

namespace platform {

namespace {

// Starts the program as the suite expects it: no inherited handles, no creation flags,
// the shell's environment and current directory, the child's windows in their default
// way. The thread handle is not needed.
std::optional<PROCESS_INFORMATION> createProcess(const char* applicationName,
                                                 std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(applicationName, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started))
        return std::nullopt;
    CloseHandle(started.hThread);
    return started;
}

bool isUserInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// Serves the thread's messages until the process ends: paint requests, timers and the
// system's own messages are handled, the user's input is dropped. A quit message that
// arrives meanwhile is posted again for the main loop.
void waitServingMessages(HANDLE process) {
    std::optional<WPARAM> quit;
    while (MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                quit = message.wParam;
            else if (!isUserInput(message.message))
                DispatchMessageA(&message);
        }
    }
    if (quit)
        PostQuitMessage(static_cast<int>(*quit));
}

} // namespace

std::optional<StartedProcess> startProcess(const std::string& applicationName,
                                           const std::string& commandLine) {
    const std::optional<PROCESS_INFORMATION> started =
        createProcess(applicationName.c_str(), commandLine);
    if (!started)
        return std::nullopt;
    return StartedProcess{reinterpret_cast<Process>(started->hProcess), started->dwProcessId};
}

// A wait for any of a group of handles names the first of them that is signalled: those
// before it still run, and the search goes on after it. A group that none ends, or whose
// wait fails, is passed.
std::vector<bool> haveEnded(const std::vector<Process>& processes) {
    std::vector<HANDLE> handles;
    handles.reserve(processes.size());
    for (Process process : processes)
        handles.push_back(reinterpret_cast<HANDLE>(process));
    std::vector<bool> ended(handles.size(), false);
    std::size_t first = 0;
    while (first < handles.size()) {
        const auto count =
            static_cast<DWORD>(std::min<std::size_t>(handles.size() - first, MAXIMUM_WAIT_OBJECTS));
        const DWORD woken = WaitForMultipleObjects(count, &handles[first], FALSE, 0);
        if (woken >= WAIT_OBJECT_0 + count) {
            first += count;
            continue;
        }
        first += woken - WAIT_OBJECT_0;
        ended[first++] = true;
    }
    return ended;
}

bool endProcess(Process process) {
    return TerminateProcess(reinterpret_cast<HANDLE>(process), 0) != FALSE;
}

std::optional<int> runProgramAndWait(Dialog dialog, const std::string& commandLine) {
    const std::optional<PROCESS_INFORMATION> started = createProcess(nullptr, commandLine);
    if (!started)
        return std::nullopt;
    HWND window = win32::dialogWindow(dialog);
    EnableWindow(window, FALSE);
    waitServingMessages(started->hProcess);
    EnableWindow(window, TRUE);
    DWORD exitCode = 0;
    GetExitCodeProcess(started->hProcess, &exitCode);
    CloseHandle(started->hProcess);
    return static_cast<int>(exitCode);
}

} // namespace platform
