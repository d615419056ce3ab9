#include "viewer_program.h"

#include "gdiplus_painter.h"
#include "input_error.h"
#include "viewer_arguments.h"
#include "viewer_window.h"

#include <windows.h>

namespace ombrix {
namespace {

// The size of a picture asked for by a script, at 96 dpi.
constexpr int pictureWidth = 1200;
constexpr int pictureHeight = 900;

void tell(const std::string& title, const std::string& message, bool scripted) {
    if (!scripted) {
        MessageBoxA(nullptr, message.c_str(), title.c_str(),
                    MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
        return;
    }
    const std::string line = message + "\r\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

std::string pictureNameOf(const std::string& name) {
    return name.substr(0, name.rfind('.')) + ".png";
}

bool savePicture(const View& view, const std::string& path) {
    const ViewOptions options;
    const Camera camera = firstCamera(view, {pictureWidth, pictureHeight}, options.pixel);
    Raster picture(pictureWidth, pictureHeight, paper);
    drawAnew(picture, view, camera, options);
    return savePng(picture, path);
}

} // namespace

int runViewerProgram(const ViewerProgram& program) {
    const std::string title = "OMBRIX - " + program.name;
    const ViewerArguments arguments = viewerArguments(GetCommandLineA());
    const bool scripted = !arguments.picture.empty();
    const GdiplusSession gdiplus;
    try {
        const OpenView opened = program.open(arguments.subject);
        if (!scripted) {
            showViewerWindow(title + " - " + opened.name, *opened.view, pictureNameOf(opened.name));
            return 0;
        }
        if (!savePicture(*opened.view, arguments.picture))
            throw FileRefused(
                describe(Language::English, arguments.picture, 0, {Message::CannotWrite, {}}));
        return 0;
    } catch (const FileRefused& refused) {
        tell(title, refused.what(), scripted);
        return 1;
    }
}

} // namespace ombrix
