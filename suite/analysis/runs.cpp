#include "runs.h"

#include "geometry.h"
#include "input_error.h"
#include "loading.h"
#include "reports.h"
#include "results.h"
#include "text_lines.h"

#include <charconv>
#include <map>
#include <set>

namespace ombrix {
namespace {

// Ends a run: the message is shown once and added to the output file.
struct RunFailure {
    std::string message;
};

[[noreturn]] void fail(std::string message) {
    throw RunFailure{std::move(message)};
}

std::string readFile(const Storage& storage, const std::string& path, Language language,
                     Message missing = Message::CannotRead, std::vector<std::string> values = {}) {
    std::optional<std::string> text = storage.read(path);
    if (!text)
        fail(describe(language, path, 0, {missing, std::move(values)}));
    return std::move(*text);
}

void writeFile(Storage& storage, const std::string& path, const std::string& text,
               Language language) {
    if (!storage.replace(path, text))
        fail(describe(language, path, 0, {Message::CannotWrite, {}}));
}

void appendFile(Storage& storage, const std::string& path, const std::string& text,
                Language language) {
    if (!storage.append(path, text))
        fail(describe(language, path, 0, {Message::CannotWrite, {}}));
}

template <typename Read>
auto readInput(const std::string& path, const std::string& text, Language language, Read read) {
    try {
        return read(text);
    } catch (const InputError& error) {
        fail(describe(language, path, error.line(), error.problem()));
    }
}

// "<k>.unf" or "<k>.res", k a case number.
bool isCaseFile(const std::string& name, std::string_view extension) {
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos || dot == 0 || std::string_view(name).substr(dot) != extension)
        return false;
    int number = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dot, number);
    return error == std::errc{} && end == name.data() + dot;
}

// Removes the results and the case files other than those of the cases kept.
void removeStaleCaseFiles(Storage& storage, const std::string& folder,
                          const std::set<std::string>& kept) {
    for (const std::string& name : storage.filesIn(folder))
        if ((isCaseFile(name, ".unf") && !kept.contains(name)) || isCaseFile(name, ".res"))
            storage.remove(storage.join(folder, name));
}

std::string caseFileName(int number, const char* extension) {
    return std::to_string(number) + extension;
}

RunOutcome failed(Storage& storage, const std::string& outputFile, Language language,
                  const std::string& message) {
    std::string text;
    for (std::size_t at = 0; at != std::string::npos;) {
        const std::size_t end = message.find('\n', at);
        text += say(language, Message::ErrorMark, {message.substr(at, end - at)}) + "\r\n";
        at = end == std::string::npos ? end : end + 1;
    }
    if (!outputFile.empty())
        storage.append(outputFile, text);
    return {1, message};
}

// What Prepare left for the other two programs.
struct Analysis {
    std::string folder;
    std::string outputFile;
    ReportStyle style;
    Model model;
};

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
    const std::vector<std::string> lines = linesOf(storage.read(workDirFile));
    return lines.empty() ? std::string() : lines[0].substr(0, lines[0].find_last_not_of(' ') + 1);
}

Analysis openAnalysis(const Storage& storage) {
    Analysis analysis;
    analysis.folder = workingFolder(storage);
    const std::vector<std::string> shared =
        analysis.folder.empty()
            ? std::vector<std::string>()
            : linesOf(storage.read(storage.join(analysis.folder, sharedParametersFile)));
    if (shared.size() < 4)
        fail(say(Language::English, Message::NoWorkingDirectory));
    analysis.outputFile = shared[1];
    analysis.style = {languageNamed(shared.back()), listTypeNamed(shared[2])};
    const std::string modelFile = storage.join(analysis.folder, preparedModelFile);
    analysis.model = readInput(modelFile, readFile(storage, modelFile, analysis.style.language),
                               analysis.style.language, readGeometry);
    return analysis;
}

void report(const RunProgressReport& progress, double fraction) {
    if (progress)
        progress({fraction, -1, {}});
}

} // namespace

RunOutcome prepareAnalysis(Storage& storage, const PrepareArguments& arguments,
                           const RunProgressReport& progress) {
    const ReportStyle style{languageNamed(arguments.language), listTypeNamed(arguments.listType)};
    const std::string outputFile = storage.fullPath(arguments.outputFile);
    try {
        const std::string geometryFile = storage.fullPath(arguments.geometryFile);
        const Model model = readInput(geometryFile, readFile(storage, geometryFile, style.language),
                                      style.language, readGeometry);
        report(progress, 0.5);
        writeFile(storage, outputFile, structureReport(model, geometryFile, style), style.language);
        const std::string folder = geometryFile + ".work";
        if (!storage.makeFolder(folder))
            fail(describe(style.language, folder, 0, {Message::CannotWrite, {}}));
        writeFile(storage, storage.join(folder, preparedModelFile), writeGeometry(model),
                  style.language);
        writeFile(storage, storage.join(folder, sharedParametersFile),
                  geometryFile + "\r\n" + outputFile + "\r\n" + arguments.listType + "\r\n" +
                      arguments.language + "\r\n",
                  style.language);
        removeStaleCaseFiles(storage, folder, {});
        writeFile(storage, workDirFile, folder + "\r\n", style.language);
        report(progress, 1);
        return {};
    } catch (const RunFailure& failure) {
        return failed(storage, outputFile, style.language, failure.message);
    }
}

