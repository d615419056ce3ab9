#include "compound_files.h"

#include "checked_files.h"
#include "compound_map.h"
#include "input_error.h"
#include "parameters.h"
#include "viewer_arguments.h"

namespace ombrix {
namespace {

std::string withoutExtension(const std::string& path) {
    const std::string name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? path : path.substr(0, path.size() - name.size() + dot);
}

} // namespace

std::string mapFileOf(const std::string& geometryFile) {
    return withoutExtension(geometryFile) + ".map";
}

std::string partFileOf(const std::string& outputFile, int partNumber, const std::string& partFile) {
    return withoutExtension(outputFile) + "." + std::to_string(partNumber) + "." +
           fileNameOf(withoutExtension(partFile)) + ".txt";
}

Part readPart(const Storage& storage, const std::string& file, const Placement& placement) {
    return {file, placement, readModelFile(storage, file)};
}

CompoundTexts compoundTexts(const Compound& compound) {
    CompoundTexts texts{geometryFileText(compound.model), writeMap(compound.map)};
    try {
        readMap(texts.map, &compound.model);
    } catch (const InputError& error) {
        throw Refused(describe(Language::English, "the map", error.line(), error.problem()));
    }
    return texts;
}

std::vector<PartResults> splitSolvedAnalysis(const Storage& storage, const SolvedAnalysis& solved,
                                             const std::string& mapFile) {
    const Language language = solved.analysis.style.language;
    const Model& model = solved.analysis.model;
    const CompoundMap map = refusedAsFile([&] {
        const std::string text = readFile(storage, mapFile, language);
        return readInput(mapFile, text, language,
                         [&](std::string_view t) { return readMap(t, &model); });
    });
    std::vector<CaseResults> cases;
    for (const SolvedCase& solvedCase : solved.cases)
        cases.push_back(readCaseResults(storage, solved, solvedCase.number));
    return splitResults(map, model, cases);
}

std::vector<std::string> writePartFiles(Storage& storage, const std::string& outputFile,
                                        const std::vector<PartResults>& parts) {
    std::vector<std::string> written;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const int number = static_cast<int>(k) + 1;
        written.push_back(partFileOf(outputFile, number, parts[k].part.file));
        writeOutputFile(storage, written.back(), partResultsText(number, parts[k]));
    }
    return written;
}

} // namespace ombrix
