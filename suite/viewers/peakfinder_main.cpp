// PeakFinder (Max Processor): the peaks of every solved case of the analysis that
// "work_dir.dat" of the current folder names, and their envelope, in a table that can be
// copied and saved. The shell starts it with a TAB as its argument.
//   PeakFinder <TAB> [/csv <table file>]   (the table saved as CSV, no window)

#include "program_window.h"
#include "scripted_program.h"
#include "table_window.h"
#include "view_files.h"
#include "win32_storage.h"

#include <windows.h>

namespace {

using namespace ombrix;

PeakTable peakTableOf(const Storage& storage, const SolvedAnalysis& solved) {
    std::vector<CasePeaks> cases;
    for (const SolvedCase& solvedCase : solved.cases)
        cases.push_back(
            peaksOf(solved.analysis.model, readCaseResults(storage, solved, solvedCase.number)));
    return peakTable(cases);
}

void run(const ViewerArguments& arguments) {
    Win32Storage storage;
    const SolvedAnalysis solved = openSolvedAnalysis(storage);
    const PeakTable table = peakTableOf(storage, solved);
    if (!arguments.output.empty()) {
        writeOutputFile(storage, arguments.output, csvText(table));
        return;
    }
    const std::string name = fileNameOf(solved.analysis.geometryFile);
    showTableWindow({titleOf("PeakFinder") + " - " + name, table,
                     folderOf(solved.analysis.geometryFile),
                     name.substr(0, name.rfind('.')) + " peaks.csv"});
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return runScriptableProgram("PeakFinder", "/csv", run);
}
