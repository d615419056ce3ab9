#include "prepared_analysis.h"

#include "geometry.h"
#include "handoff/handoff.h"
#include "step_files.h"
#include "text_lines.h"

namespace ombrix {
namespace {

constexpr const char* newLine = "\r\n";

// The entries of the records.
constexpr const char* geometryEntry = "geometry";
constexpr const char* modelEntry = "model";
constexpr const char* outputEntry = "output";
constexpr const char* preparedEntry = "prepared";
constexpr const char* loadingEntry = "loading";

std::string caseEntry(int caseNumber) {
    return "case " + std::to_string(caseNumber);
}

// No analysis to take: the file that should have named it is missing, or ends before the
// line (counted from 1; 0 for a missing file).
[[noreturn]] void failUnprepared(const std::string& file, int line) {
    fail(describe(Language::English, file, line, {Message::NoWorkingDirectory, {}}));
}

std::vector<std::string> linesOf(const std::optional<std::string>& text) {
    std::vector<std::string> lines;
    if (!text)
        return lines;
    for (LineCursor cursor(*text); const std::optional<TextLine> line = cursor.nextLine();)
        lines.emplace_back(line->text);
    return lines;
}

// The first line of "work_dir.dat", without the trailing blanks that the shell ignores too.
std::string workingFolder(const Storage& storage) {
    const std::string file(handoff::workDirFile);
    const std::vector<std::string> lines = linesOf(storage.read(file));
    if (lines.empty() || lines[0].find_first_not_of(' ') == std::string::npos)
        failUnprepared(storage.fullPath(file).value_or(file), 0);
    return lines[0].substr(0, lines[0].find_last_not_of(' ') + 1);
}

std::string inFolder(const Storage& storage, const PreparedAnalysis& analysis,
                     std::string_view name) {
    return storage.join(analysis.folder, std::string(name));
}

std::optional<handoff::Record> recordIn(const std::optional<std::string>& text) {
    return text ? handoff::readRecord(*text) : std::nullopt;
}

[[noreturn]] void failChanged(const PreparedAnalysis& analysis, const std::string& file,
                              const char* step) {
    fail(say(analysis.style.language, Message::ChangedSince, {file, step, step}));
}

// The file the stamp names, still as it was stamped.
void expectUnchanged(const Storage& storage, const PreparedAnalysis& analysis,
                     const handoff::FileStamp& stamp, const char* step) {
    const std::optional<std::string> contents = storage.read(stamp.path);
    if (!contents || !matches(stamp, *contents))
        failChanged(analysis, stamp.path, step);
}

} // namespace

bool matches(const handoff::FileStamp& stamp, std::string_view contents) {
    return stamp.size == contents.size() && stamp.digest == handoff::digestOf(contents);
}

const handoff::FileStamp* preparedCase(const PreparedLoads& loads, int caseNumber) {
    return loads.record.find(caseEntry(caseNumber));
}

std::string workDirText(const std::string& folder) {
    return folder + newLine;
}

std::string sharedParametersText(const SharedParameters& parameters) {
    return parameters.geometryFile + newLine + parameters.outputFile + newLine +
           parameters.listType + newLine + parameters.language + newLine;
}

std::string preparedRecordText(const handoff::FileStamp& geometry, const handoff::FileStamp& model,
                               const std::string& outputFile) {
    handoff::Record record;
    record.add(geometryEntry, geometry);
    record.add(modelEntry, model);
    record.add(outputEntry, {outputFile, 0, 0});
    return handoff::writeRecord(record);
}

handoff::Record loadsRecord(const PreparedAnalysis& analysis, handoff::FileStamp loading) {
    handoff::Record record;
    record.add(preparedEntry,
               handoff::stampOf(std::string(handoff::preparedRecordFile), analysis.preparedRecord));
    record.add(loadingEntry, std::move(loading));
    return record;
}

void addPreparedCase(handoff::Record& record, int caseNumber, handoff::FileStamp caseFile) {
    record.add(caseEntry(caseNumber), std::move(caseFile));
}

PreparedAnalysis openWorkingFolder(const Storage& storage) {
    return openWorkingFolder(storage, workingFolder(storage));
}

PreparedAnalysis openWorkingFolder(const Storage& storage, const std::string& folder) {
    PreparedAnalysis analysis;
    analysis.folder = folder;
    const std::string sharedFile = inFolder(storage, analysis, handoff::sharedParametersFile);
    const std::optional<std::string> sharedText = storage.read(sharedFile);
    const std::vector<std::string> shared = linesOf(sharedText);
    if (shared.size() < 4)
        failUnprepared(sharedFile, sharedText ? static_cast<int>(shared.size()) + 1 : 0);
    analysis.geometryFile = shared[0];
    analysis.outputFile = shared[1];
    analysis.style = {languageNamed(shared.back()), listTypeNamed(shared[2])};
    return analysis;
}

void takePreparedModel(const Storage& storage, PreparedAnalysis& analysis) {
    const Language language = analysis.style.language;
    const std::optional<std::string> text =
        storage.read(inFolder(storage, analysis, handoff::preparedRecordFile));
    const std::optional<handoff::Record> record = recordIn(text);
    const handoff::FileStamp* geometry = record ? record->find(geometryEntry) : nullptr;
    const handoff::FileStamp* model = record ? record->find(modelEntry) : nullptr;
    if (!geometry || !model)
        fail(say(language, Message::NotPrepared, {analysis.geometryFile}));
    expectUnchanged(storage, analysis, *geometry, "INPUT");
    const std::string modelFile = inFolder(storage, analysis, handoff::preparedModelFile);
    const std::string modelText = readFile(storage, modelFile, language);
    if (!matches(*model, modelText))
        failChanged(analysis, modelFile, "INPUT");
    analysis.model = readInput(modelFile, modelText, language, readGeometry);
    analysis.preparedRecord = *text;
}

PreparedLoads takePreparedLoads(const Storage& storage, const PreparedAnalysis& analysis) {
    const std::optional<std::string> text =
        storage.read(inFolder(storage, analysis, handoff::loadsRecordFile));
    const std::optional<handoff::Record> record = recordIn(text);
    const handoff::FileStamp* prepared = record ? record->find(preparedEntry) : nullptr;
    const handoff::FileStamp* loading = record ? record->find(loadingEntry) : nullptr;
    if (!prepared || !loading || !matches(*prepared, analysis.preparedRecord))
        fail(say(analysis.style.language, Message::LoadsNotPrepared));
    expectUnchanged(storage, analysis, *loading, "INCARC");
    return {*record, *text};
}

} // namespace ombrix
