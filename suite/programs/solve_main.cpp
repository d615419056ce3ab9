// Solve: solves the load cases named on its command line (see runs.h).  Solve <case> ...

#include "progress_window.h"
#include "win32_storage.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace ombrix;
    const std::vector<std::string> caseLabels(__argv + 1, __argv + __argc);
    return runWithProgress("OMBRIX - Solve", [&](const RunProgressReport& progress) {
        Win32Storage storage;
        return solveLoadCases(storage, caseLabels, progress);
    });
}
