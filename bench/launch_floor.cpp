// The floor under the shell's launches: a program that starts another exactly as the shell
// does, each time it is told to, and does nothing else.
//
//   ombrix_launch_floor <go event> <done event> <program> <arguments>
//
// Each time the auto-reset event <go event> is set it starts <program>. With <done event>
// "-" it starts it beside itself, as the shell starts a program beside it (the program's
// path as the application, one blank and the arguments as the command line); otherwise it
// runs it as the shell runs INPUT (the quoted path, a blank and the arguments as the command
// line), waits for it to end and sets <done event>. It runs until it is ended.

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// What the shell gives CreateProcess: no inherited handles, no flags, its own environment
// and current folder.
HANDLE start(const char* application, std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(application, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started))
        return nullptr;
    CloseHandle(started.hThread);
    return started.hProcess;
}

void startBeside(const std::string& program, const std::string& arguments) {
    if (HANDLE process = start(program.c_str(), " " + arguments))
        CloseHandle(process);
}

void runAndWait(const std::string& program, const std::string& arguments, HANDLE done) {
    if (HANDLE process = start(nullptr, "\"" + program + "\" " + arguments)) {
        WaitForSingleObject(process, INFINITE);
        CloseHandle(process);
    }
    SetEvent(done);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 5)
        return 2;
    HANDLE go = CreateEventA(nullptr, FALSE, FALSE, __argv[1]);
    const std::string doneName = __argv[2];
    HANDLE done = doneName == "-" ? nullptr : CreateEventA(nullptr, TRUE, FALSE, doneName.c_str());
    const std::string program = __argv[3];
    const std::string arguments = __argv[4];
    while (WaitForSingleObject(go, INFINITE) == WAIT_OBJECT_0) {
        if (done)
            runAndWait(program, arguments, done);
        else
            startBeside(program, arguments);
    }
    return 0;
}
