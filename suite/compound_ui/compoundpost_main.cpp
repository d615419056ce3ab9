// CompoundPost (Compound Processor): the results of a solved compound split back into its
// parts by the map Compound saved beside it: each part's file written beside the output
// file, and every part's results shown in a table that can be copied and saved.
//   CompoundPost <TAB> [/csv <table file>]   (the map beside the geometry file; no window)

#include "compound_files.h"
#include "file_dialogs.h"
#include "program_window.h"
#include "progress_window.h"
#include "scripted_program.h"
#include "table_window.h"
#include "view_files.h"
#include "win32_storage.h"

#include <windows.h>

#include <commctrl.h>

#include <optional>

namespace {

using namespace ombrix;

const std::string title = titleOf("CompoundPost");

std::string writtenText(const std::string& outputFile, const std::vector<PartResults>& parts) {
    std::string text = "The results of each part are written beside " + outputFile + ":";
    for (std::size_t k = 0; k < parts.size(); ++k)
        text += "\n" + partFileOf(outputFile, static_cast<int>(k) + 1, parts[k].part.file);
    return text;
}

// The parts' results split and written with a progress window, or FileRefused; nothing
// when the user cancelled.
std::optional<std::vector<PartResults>>
splitShowingProgress(Storage& storage, const SolvedAnalysis& solved, const std::string& mapFile) {
    std::vector<PartResults> parts;
    std::optional<std::string> refusal; // told once, as every refusal of the program
    const int exitCode = runWithProgress(title.c_str(), [&](const RunProgressReport& report) {
        try {
            parts = splitSolvedAnalysis(storage, solved, mapFile, report);
            writePartFiles(storage, solved.analysis, parts);
        } catch (const FileRefused& refused) {
            refusal = refused.what();
        }
        return RunOutcome{};
    });
    if (refusal)
        throw FileRefused(*refusal);
    if (exitCode != 0)
        return std::nullopt;
    return parts;
}

void run(const ViewerArguments& arguments) {
    Win32Storage storage;
    const SolvedAnalysis solved = openSolvedAnalysis(storage);
    const std::string besideGeometry = mapFileOf(solved.analysis.geometryFile);
    std::string mapFile = besideGeometry;
    if (arguments.output.empty()) {
        const auto chosen = askOpenName(nullptr, "Compound map (*.map)\0*.map\0All files\0*.*\0",
                                        storage.read(besideGeometry, 1) ? besideGeometry : "");
        if (!chosen)
            return;
        mapFile = *chosen;
    }
    const std::string& outputFile = solved.analysis.outputFile;
    if (!arguments.output.empty()) {
        const std::vector<PartResults> parts = splitSolvedAnalysis(storage, solved, mapFile);
        writePartFiles(storage, solved.analysis, parts);
        writeOutputFile(storage, solved.analysis, arguments.output, csvText(partTable(parts)));
        return;
    }
    const auto parts = splitShowingProgress(storage, solved, mapFile);
    if (!parts)
        return;
    MessageBoxA(nullptr, writtenText(outputFile, *parts).c_str(), title.c_str(),
                MB_OK | MB_ICONINFORMATION);
    const std::string name = fileNameOf(mapFile);
    showTableWindow({title + " - " + name,
                     {{"Parts", partTable(*parts)}},
                     folderOf(outputFile),
                     name.substr(0, name.rfind('.')) + " parts.csv",
                     &solved.analysis,
                     {}});
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    return runScriptableProgram("CompoundPost", "/csv", run);
}
