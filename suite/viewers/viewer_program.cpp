#include "viewer_program.h"

#include "gdiplus_painter.h"
#include "input_error.h"
#include "program_window.h"
#include "scripted_program.h"
#include "viewer_window.h"

namespace ombrix {
namespace {

void savePicture(const OpenView& opened, const std::string& path) {
    const Camera camera =
        firstCamera(*opened.view, {scriptPictureWidth, scriptPictureHeight}, opened.options);
    Raster picture(scriptPictureWidth, scriptPictureHeight, paper);
    drawAnew(picture, *opened.view, camera, opened.options);
    writePicture(picture, path);
}

} // namespace

void writePicture(const Raster& picture, const std::string& path) {
    if (!savePng(picture, path))
        throw FileRefused(describe(Language::English, path, 0, {Message::CannotWrite, {}}));
}

int runViewerProgram(const std::string& name,
                     const std::function<OpenView(const std::string& subject)>& open) {
    return runScriptableProgram(name, "/png", [&](const ViewerArguments& arguments) {
        OpenView opened = open(arguments.subject);
        if (arguments.output.empty())
            showViewerWindow(titleOf(name), std::move(opened));
        else
            savePicture(opened, arguments.output);
    });
}

} // namespace ombrix
