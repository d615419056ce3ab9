// PlotterD (Displaced Structure Graph): a solved case of the analysis that "work_dir.dat"
// of the current folder names, displaced over the geometry given, its members coloured by
// their axial forces; the first solved case first, the others from the Case menu. The
// shell starts it with a TAB as its argument.
//   PlotterD <TAB> [/png <picture file>]   (the picture of the first solved case)
//   PlotterD --export csv|dxf|vtk <geometry file> <case> <file>   (the case, no window)

#include "case_export.h"
#include "displaced_view.h"
#include "viewer_arguments.h"
#include "viewer_program.h"
#include "win32_storage.h"

#include <windows.h>

namespace {

ombrix::OpenView openSolvedCases(const std::string&) {
    using namespace ombrix;
    auto solved = std::make_shared<const SolvedAnalysis>(openSolvedAnalysis(Win32Storage()));
    OpenView opened;
    opened.viewOfCase = [solved](int caseNumber) -> std::unique_ptr<View> {
        return std::make_unique<DisplacedView>(
            solved->analysis.model, readCaseResults(Win32Storage(), *solved, caseNumber));
    };
    opened.view = opened.viewOfCase(solved->cases.front().number);
    opened.name = fileNameOf(solved->analysis.geometryFile);
    opened.folder = folderOf(solved->analysis.geometryFile);
    opened.cases = solved->cases;
    opened.solved = solved;
    return opened;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (const std::optional<int> exitCode =
            ombrix::exportOnCommandLine({__argv + 1, __argv + __argc}))
        return *exitCode;
    return ombrix::runViewerProgram("PlotterD", openSolvedCases);
}
