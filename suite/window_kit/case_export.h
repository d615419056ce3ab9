// A solved case exported as CSV, DXF or VTK: from the Export item of PlotterD's and
// PeakFinder's File menu, and from PlotterD's command line for batch work.
#pragma once

#include "view_files.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace ombrix {

// Asks in the Save dialog where, and as which type, to write the case, offering
// "<geometry> case <k>.csv" beside the geometry file; writes it, or tells why it could not.
void exportCaseAs(HWND owner, const std::string& title, const SolvedAnalysis& solved,
                  int caseNumber);

// The exit code of the export that the arguments (the program's name not among them) ask
// for, when they ask one: 0 when the file is written, 1 with the reason on standard error.
std::optional<int> exportOnCommandLine(const std::vector<std::string>& arguments);

} // namespace ombrix
