#include "case_export.h"

#include "export_command.h"
#include "file_dialogs.h"
#include "program_window.h"
#include "scripted_program.h"
#include "win32_storage.h"

namespace ombrix {
namespace {

// In the order of the Save dialog's types.
constexpr ExportFormat dialogTypes[] = {ExportFormat::Csv, ExportFormat::Dxf, ExportFormat::Vtk};
constexpr char dialogFilter[] =
    "CSV table (*.csv)\0*.csv\0DXF drawing (*.dxf)\0*.dxf\0VTK mesh (*.vtk)\0*.vtk\0";

// The format the file's extension names, else that of the type chosen in the dialog.
ExportFormat formatOf(const FileToSave& file) {
    const std::size_t dot = file.path.rfind('.');
    const std::optional<ExportFormat> named =
        dot == std::string::npos ? std::nullopt : exportFormatNamed(file.path.substr(dot + 1));
    return named.value_or(dialogTypes[file.type < std::size(dialogTypes) ? file.type : 0]);
}

} // namespace

void exportCaseAs(HWND owner, const std::string& title, const SolvedAnalysis& solved,
                  int caseNumber) {
    const std::string name = fileNameOf(solved.analysis.geometryFile);
    const std::optional<FileToSave> file = askFileAndTypeToSave(
        owner, name.substr(0, name.rfind('.')) + " case " + std::to_string(caseNumber) + ".csv",
        folderOf(solved.analysis.geometryFile), dialogFilter, "csv");
    if (!file)
        return;
    try {
        Win32Storage storage;
        writeExport(storage, solved, caseNumber, formatOf(*file), file->path);
    } catch (const FileRefused& refused) {
        tellProblem(owner, title, refused.what());
    }
}

std::optional<int> exportOnCommandLine(const std::vector<std::string>& arguments) {
    try {
        const std::optional<ExportCommand> command = exportCommand(arguments);
        if (!command)
            return std::nullopt;
        Win32Storage storage;
        runExport(storage, *command);
        return 0;
    } catch (const FileRefused& refused) {
        writeErrorLine(refused.what());
        return 1;
    }
}

} // namespace ombrix
