// PeakFinder (Max Processor): the peaks of every solved case of the analysis that
// "work_dir.dat" of the current folder names and their envelope, and the envelope of each
// member and each node over the cases, in tables that can be copied and saved; the case of
// the row chosen exported. The shell starts it with a TAB as its argument.
//   PeakFinder <TAB> [/csv <table file>]   (the tables saved as CSV, no window)

#include "case_export.h"
#include "program_window.h"
#include "scripted_program.h"
#include "table_window.h"
#include "view_files.h"
#include "win32_storage.h"

#include <windows.h>

namespace {

using namespace ombrix;

std::vector<TableSheet> peakSheets(const Storage& storage, const SolvedAnalysis& solved) {
    const Model& model = solved.analysis.model;
    std::vector<CasePeaks> cases;
    ItemEnvelopes envelopes;
    for (const SolvedCase& solvedCase : solved.cases) {
        const CaseResults results = readCaseResults(storage, solved, solvedCase.number);
        cases.push_back(peaksOf(model, results));
        addToEnvelopes(envelopes, model, results);
    }
    return {{"&Cases and their envelope", peakTable(cases), true},
            {"&Members' envelope", memberEnvelopeTable(envelopes)},
            {"&Nodes' envelope", nodeEnvelopeTable(envelopes)}};
}

void run(const ViewerArguments& arguments) {
    Win32Storage storage;
    const SolvedAnalysis solved = openSolvedAnalysis(storage);
    const std::vector<TableSheet> sheets = peakSheets(storage, solved);
    if (!arguments.output.empty()) {
        writeOutputFile(storage, solved.analysis, arguments.output, csvTextOf(sheets));
        return;
    }
    const std::string title = titleOf("PeakFinder");
    const std::string name = fileNameOf(solved.analysis.geometryFile);
    // A row of a case exports that case; the envelope's row, or none, the first.
    const auto exportRow = [&](HWND owner, std::optional<std::size_t> row) {
        const std::size_t index = row && *row < solved.cases.size() ? *row : 0;
        exportCaseAs(owner, title, solved, solved.cases[index].number);
    };
    showTableWindow({title + " - " + name, sheets, folderOf(solved.analysis.geometryFile),
                     name.substr(0, name.rfind('.')) + " peaks.csv", &solved.analysis, exportRow});
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return runScriptableProgram("PeakFinder", "/csv", run);
}
