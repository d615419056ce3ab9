// PlotterD's export without a window, for batch work:
//   PlotterD --export csv|dxf|vtk <geometry file> <case> <file to write>
// The case's results are taken only as the graph programs take them: from the geometry
// file's own working folder, solved from the analysis as it now stands.
#pragma once

#include "exports.h"

#include <optional>
#include <string>
#include <vector>

namespace ombrix {

struct ExportCommand {
    ExportFormat format = ExportFormat::Csv;
    std::string geometryFile;
    int loadCase = 0;
    std::string output;
};

// The command when the arguments (the program's name not among them) begin with
// "--export"; FileRefused saying how it is used when they do but do not fit.
std::optional<ExportCommand> exportCommand(const std::vector<std::string>& arguments);

// Writes the file, or throws FileRefused saying why it did not (and nothing is written).
void runExport(Storage& storage, const ExportCommand& command);

} // namespace ombrix
