// Charts (Diagrams): a solved case of the analysis that "work_dir.dat" of the current
// folder names, as charts: the load-displacement path of a node, from the node that moved
// farthest on, and the axial forces of all its members as bars; the first solved case
// first, the others from the Case menu. The shell starts it with a TAB as its argument.
//   Charts <TAB> [/png <picture file>]   (both charts of the first solved case)

#include "charts_window.h"
#include "program_window.h"
#include "scripted_program.h"
#include "viewer_program.h"
#include "win32_storage.h"

#include <windows.h>

#include <memory>

namespace {

using namespace ombrix;

void savePicture(const CaseCharts& charts, const std::string& path) {
    Raster picture(scriptPictureWidth, scriptPictureHeight, paper);
    drawChartsAnew(picture, charts, firstOptions(charts.path, ChartLayout::Both, 1));
    writePicture(picture, path);
}

void run(const ViewerArguments& arguments) {
    auto solved = std::make_shared<const SolvedAnalysis>(openSolvedAnalysis(Win32Storage()));
    CaseCharts first = readCaseCharts(Win32Storage(), *solved, solved->cases.front().number);
    if (!arguments.output.empty()) {
        savePicture(first, arguments.output);
        return;
    }
    showChartsWindow(
        {titleOf("Charts"), fileNameOf(solved->analysis.geometryFile),
         folderOf(solved->analysis.geometryFile), solved->cases,
         [solved](int caseNumber) { return readCaseCharts(Win32Storage(), *solved, caseNumber); },
         std::move(first)});
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return runScriptableProgram("Charts", "/png", run);
}
