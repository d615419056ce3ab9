// Prepare: reads and checks the geometry file and prepares the analysis's working folder
// (see runs.h).  Prepare <geometry file> <output file> <Short|Complete> <English|Romanian>

#include "handoff/handoff.h"
#include "messages.h"
#include "progress_window.h"
#include "win32_storage.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace ombrix;
    constexpr const char* title = "OMBRIX - Prepare";
    if (__argc != 5) {
        const std::string usage =
            "Prepare <geometry file> <output file> <Short|Complete> <English|Romanian>";
        MessageBoxA(nullptr, say(Language::English, Message::Usage, {usage}).c_str(), title,
                    MB_OK | MB_ICONERROR);
        return handoff::stepUsage;
    }
    const PrepareArguments arguments{__argv[1], __argv[2], __argv[3], __argv[4]};
    return runWithProgress(title, [&](const RunProgressReport& progress) {
        Win32Storage storage;
        return prepareAnalysis(storage, arguments, progress);
    });
}
