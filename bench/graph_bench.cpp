// Times a graph program as the shell starts it, in the current folder: from CreateProcess
// to its window drawn and answering a message, and then the frames per second while it
// turns: each arrow key turns the structure by 5 degrees (Charts: shows the path of the
// previous node) and is answered once the new picture is on the screen.
//   ombrix_graph_bench <program.exe> <argument> <runs> <frames>
// The argument is Glance's geometry file, or the TAB the shell gives the others. Prints two
// lines, the start-up in ms and the frames per second: min, median, max.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Search {
    DWORD process;
    HWND found = nullptr;
};

// The program's window, once it has its title: "OMBRIX - <program> - <file>".
HWND windowOf(DWORD process) {
    Search search{process};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char title[64] = {};
            GetWindowTextA(window, title, sizeof title);
            const std::string text = title;
            if (owner == s.process && IsWindowVisible(window) && text.starts_with("OMBRIX - ") &&
                text.find(" - ", 9) != std::string::npos)
                s.found = window;
            return s.found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Run {
    double startup = 0; // ms
    double framesPerSecond = 0;
};

// The program is drawn before it answers: it paints its window before its message loop
// starts.
Run timeOnce(const std::string& program, const std::string& argument, int frames) {
    std::string commandLine = "\"" + program + "\" \"" + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        std::exit(2);
    HWND window = nullptr;
    while (!(window = windowOf(process.dwProcessId)))
        Sleep(1);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60'000, &answer);
    Run run{millisecondsSince(start), 0};
    const Clock::time_point turning = Clock::now();
    for (int frame = 0; frame < frames; ++frame)
        SendMessageA(window, WM_KEYDOWN, VK_LEFT, 1);
    run.framesPerSecond = frames * 1000.0 / millisecondsSince(turning);
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 60'000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

void printSpread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("%.1f %.1f %.1f\n", values.front(), median, values.back());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "ombrix_graph_bench <program.exe> <argument> <runs> <frames>\n");
        return 2;
    }
    const int runs = std::atoi(argv[3]), frames = std::atoi(argv[4]);
    timeOnce(argv[1], argv[2], 1); // not counted: brings the files into the cache
    std::vector<double> startups, rates;
    for (int k = 0; k < runs; ++k) {
        const Run run = timeOnce(argv[1], argv[2], frames);
        startups.push_back(run.startup);
        rates.push_back(run.framesPerSecond);
    }
    printSpread(startups);
    printSpread(rates);
    return 0;
}