RunOutcome prepareLoads(Storage& storage, const std::string& loadingFile,
                        const RunProgressReport& progress) {
    Analysis analysis;
    try {
        analysis = openAnalysis(storage);
        const Language language = analysis.style.language;
        const std::string path = storage.fullPath(loadingFile);
        const Loading loading =
            readInput(path, readFile(storage, path, language), language, readLoading);
        report(progress, 0.5);
        std::map<int, std::string> unusable;
        std::string failures;
        std::set<std::string> written;
        for (const LoadCase& loadCase : loading.cases) {
            if (const std::optional<CaseProblem> problem = problemOf(loadCase, analysis.model)) {
                unusable[loadCase.number] =
                    say(language, problem->problem.reason, problem->problem.values);
                failures += "\n" + describe(language, path, problem->line, problem->problem);
                continue;
            }
            const std::string name = caseFileName(loadCase.number, ".unf");
            writeFile(storage, storage.join(analysis.folder, name), writeCase(loadCase), language);
            written.insert(name);
        }
        removeStaleCaseFiles(storage, analysis.folder, written);
        appendFile(storage, analysis.outputFile,
                   loadingReport(loading, path, unusable, analysis.style), language);
        report(progress, 1);
        if (!failures.empty())
            fail(say(language, Message::CasesNotUsable) + failures);
        return {};
    } catch (const RunFailure& failure) {
        return failed(storage, analysis.outputFile, analysis.style.language, failure.message);
    }
}

namespace {

int caseNumberIn(const std::string& label, Language language) {
    int number = -1;
    const auto [end, error] = std::from_chars(label.data(), label.data() + label.size(), number);
    if (error != std::errc{} || end != label.data() + label.size() || number < 0 ||
        number > mostCases)
        fail(say(language, Message::CaseLabelNotKnown, {label}));
    return number;
}

const char* axisName(int axis) {
    return axis == 0 ? "x" : axis == 1 ? "y" : "z";
}

std::string solutionProblem(const std::string& caseFile, const LoadCase& loadCase,
                            const Solution& solution, Language language) {
    const std::string number = showInteger(loadCase.number);
    if (solution.status == SolutionStatus::Mechanism)
        return describe(
            language, caseFile, 0,
            {Message::Mechanism,
             {number, showInteger(solution.mechanismNode + 1), axisName(solution.mechanismAxis)}});
    if (solution.status == SolutionStatus::Unbalanced)
        return describe(language, caseFile, 0, {Message::Unbalanced, {number}});
    if (solution.endsAtCriticalPoint())
        return describe(language, caseFile, 0,
                        {Message::Unstable,
                         {number, showNumber(solution.loadFactor),
                          criticalPointName(solution.criticalPoint, language)}});
    return describe(language, caseFile, 0,
                    {Message::NotConverged, {number, showNumber(solution.loadFactor)}});
}

// Solves one case and reports it; the reason when it could not be solved (or RunFailure).
std::string solveCase(Storage& storage, const Analysis& analysis, int number,
                      const ProgressReport& progress) {
    const Language language = analysis.style.language;
    const std::string caseFile = storage.join(analysis.folder, caseFileName(number, ".unf"));
    const std::string text =
        readFile(storage, caseFile, language, Message::CaseNotPrepared, {showInteger(number)});
    const LoadCase loadCase = readInput(caseFile, text, language,
                                        [&](std::string_view t) { return readCase(t, number); });
    if (const std::optional<CaseProblem> problem = problemOf(loadCase, analysis.model))
        return describe(language, caseFile, problem->line, problem->problem);
    const Solution solution = solve(analysis.model, loadCase, progress);
    writeFile(storage, storage.join(analysis.folder, caseFileName(number, ".res")),
              writeResults(number, analysis.model, solution), language);
    appendFile(storage, analysis.outputFile,
               caseReport(analysis.model, loadCase, solution, analysis.style), language);
    return solution.status == SolutionStatus::Converged
               ? std::string()
               : solutionProblem(caseFile, loadCase, solution, language);
}

} // namespace

RunOutcome solveLoadCases(Storage& storage, const std::vector<std::string>& caseLabels,
                          const RunProgressReport& progress) {
    Analysis analysis;
    try {
        analysis = openAnalysis(storage);
        std::vector<int> numbers;
        numbers.reserve(caseLabels.size());
        for (const std::string& label : caseLabels)
            numbers.push_back(caseNumberIn(label, analysis.style.language));
        if (numbers.empty())
            fail(say(analysis.style.language, Message::Usage, {"Solve <case> ..."}));
        std::string failures;
        for (std::size_t k = 0; k < numbers.size(); ++k) {
            std::string problem;
            try {
                problem =
                    solveCase(storage, analysis, numbers[k], [&](const SolverProgress& solver) {
                        if (progress)
                            progress({(static_cast<double>(k) + solver.loadFactor) /
                                          static_cast<double>(numbers.size()),
                                      numbers[k], solver});
                    });
            } catch (const RunFailure& failure) {
                problem = failure.message;
            }
            if (!problem.empty())
                failures += (failures.empty() ? "" : "\n") + problem;
        }
        if (!failures.empty())
            fail(failures);
        return {};
    } catch (const RunFailure& failure) {
        return failed(storage, analysis.outputFile, analysis.style.language, failure.message);
    }
}

} // namespace ombrix
