// CompoundPost (Compound Processor): the results of a solved compound split back into its
// parts by the map Compound saved beside it: each part's file written beside the output
// file, and every part's results shown in a table that can be copied and saved.
//   CompoundPost <TAB> [/csv <table file>]   (the map beside the geometry file; no window)

#include "compound_files.h"
#include "creator_window.h"
#include "peaks_window.h"
#include "viewer_program.h"
#include "win32_storage.h"

#include <windows.h>

#include <commctrl.h>

namespace {

using namespace ombrix;

const std::string title = titleOf("CompoundPost");

std::string writtenText(const std::string& outputFile, const std::vector<std::string>& written) {
    std::string text = "The results of each part are written beside " + outputFile + ":";
    for (const std::string& file : written)
        text += "\n" + file;
    return text;
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
    const std::vector<PartResults> parts = splitSolvedAnalysis(storage, solved, mapFile);
    const std::string& outputFile = solved.analysis.outputFile;
    const std::vector<std::string> written = writePartFiles(storage, outputFile, parts);
    if (!arguments.output.empty()) {
        writeOutputFile(storage, arguments.output, csvText(partTable(parts)));
        return;
    }
    MessageBoxA(nullptr, writtenText(outputFile, written).c_str(), title.c_str(),
                MB_OK | MB_ICONINFORMATION);
    const std::string name = fileNameOf(mapFile);
    showPeakWindow({title + " - " + name, partTable(parts), folderOf(outputFile),
                    name.substr(0, name.rfind('.')) + " parts.csv", false});
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    return runGraphProgram("CompoundPost", "/csv", run);
}
