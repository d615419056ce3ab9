#include "export_command.h"

#include "handoff/handoff.h"

#include <charconv>

namespace ombrix {
namespace {

constexpr const char* usage =
    "usage: PlotterD --export csv|dxf|vtk <geometry file> <case> <file to write>";

std::optional<int> caseNumberIn(const std::string& text) {
    int number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 0 ||
        number > handoff::highestCaseNumber)
        return std::nullopt;
    return number;
}

} // namespace

std::optional<ExportCommand> exportCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments[0] != "--export")
        return std::nullopt;
    const std::optional<ExportFormat> format =
        arguments.size() == 5 ? exportFormatNamed(arguments[1]) : std::nullopt;
    const std::optional<int> loadCase =
        arguments.size() == 5 ? caseNumberIn(arguments[3]) : std::nullopt;
    if (!format || !loadCase)
        throw FileRefused(usage);
    return ExportCommand{*format, arguments[2], *loadCase, arguments[4]};
}

void runExport(Storage& storage, const ExportCommand& command) {
    const SolvedAnalysis solved = openSolvedAnalysisOf(storage, command.geometryFile);
    writeExport(storage, solved, command.loadCase, command.format, command.output);
}

} // namespace ombrix
