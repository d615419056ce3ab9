// The files a graph program reads, each refused with one message naming the file and, for
// a damaged line, the line and the reason: the message the analysis programs give.
#pragma once

#include "loads.h"
#include "model.h"
#include "path_file.h"
#include "prepared_analysis.h"
#include "results_file.h"
#include "step_files.h"
#include "storage.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace ombrix {

class FileRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the analysis steps refuse, refused as a graph program refuses a file.
template <typename Take> auto refusedAsFile(Take take) {
    try {
        return take();
    } catch (const StepFailure& failure) {
        throw FileRefused(failure.message);
    }
}

// A geometry file, or the prepared model; the message names it by its full path.
Model readModelFile(const Storage& storage, const std::string& path);
// A loading file, likewise.
Loading readLoadingFile(const Storage& storage, const std::string& path);

// The analysis that "work_dir.dat" of the current folder names, with its prepared model,
// taken only as Forces takes it: when "Prepare.rec" shows it was prepared from the
// geometry file as it now stands.
PreparedAnalysis openPreparedAnalysis(const Storage& storage);

struct SolvedCase {
    int number = 0;
    bool converged = false;
};

// The analysis with its solved cases, taken as Solve takes the cases and, besides, only
// when every "<k>.res" of a prepared case k was solved from the load cases as now
// prepared: so that no picture or table mixes two preparations. Refused as well when no
// case is solved.
struct SolvedAnalysis {
    PreparedAnalysis analysis;
    std::string inputs;            // the digest of "Forces.rec" as it stands
    std::vector<SolvedCase> cases; // in case order
};
SolvedAnalysis openSolvedAnalysis(const Storage& storage);

// The analysis of the geometry file given, from its own working folder, taken as above;
// refused as well when that folder was prepared from another file.
SolvedAnalysis openSolvedAnalysisOf(const Storage& storage, const std::string& geometryFile);

// The solved case of that number, or FileRefused saying it is not solved.
const SolvedCase& solvedCase(const SolvedAnalysis& solved, int caseNumber);

// A solved case's results, and the states along its path, each read whole.
CaseResults readCaseResults(const Storage& storage, const SolvedAnalysis& solved, int caseNumber);
CasePath readCasePath(const Storage& storage, const SolvedAnalysis& solved, int caseNumber);

// Writes a file the user asked for from an analysis (an export, PeakFinder's table), or
// refuses saying why it cannot: never over its geometry or output file, or in its working
// folder.
void writeOutputFile(Storage& storage, const PreparedAnalysis& from, const std::string& path,
                     const std::string& text);

} // namespace ombrix
