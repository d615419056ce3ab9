#include "benchmarks.h"
#include "ids.h"
#include "programs.h"

#include <stdexcept>
#include <thread>

namespace bench {

namespace {

using namespace std::chrono_literals;

struct Run {
    double startup = 0;   // ms, from process creation to the panel ready for input
    double welcome = 0;   // ms, from process creation to the welcome window shown (or drawn)
    double fromClick = 0; // ms, from the click on the welcome to the panel ready for input
    Memory memory;        // once the panel is drawn
    double exit = 0;      // ms, from E X I T to the end of the process
};

HWND waitForReadyPanel(DWORD processId) {
    HWND panel = waitForVisibleWindow(processId, panelWindow, patience);
    if (!panel || !e2e::waitUntil([&] { return isReadyForInput(panel); }, patience, 1ms))
        throw std::runtime_error("the panel did not become ready for input");
    return panel;
}

// The rest of a run once the panel is ready: its memory when drawn, then its exit.
template <typename Process> void finishRun(const Process& process, HWND panel, Run& run) {
    if (!drawNow(panel))
        throw std::runtime_error("the panel was not drawn");
    run.memory = memoryOf(process.processId());
    const Clock::time_point exit = Clock::now();
    e2e::click(e2e::control(panel, IDC_EXIT));
    if (!process.waitForExit(patience))
        throw std::runtime_error("E X I T did not end the program");
    run.exit = millisecondsSince(exit);
}

// About the quickest a user clicks on a window that has just appeared.
constexpr auto reactionTime = 250ms;

// How the welcome window ends in a run of the shell.
enum class WelcomeEnd {
    clickedWhenVisible, // by a click the moment it is visible
    clickedLater,       // by a click a user's reaction time after it is drawn
    byItself,           // after its three seconds
};

Run runShell(const e2e::Installation& installation, WelcomeEnd welcomeEnd) {
    Run run;
    const Clock::time_point start = Clock::now();
    const e2e::Shell shell(installation);
    Clock::time_point click = start;
    if (welcomeEnd != WelcomeEnd::byItself) {
        HWND welcome = waitForVisibleWindow(shell.processId(), welcomeWindow, patience);
        run.welcome = millisecondsSince(start);
        if (welcomeEnd == WelcomeEnd::clickedLater) {
            if (!drawNow(welcome))
                throw std::runtime_error("the welcome window was not drawn");
            std::this_thread::sleep_for(reactionTime);
        }
        click = Clock::now();
        PostMessageA(welcome, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    }
    HWND panel = waitForReadyPanel(shell.processId());
    run.startup = millisecondsSince(start);
    run.fromClick = millisecondsSince(click);
    finishRun(shell, panel, run);
    return run;
}

// The dialog floor, showing its panel at once or, as the shell does, a window first that is
// clicked the moment it is visible.
Run runFloor(const Setting& setting, bool windowFirst) {
    Run run;
    const Clock::time_point start = Clock::now();
    const Program floor(setting.floorFolder / "ombrix_dialog_floor.exe",
                        windowFirst ? std::vector<std::string>{"/window-first"}
                                    : std::vector<std::string>{},
                        setting.installation.exeDir());
    Clock::time_point click = start;
    if (windowFirst) {
        HWND first = waitForVisibleWindow(floor.processId(), floorFirstWindow, patience);
        if (!first)
            throw std::runtime_error("the floor's first window was not shown");
        run.welcome = millisecondsSince(start);
        click = Clock::now();
        PostMessageA(first, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    }
    HWND panel = waitForReadyPanel(floor.processId());
    run.startup = millisecondsSince(start);
    run.fromClick = millisecondsSince(click);
    finishRun(floor, panel, run);
    return run;
}

template <typename Value> std::vector<double> collect(const std::vector<Run>& runs, Value value) {
    std::vector<double> values;
    for (const Run& run : runs)
        values.push_back(value(run));
    return values;
}

} // namespace

std::vector<Figure> startupFigures(const Setting& setting) {
    std::vector<Run> clicked, twoWindowFloor, floor, later, selfClosing;
    for (int round = 0; round <= setting.runs; ++round) {
        Run shellRun, twoWindowFloorRun, floorRun, laterRun, selfClosingRun;
        runRound(
            "start-up", round, setting.runs,
            {[&] { shellRun = runShell(setting.installation, WelcomeEnd::clickedWhenVisible); },
             [&] { twoWindowFloorRun = runFloor(setting, true); },
             [&] { floorRun = runFloor(setting, false); },
             [&] { laterRun = runShell(setting.installation, WelcomeEnd::clickedLater); },
             [&] { selfClosingRun = runShell(setting.installation, WelcomeEnd::byItself); }});
        if (round == 0)
            continue;
        clicked.push_back(shellRun);
        twoWindowFloor.push_back(twoWindowFloorRun);
        floor.push_back(floorRun);
        later.push_back(laterRun);
        selfClosing.push_back(selfClosingRun);
    }
    constexpr double welcomeMilliseconds = 3000;
    const auto startup = [](const Run& run) { return run.startup; };
    const auto welcomeShown = [](const Run& run) { return run.welcome; };
    const auto fromClick = [](const Run& run) { return run.fromClick; };
    const auto startupAndWelcome = [](const Run& run) { return run.startup + welcomeMilliseconds; };
    const auto exit = [](const Run& run) { return run.exit; };
    const auto privateBytes = [](const Run& run) { return run.memory.privateBytes; };
    const auto workingSet = [](const Run& run) { return run.memory.workingSet; };
    return {
        {"Start-up, welcome clicked away", "ms", collect(clicked, startup),
         "window, then panel floor", collect(twoWindowFloor, startup), 1.2},
        {"Start-up, welcome clicked away",
         "ms",
         collect(clicked, startup),
         "dialog floor",
         collect(floor, startup),
         {}},
        {"Start-up to the welcome window shown",
         "ms",
         collect(clicked, welcomeShown),
         "window, then panel floor: its window shown",
         collect(twoWindowFloor, welcomeShown),
         {}},
        {"Start-up from the click on the welcome shown to the panel ready",
         "ms",
         collect(clicked, fromClick),
         "window, then panel floor: from its click",
         collect(twoWindowFloor, fromClick),
         {}},
        {"Start-up from a click 250 ms after the welcome is drawn to the panel ready",
         "ms",
         collect(later, fromClick),
         "window, then panel floor: from its click",
         collect(twoWindowFloor, fromClick),
         {}},
        {"Start-up, welcome closing by itself", "ms", collect(selfClosing, startup),
         "clicked start-up + 3 s", collect(clicked, startupAndWelcome), 1.05},
        {"Exit, no program running",
         "ms",
         collect(clicked, exit),
         "dialog floor",
         collect(floor, exit),
         {}},
        {"Private bytes, panel shown", "MiB", collect(clicked, privateBytes), "dialog floor",
         collect(floor, privateBytes), 1.5},
        {"Working set, panel shown", "MiB", collect(clicked, workingSet), "dialog floor",
         collect(floor, workingSet), 1.5},
    };
}

std::vector<Figure> sizeFigures(const Setting& setting) {
    constexpr double kibibyte = 1024;
    const auto size = [](const std::filesystem::path& exe) {
        return std::vector<double>{static_cast<double>(std::filesystem::file_size(exe)) / kibibyte};
    };
    return {{.name = "Size of ombrix.exe",
             .unit = "KiB",
             .shell = size(setting.installation.exeDir() / "ombrix.exe"),
             .baselineName = "dialog floor",
             .baseline = size(setting.floorFolder / "ombrix_dialog_floor.exe")}};
}

} // namespace bench
