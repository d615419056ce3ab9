// What Prepare, Forces and Solve do, from their arguments to the files they leave:
//   Prepare reads and checks the geometry file, starts the output file with the
//     structure's report, makes the analysis's working folder beside the geometry file
//     ("<geometry file>.work"), leaves there the prepared model "Model.dat" and
//     "Comomb.dat" (geometry file, output file, list type, language: the last line),
//     removes the case files of an earlier analysis and names the folder in
//     "work_dir.dat" in the current folder.
//   Forces reads the loading file and writes "<k>.unf" for every case that can be
//     solved; the others are reported. Earlier case files and results are removed.
//   Solve solves each named case, writes "<k>.res" and adds the case's report to the
//     output file.
// Every input is read and checked before anything is written, and every file is replaced
// whole, so that a failed run loses nothing already in the working folder. A failure is
// one message naming the file, the line and the reason, also added to the output file.
#pragma once

#include "solver.h"
#include "storage.h"

#include <functional>
#include <string>
#include <vector>

namespace ombrix {

inline constexpr const char* workDirFile = "work_dir.dat";
inline constexpr const char* sharedParametersFile = "Comomb.dat";
inline constexpr const char* preparedModelFile = "Model.dat";

struct RunProgress {
    double fraction = 0; // of the whole run
    int loadCase = -1;   // Solve: the case being solved, with where its solution stands
    SolverProgress solver;
};
using RunProgressReport = std::function<void(const RunProgress&)>;

struct RunOutcome {
    int exitCode = 0;
    std::string failure; // lines separated by '\n'; empty when all went well
};

struct PrepareArguments {
    std::string geometryFile;
    std::string outputFile;
    std::string listType; // "Short" or "Complete"
    std::string language; // "English" or "Romanian"
};

RunOutcome prepareAnalysis(Storage& storage, const PrepareArguments& arguments,
                           const RunProgressReport& progress = {});
RunOutcome prepareLoads(Storage& storage, const std::string& loadingFile,
                        const RunProgressReport& progress = {});
RunOutcome solveLoadCases(Storage& storage, const std::vector<std::string>& caseLabels,
                          const RunProgressReport& progress = {});

} // namespace ombrix
