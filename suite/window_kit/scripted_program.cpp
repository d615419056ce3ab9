#include "scripted_program.h"

#include "gdiplus_painter.h"
#include "input_error.h"
#include "program_window.h"
#include "view_files.h"

namespace ombrix {
namespace {

void tell(const std::string& title, const std::string& message, bool scripted,
          UINT icon = MB_ICONERROR) {
    if (!scripted) {
        MessageBoxA(nullptr, message.c_str(), title.c_str(), MB_OK | icon | MB_SETFOREGROUND);
        return;
    }
    writeErrorLine(message);
}

} // namespace

void writeErrorLine(const std::string& message) {
    const std::string line = message + "\r\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

int runScriptableProgram(const std::string& name, std::string_view outputSwitch,
                         const std::function<void(const ViewerArguments&)>& run) {
    const GdiplusSession gdiplus;
    const ViewerArguments arguments = viewerArguments(GetCommandLineA(), outputSwitch);
    const bool scripted = !arguments.output.empty();
    // Texts are drawn in a window or a picture; a table written as a file needs no font.
    if (!gdiplus.canShowTexts() && (!scripted || outputSwitch == "/png"))
        tell(titleOf(name), say(Language::English, Message::NoFont), scripted, MB_ICONWARNING);
    try {
        run(arguments);
        return 0;
    } catch (const FileRefused& refused) {
        tell(titleOf(name), refused.what(), scripted);
        return 1;
    }
}

} // namespace ombrix
