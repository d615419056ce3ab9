#include "compound_files.h"

#include "checked_files.h"
#include "compound_map.h"
#include "geometry.h"
#include "handoff/records.h"
#include "input_error.h"
#include "parameters.h"
#include "step_files.h"
#include "viewer_arguments.h"

namespace ombrix {
namespace {

std::string withoutExtension(const std::string& path) {
    const std::string name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? path : path.substr(0, path.size() - name.size() + dot);
}

FileMark markOf(std::string_view bytes) {
    return {bytes.size(), handoff::digestOf(bytes), {}};
}

bool holds(const std::optional<std::string>& bytes, const FileMark& mark) {
    return bytes && bytes->size() == mark.size && handoff::digestOf(*bytes) == mark.digest;
}

std::string writeRefusal(const std::string& path, Written written) {
    try {
        failToWrite(path, written, Language::English);
    } catch (const StepFailure& failure) {
        return failure.message;
    }
}

// The map is of the analysis's geometry file, and each part's file is as it was joined.
void checkMarks(const Storage& storage, const SolvedAnalysis& solved, const std::string& mapFile,
                const CompoundMap& map) {
    const std::string& geometryFile = solved.analysis.geometryFile;
    if (map.compound && !holds(storage.read(geometryFile), *map.compound))
        throw FileRefused(mapFile + " was not saved with " + geometryFile +
                          " as it now stands: choose the map saved with it, or join the parts "
                          "again");
    for (const CompoundMap::PartEntry& part : map.parts)
        if (part.source && !holds(storage.read(part.file), *part.source))
            throw FileRefused(part.file + " has changed since Compound joined it: join again");
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
    const std::string path = storage.fullPath(file).value_or(file);
    return refusedAsFile([&] {
        const std::string text = readFile(storage, path, Language::English);
        return Part{file, placement, readInput(path, text, Language::English, readGeometry),
                    markOf(text)};
    });
}

CompoundTexts compoundTexts(const Compound& compound) {
    CompoundMap map = compound.map;
    CompoundTexts texts{geometryFileText(compound.model), {}};
    map.compound = markOf(texts.geometry);
    texts.map = writeMap(map);
    try {
        readMap(texts.map, &compound.model);
    } catch (const InputError& error) {
        throw Refused(describe(Language::English, "the map", error.line(), error.problem()));
    }
    return texts;
}

void saveCompound(Storage& storage, const std::string& geometryFile, const CompoundTexts& texts) {
    const std::string mapFile = mapFileOf(geometryFile);
    const std::optional<std::string> oldMap = storage.read(mapFile);
    if (const Written written = storage.replace(mapFile, texts.map); !written)
        throw Refused(writeRefusal(mapFile, written) + "\nNothing was saved: " + geometryFile +
                      " is as it was.");
    if (const Written written = storage.replace(geometryFile, texts.geometry); !written) {
        const bool restored =
            oldMap ? static_cast<bool>(storage.replace(mapFile, *oldMap)) : storage.remove(mapFile);
        throw Refused(writeRefusal(geometryFile, written) +
                      (restored ? "\nNothing was saved: " + mapFile + " is as it was."
                                : "\n" + mapFile +
                                      " could not be put back: CompoundPost will "
                                      "refuse it until the parts are joined again."));
    }
}

std::vector<PartResults> splitSolvedAnalysis(const Storage& storage, const SolvedAnalysis& solved,
                                             const std::string& mapFile,
                                             const RunProgressReport& progress) {
    const Language language = solved.analysis.style.language;
    const Model& model = solved.analysis.model;
    const CompoundMap map = refusedAsFile([&] {
        const std::string text = readFile(storage, mapFile, language);
        return readInput(mapFile, text, language,
                         [&](std::string_view t) { return readMap(t, &model); });
    });
    checkMarks(storage, solved, mapFile, map);
    std::vector<CaseResults> cases;
    for (const SolvedCase& solvedCase : solved.cases) {
        cases.push_back(readCaseResults(storage, solved, solvedCase.number));
        if (progress)
            progress({static_cast<double>(cases.size()) / (solved.cases.size() + 1), -1, {}});
    }
    return splitResults(map, model, cases);
}

std::vector<std::string> writePartFiles(Storage& storage, const PreparedAnalysis& analysis,
                                        const std::vector<PartResults>& parts) {
    std::vector<std::string> written;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const int number = static_cast<int>(k) + 1;
        written.push_back(partFileOf(analysis.outputFile, number, parts[k].part.file));
        writeOutputFile(storage, analysis, written.back(), partResultsText(number, parts[k]));
    }
    return written;
}

} // namespace ombrix
