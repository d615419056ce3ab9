// Forces: reads the loading file and writes "<k>.unf" for every case that can be solved
// (see runs.h).  Forces <loading file>, the name quoted or not

#include "handoff/handoff.h"
#include "messages.h"
#include "progress_window.h"
#include "win32_storage.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace ombrix;
    constexpr const char* title = "OMBRIX - Forces";
    const std::string loadingFile = handoff::fileNameArgument(GetCommandLineA());
    if (loadingFile.empty()) {
        MessageBoxA(nullptr,
                    say(Language::English, Message::Usage, {"Forces <loading file>"}).c_str(),
                    title, MB_OK | MB_ICONERROR);
        return handoff::stepUsage;
    }
    return runWithProgress(title, [&](const RunProgressReport& progress) {
        Win32Storage storage;
        return prepareLoads(storage, loadingFile, progress);
    });
}
