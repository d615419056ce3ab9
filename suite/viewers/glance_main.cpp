// Glance (Preview): the structure of a geometry file, drawn before any analysis.
//   Glance <geometry file> [/png <picture file>]
// The name may come in double quotes or not; with /png the picture is saved and Glance
// ends without showing a window.

#include "geometry_view.h"
#include "viewer_arguments.h"
#include "viewer_program.h"
#include "win32_storage.h"

#include <windows.h>

namespace {

ombrix::OpenView openGeometry(const std::string& geometryFile) {
    using namespace ombrix;
    if (geometryFile.empty())
        throw FileRefused(say(Language::English, Message::Usage,
                              {"Glance <geometry file> [/png <picture file>]"}));
    const Win32Storage storage;
    OpenView opened;
    opened.view = std::make_unique<GeometryView>(readModelFile(storage, geometryFile));
    opened.name = fileNameOf(geometryFile);
    return opened;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ombrix::runViewerProgram("Glance", openGeometry);
}
