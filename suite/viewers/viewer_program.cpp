#include "viewer_program.h"

#include "gdiplus_painter.h"
#include "input_error.h"
#include "viewer_window.h"

#include <windows.h>

namespace ombrix {
namespace {

void tell(const std::string& title, const std::string& message, bool scripted,
          UINT icon = MB_ICONERROR) {
    if (!scripted) {
        MessageBoxA(nullptr, message.c_str(), title.c_str(), MB_OK | icon | MB_SETFOREGROUND);
        return;
    }
    const std::string line = message + "\r\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

void savePicture(const OpenView& opened, const std::string& path) {
    const Camera camera =
        firstCamera(*opened.view, {scriptPictureWidth, scriptPictureHeight}, opened.options);
    Raster picture(scriptPictureWidth, scriptPictureHeight, paper);
    drawAnew(picture, *opened.view, camera, opened.options);
    writePicture(picture, path);
}

} // namespace

std::string titleOf(const std::string& programName) {
    return "OMBRIX - " + programName;
}

void writePicture(const Raster& picture, const std::string& path) {
    if (!savePng(picture, path))
        throw FileRefused(describe(Language::English, path, 0, {Message::CannotWrite, {}}));
}

int runGraphProgram(const std::string& name, std::string_view outputSwitch,
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

int runViewerProgram(const std::string& name,
                     const std::function<OpenView(const std::string& subject)>& open) {
    return runGraphProgram(name, "/png", [&](const ViewerArguments& arguments) {
        OpenView opened = open(arguments.subject);
        if (arguments.output.empty())
            showViewerWindow(titleOf(name), std::move(opened));
        else
            savePicture(opened, arguments.output);
    });
}

} // namespace ombrix
