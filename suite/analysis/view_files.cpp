#include "view_files.h"

#include "geometry.h"
#include "handoff/handoff.h"
#include "input_error.h"
#include "loading.h"
#include "step_files.h"

namespace ombrix {
namespace {

// Enough of a results file for its head: the lines before the nodes'.
constexpr std::size_t headBytes = 4096;

std::string resultsFileOf(const Storage& storage, const SolvedAnalysis& solved, int caseNumber) {
    return storage.join(solved.analysis.folder, handoff::resultFileName(caseNumber));
}

// The head in the text's whole lines, or nothing when they do not hold it all.
std::optional<CaseResults> headIn(std::string_view text, const ResultsOrigin& origin) {
    try {
        return readResultsHead(text.substr(0, text.find_last_of("\r\n") + 1), origin);
    } catch (const InputError&) {
        return std::nullopt;
    }
}

// The head of the case's results file, when there is one: from its first bytes, or from
// the whole file when they do not hold it (comments and all) or it is refused.
std::optional<CaseResults> resultsHead(const Storage& storage, const SolvedAnalysis& solved,
                                       int caseNumber) {
    const std::string file = resultsFileOf(storage, solved, caseNumber);
    std::optional<std::string> text = storage.read(file, headBytes);
    if (!text)
        return std::nullopt;
    const ResultsOrigin origin{caseNumber, solved.inputs};
    if (text->size() == headBytes) {
        if (std::optional<CaseResults> head = headIn(*text, origin))
            return head;
        text = storage.read(file);
    }
    return refusedAsFile([&] {
        return readInput(file, text.value_or(""), solved.analysis.style.language,
                         [&](std::string_view t) { return readResultsHead(t, origin); });
    });
}

} // namespace

namespace {

template <typename Read>
auto readNamedFile(const Storage& storage, const std::string& path, Read read) {
    const std::string file = storage.fullPath(path).value_or(path);
    return refusedAsFile([&] {
        const std::string text = readFile(storage, file, Language::English);
        return readInput(file, text, Language::English, read);
    });
}

} // namespace

Model readModelFile(const Storage& storage, const std::string& path) {
    return readNamedFile(storage, path, readGeometry);
}

Loading readLoadingFile(const Storage& storage, const std::string& path) {
    return readNamedFile(storage, path, readLoading);
}

PreparedAnalysis openPreparedAnalysis(const Storage& storage) {
    return refusedAsFile([&] {
        PreparedAnalysis analysis = openWorkingFolder(storage);
        takePreparedModel(storage, analysis);
        return analysis;
    });
}

namespace {

PreparedAnalysis openPreparedAnalysisOf(const Storage& storage, const std::string& geometryFile) {
    const std::string geometry = storage.fullPath(geometryFile).value_or(geometryFile);
    return refusedAsFile([&] {
        PreparedAnalysis analysis =
            openWorkingFolder(storage, geometry + std::string(handoff::workingFolderSuffix));
        if (!namesOneFile(storage, analysis.geometryFile, geometry))
            fail(say(analysis.style.language, Message::NotPrepared, {geometry}));
        takePreparedModel(storage, analysis);
        return analysis;
    });
}

// The analysis prepared, with the cases whose results were solved from its load cases.
SolvedAnalysis solvedCasesOf(const Storage& storage, PreparedAnalysis analysis) {
    SolvedAnalysis solved;
    solved.analysis = std::move(analysis);
    const PreparedLoads loads =
        refusedAsFile([&] { return takePreparedLoads(storage, solved.analysis); });
    solved.inputs = handoff::digestText(handoff::digestOf(loads.recordText));
    for (int k = 0; k <= handoff::highestCaseNumber; ++k)
        if (preparedCase(loads, k))
            if (const std::optional<CaseResults> head = resultsHead(storage, solved, k))
                solved.cases.push_back({k, head->converged});
    if (solved.cases.empty())
        throw FileRefused(describe(solved.analysis.style.language, solved.analysis.folder, 0,
                                   {Message::NoCaseSolved, {}}));
    return solved;
}

} // namespace

SolvedAnalysis openSolvedAnalysis(const Storage& storage) {
    return solvedCasesOf(storage, openPreparedAnalysis(storage));
}

SolvedAnalysis openSolvedAnalysisOf(const Storage& storage, const std::string& geometryFile) {
    return solvedCasesOf(storage, openPreparedAnalysisOf(storage, geometryFile));
}

const SolvedCase& solvedCase(const SolvedAnalysis& solved, int caseNumber) {
    for (const SolvedCase& solvedCase : solved.cases)
        if (solvedCase.number == caseNumber)
            return solvedCase;
    throw FileRefused(
        say(solved.analysis.style.language, Message::CaseNotSolved, {std::to_string(caseNumber)}));
}

namespace {

// A file of the case that Solve left, read whole by `read` (text, model, origin).
template <typename Read>
auto readCaseFile(const Storage& storage, const SolvedAnalysis& solved, int caseNumber,
                  const std::string& name, Read read) {
    const std::string file = storage.join(solved.analysis.folder, name);
    const Language language = solved.analysis.style.language;
    return refusedAsFile([&] {
        const std::string text = readFile(storage, file, language);
        return readInput(file, text, language, [&](std::string_view t) {
            return read(t, solved.analysis.model, ResultsOrigin{caseNumber, solved.inputs});
        });
    });
}

} // namespace

CaseResults readCaseResults(const Storage& storage, const SolvedAnalysis& solved, int caseNumber) {
    return readCaseFile(storage, solved, caseNumber, handoff::resultFileName(caseNumber),
                        [](std::string_view text, const Model& model, const ResultsOrigin& origin) {
                            return readResults(text, model, origin);
                        });
}

CasePath readCasePath(const Storage& storage, const SolvedAnalysis& solved, int caseNumber) {
    return readCaseFile(storage, solved, caseNumber, handoff::pathFileName(caseNumber), readPath);
}

void writeOutputFile(Storage& storage, const PreparedAnalysis& from, const std::string& path,
                     const std::string& text) {
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    for (const std::string& own :
         {from.geometryFile, from.outputFile, storage.join(from.folder, name)})
        if (namesOneFile(storage, path, own))
            throw FileRefused(path + " is a file of the analysis it comes from: name another file");
    refusedAsFile([&] { writeFile(storage, path, text, Language::English); });
}

} // namespace ombrix
