// Plotter (Structure Graph): the prepared model of the analysis that "work_dir.dat" of the
// current folder names, with node and member numbers and its members coloured by their
// initial forces. The shell starts it with a TAB as its argument.
//   Plotter <TAB> [/png <picture file>]

#include "prepared_view.h"
#include "viewer_arguments.h"
#include "viewer_program.h"
#include "win32_storage.h"

#include <windows.h>

namespace {

ombrix::OpenView openPreparedModel(const std::string&) {
    using namespace ombrix;
    const PreparedAnalysis analysis = openPreparedAnalysis(Win32Storage());
    OpenView opened;
    opened.view = std::make_unique<PreparedView>(analysis.model);
    opened.name = fileNameOf(analysis.geometryFile);
    opened.folder = folderOf(analysis.geometryFile);
    opened.options.nodeNumbers = opened.options.memberNumbers = true;
    return opened;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ombrix::runViewerProgram("Plotter", openPreparedModel);
}
