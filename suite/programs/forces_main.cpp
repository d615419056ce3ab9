// Forces: reads the loading file and writes "<k>.unf" for every case that can be solved
// (see runs.h).  Forces <loading file>

#include "progress_window.h"
#include "win32_storage.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace ombrix;
    constexpr const char* title = "OMBRIX - Forces";
    if (__argc != 2) {
        MessageBoxA(nullptr,
                    say(Language::English, Message::Usage, {"Forces <loading file>"}).c_str(),
                    title, MB_OK | MB_ICONERROR);
        return 2;
    }
    const std::string loadingFile = __argv[1];
    return runWithProgress(title, [&](const RunProgressReport& progress) {
        Win32Storage storage;
        return prepareLoads(storage, loadingFile, progress);
    });
}
