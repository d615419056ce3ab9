#pragma once

// The benchmarks of `make bench`. Each runs the shell and its baseline alternately, the
// given number of runs each after one run that is not counted, and returns its figures.

#include "driver.h"
#include "programs.h"
#include "summary.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct Setting {
    const e2e::Installation& installation; // used by every run, one after the other
    std::filesystem::path floorFolder;     // where the floor programs are
    int runs;
};

// The shell's windows, and the panel's template as the dialog floor shows it.
inline constexpr WindowName welcomeWindow{L"Welcome", L"Welcome"};
inline constexpr WindowName panelWindow{L"#32770", L"OMBRIX"};
inline constexpr WindowName shellQuestion{L"#32770", L"OMBRIX Message"};
// The plain window that the dialog floor started with /window-first shows before its panel.
inline constexpr WindowName floorFirstWindow{L"FloorWindow", L"Floor"};

// How long any one step may take before the bench gives up; a program that has not run its
// first instruction in this time is lost.
inline constexpr std::chrono::milliseconds patience = std::chrono::seconds(20);

// Start-up with the welcome window clicked away and left to close, exit with no program
// running, and memory with the panel shown, against the dialog floor.
std::vector<Figure> startupFigures(const Setting& setting);
// A program started beside the shell, and INPUT run to its end, against the launch floor.
std::vector<Figure> launchFigures(const Setting& setting);
// A launch with 99 programs running beside the shell against one with none, and exit with
// 50 running and Yes.
std::vector<Figure> crowdFigures(const Setting& setting);
// The size of ombrix.exe against the dialog floor's.
std::vector<Figure> sizeFigures(const Setting& setting);

// One round of a benchmark: each step once, in order in even rounds and in reverse order in
// odd ones, so that a drift in the machine's load weighs on the shell and its baseline
// alike. Round 0 warms up and is not counted. A line on the standard error tells how far
// the benchmark has come. A round that fails is run again, twice at most: now and then
// Wine loses a program as it starts it (it cannot map the shared user data at its fixed
// address, and the process ends before its first instruction).
void runRound(const std::string& benchmark, int round, int runs,
              const std::vector<std::function<void()>>& steps);

} // namespace bench
