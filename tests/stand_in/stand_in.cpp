// A stand-in for every program of the analysis suite, for demonstrations and tests. It
// knows its role from its own file name ("Prepare 20.exe" is Prepare) and does what the
// shell relies on:
//   Prepare  <geometry> <output> <list type> <language>: writes "work_dir.dat" in its
//            current folder naming the installation's Work folder, "Comomb.dat" there
//            (its last line the language) and the output file;
//   Forces   <loading file>: writes "<k>.unf" for the cases the loading file declares
//            (0 when it has one, then 1..N) into the working folder;
//   Solve    <case labels>: appends a line per case to the output file.
// Every other name opens a small window and stays until it is closed.
//
// Environment, for tests:
//   OMBRIX_SUITE_LOG        file to which one line is appended per start: the program's
//                           file name, TAB, its command line as received, TAB, its
//                           current folder;
//   OMBRIX_SUITE_HOLD       name of an event: the analysis programs do their work, then
//                           wait until the event is set before they end; the others close
//                           their window when it is set;
//   OMBRIX_SUITE_EXIT       exit code (default 0);
//   OMBRIX_FORCES_SKIP      case numbers, comma-separated, for which Forces writes no file;
//   OMBRIX_SUITE_STARTED    name of an existing event, set as the program's very first
//                           instruction: the moment a program started by the shell runs,
//                           for the benchmarks.

#include "handoff/handoff.h"
#include "handoff/loading_head.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Read through the wide call: Wine's narrow one cuts a UTF-8 value short.
std::optional<std::string> environment(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    if (length == 0 || length >= 1024)
        return std::nullopt;
    const int size = WideCharToMultiByte(CP_UTF8, 0, value, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, value, static_cast<int>(length), text.data(), size, nullptr,
                        nullptr);
    return text;
}

std::string modulePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string folderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

std::string currentFolder() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

std::string fullPath(const std::string& name) {
    char path[MAX_PATH] = {};
    GetFullPathNameA(name.c_str(), MAX_PATH, path, nullptr);
    return path;
}

// "Plotter 20.exe" plays Plotter.
std::string roleOf(std::string fileName) {
    fileName = fileName.substr(0, fileName.rfind('.'));
    if (fileName.size() > 3 && fileName.compare(fileName.size() - 3, 3, " 20") == 0)
        fileName.resize(fileName.size() - 3);
    return fileName;
}

// One write to a file opened for appending, so that programs running side by side
// never mix their lines.
void appendLine(const std::string& path, const std::string& line) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void writeLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines)
        file << line << "\r\n";
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The installation's Work folder, beside the folder of the programs.
std::string installationWorkFolder() {
    std::string folder = folderOf(folderOf(modulePath())) + "\\Work";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// The folder named by "work_dir.dat" in the current folder, as Prepare left it.
std::string workingFolder() {
    const std::vector<std::string> lines = readLines(std::string(handoff::workDirFile));
    return lines.empty() || trimmed(lines[0]).empty() ? installationWorkFolder()
                                                      : trimmed(lines[0]);
}

int prepare(int argc, char** argv) {
    if (argc < 5)
        return 2;
    const std::string work = installationWorkFolder();
    writeLines(std::string(handoff::workDirFile), {work});
    const std::string output = fullPath(argv[2]);
    writeLines(work + "\\" + std::string(handoff::sharedParametersFile),
               {fullPath(argv[1]), output, argv[3], argv[4]});
    writeLines(output, {"OMBRIX stand-in analysis", std::string("Geometry: ") + argv[1],
                        std::string("List type: ") + argv[3], std::string("Language: ") + argv[4]});
    return 0;
}

bool isSkipped(int loadCase) {
    std::istringstream skipped(environment(L"OMBRIX_FORCES_SKIP").value_or(""));
    for (std::string item; std::getline(skipped, item, ',');)
        if (!trimmed(item).empty() && std::atoi(item.c_str()) == loadCase)
            return true;
    return false;
}

int forces(int argc, char** argv) {
    if (argc < 2)
        return handoff::stepUsage;
    std::ifstream file(argv[1], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const handoff::LoadingHead head = handoff::readLoadingHead(text);
    if (!file || head.problem != handoff::HeadProblem::none)
        return handoff::stepFailed;
    const std::string work = workingFolder();
    for (int loadCase = head.hasCaseZero ? 0 : 1; loadCase <= head.caseCount; ++loadCase)
        if (!isSkipped(loadCase))
            writeLines(work + "\\" + handoff::caseFileName(loadCase), {"stand-in case result"});
    return handoff::stepDone;
}

int solve(int argc, char** argv) {
    const std::vector<std::string> parameters =
        readLines(workingFolder() + "\\" + std::string(handoff::sharedParametersFile));
    if (parameters.size() < 2)
        return 3;
    for (int k = 1; k < argc; ++k)
        appendLine(parameters[1], std::string("Case ") + argv[k] + ": solved");
    return 0;
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The event a test sets to let the programs end; made here when the test has not made it
// yet, so that the order of the two does not matter.
HANDLE holdEvent() {
    const std::optional<std::string> name = environment(L"OMBRIX_SUITE_HOLD");
    return name ? CreateEventA(nullptr, TRUE, FALSE, name->c_str()) : nullptr;
}

// The graph, file and printing programs: a small window, open until closed or released.
void showWindowUntilClosed(const std::string& title, HANDLE hold) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "OmbrixSuiteStandIn";
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowA(windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 320, 120, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return;
    ShowWindow(window, SW_SHOWDEFAULT);
    const DWORD handleCount = hold ? 1 : 0;
    for (;;) {
        const DWORD woken =
            MsgWaitForMultipleObjects(handleCount, &hold, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 && hold)
            return;
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Kept free of anything that could delay it: the time up to here is the platform's and the
// shell's, not the program's.
void reportStarted() {
    wchar_t name[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"OMBRIX_SUITE_STARTED", name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    if (HANDLE started = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
        SetEvent(started);
        CloseHandle(started);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    reportStarted();
    const std::string self = modulePath().substr(modulePath().find_last_of('\\') + 1);
    if (const std::optional<std::string> log = environment(L"OMBRIX_SUITE_LOG"))
        appendLine(*log, self + "\t" + GetCommandLineA() + "\t" + currentFolder());

    const std::string role = roleOf(self);
    HANDLE hold = holdEvent();
    int result = 0;
    if (role == "Prepare" || role == "Forces" || role == "Solve") {
        result = role == "Prepare"  ? prepare(__argc, __argv)
                 : role == "Forces" ? forces(__argc, __argv)
                                    : solve(__argc, __argv);
        if (hold)
            WaitForSingleObject(hold, INFINITE);
    } else {
        showWindowUntilClosed(self.substr(0, self.rfind('.')), hold);
    }
    const std::optional<std::string> exitCode = environment(L"OMBRIX_SUITE_EXIT");
    return exitCode ? static_cast<int>(std::strtoul(exitCode->c_str(), nullptr, 10)) : result;
}
