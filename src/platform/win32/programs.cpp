#include "platform/platform.h"
#include "platform/win32/win32.h"

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

bool hasEnded(Process process) {
    return WaitForSingleObject(reinterpret_cast<HANDLE>(process), 0) == WAIT_OBJECT_0;
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
