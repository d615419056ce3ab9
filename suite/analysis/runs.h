// What Prepare, Forces and Solve do, from their arguments to the files they leave (the
// files and records of the hand-off are described in handoff/handoff.h):
//   Prepare first names the working folder of this geometry file in "work_dir.dat",
//     takes from it everything an earlier analysis prepared and leaves there the shared
//     parameters; then it reads and checks the geometry file, starts the output file with
//     the structure's report, and leaves the prepared model and its record.
//   Forces first removes the cases and results of the working folder; then, when the
//     analysis is prepared from the geometry file as it now stands, it reads the loading
//     file and writes "<k>.unf" for every case that can be solved (the others are
//     reported), and its record.
//   Solve solves each named case, when the cases were prepared by Forces for this
//     preparation from the loading file as it now stands: it writes "<k>.pth" a state at
//     a time along the case's path, then "<k>.res", and adds the case's report to the
//     output file, between a line naming the cases asked for and one naming those
//     reported, so that a run cut short shows as such.
// A failure is one message naming the file, the line and the reason, also added to the
// output file (unless that file is not an output file of the suite).
#pragma once

#include "solver.h"
#include "storage.h"

#include <functional>
#include <string>
#include <vector>

namespace ombrix {

struct RunProgress {
    double fraction = 0; // of the whole run
    int loadCase = -1;   // Solve: the case being solved, with where its solution stands
    SolverProgress solver;
};
// A progress report may throw RunCancelled to end the run where it stands: the step then
// keeps nothing half done.
using RunProgressReport = std::function<void(const RunProgress&)>;
struct RunCancelled {};

// The case under way and its load step, for a progress window: empty outside Solve's cases.
std::string caseProgressLine(const RunProgress& progress);

struct RunOutcome {
    int exitCode = 0;    // as handoff::ExitCode says
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
