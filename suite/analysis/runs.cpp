#include "runs.h"

#include "geometry.h"
#include "handoff/handoff.h"
#include "loading.h"
#include "numbers.h"
#include "path_file.h"
#include "prepared_analysis.h"
#include "reports.h"
#include "results_file.h"
#include "step_files.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <utility>
#include <variant>

namespace ombrix {
namespace {

constexpr const char* newLine = "\r\n";

void report(const RunProgressReport& progress, double fraction) {
    if (progress)
        progress({fraction, -1, {}});
}

// "<k>.unf", "<k>.res" or "<k>.pth", k a case number.
bool isCaseFile(const std::string& name) {
    const std::size_t dot = name.find('.');
    const std::string_view extension = std::string_view(name).substr(dot + 1);
    if (dot == std::string::npos || dot == 0 ||
        (extension != "unf" && extension != "res" && extension != "pth"))
        return false;
    int number = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dot, number);
    return error == std::errc{} && end == name.data() + dot;
}

// Removes what Forces and Solve made in the folder: the record of the loads first, then the
// case and results files. False when the record stays.
bool removeLoads(Storage& storage, const std::string& folder) {
    const bool removed =
        storage.remove(storage.join(folder, std::string(handoff::loadsRecordFile)));
    for (const std::string& name : storage.filesIn(folder))
        if (isCaseFile(name))
            storage.remove(storage.join(folder, name));
    return removed;
}

// Nothing that Forces and Solve made in the folder can be taken after this, or the step ends.
void clearLoads(Storage& storage, const std::string& folder, Language language) {
    if (!removeLoads(storage, folder))
        fail(describe(language, storage.join(folder, std::string(handoff::loadsRecordFile)), 0,
                      {Message::FileInUse, {}}));
}

// A step refused because another holds the working folder: it writes nothing, not even to
// the output file, which may be the other step's.
struct FolderBusy {
    std::string message;
};

// The working folder for this step alone while the lock lives, so that no other step, of
// this installation or another, writes it meanwhile.
std::unique_ptr<FolderLock> holdWorkingFolder(Storage& storage, const std::string& folder,
                                              const std::string& step,
                                              const std::string& geometryFile, Language language) {
    LockAttempt attempt = storage.lockFolder(folder, step);
    if (attempt.holder)
        throw FolderBusy{
            say(language, Message::FolderBusy,
                {geometryFile.substr(geometryFile.find_last_of("\\/") + 1), *attempt.holder})};
    return std::move(attempt.lock);
}

// Before anything is read, "work_dir.dat" names this geometry file's working folder, whose
// shared parameters say where and how the later steps report, and nothing in that folder
// can be taken as prepared until this run, holding it alone, has prepared it again.
std::unique_ptr<FolderLock> claimWorkingFolder(Storage& storage, const std::string& geometryFile,
                                               const std::string& parameters, Language language) {
    const std::string folder = geometryFile + std::string(handoff::workingFolderSuffix);
    const std::string workDirFile(handoff::workDirFile);
    if (const Written named = storage.replace(workDirFile, workDirText(folder)); !named) {
        storage.remove(workDirFile);
        failToWrite(storage.fullPath(workDirFile).value_or(workDirFile), named, language);
    }
    if (const Written made = storage.makeFolder(folder); !made)
        failToWrite(folder, made, language);
    std::unique_ptr<FolderLock> lock =
        holdWorkingFolder(storage, folder, "Prepare", geometryFile, language);
    const std::string record = storage.join(folder, std::string(handoff::preparedRecordFile));
    if (!storage.remove(record))
        fail(describe(language, record, 0, {Message::FileInUse, {}}));
    clearLoads(storage, folder, language);
    writeFile(storage, storage.join(folder, std::string(handoff::sharedParametersFile)), parameters,
              language);
    return lock;
}

// The geometry file's text. When there is none, no analysis is named in "work_dir.dat", and
// no working folder is made for a file that is not there.
std::string readGeometryFile(Storage& storage, const std::string& path, Language language) {
    std::optional<std::string> text = storage.read(path);
    if (!text) {
        storage.remove(std::string(handoff::workDirFile));
        fail(describe(language, path, 0, {Message::CannotRead, {}}));
    }
    return std::move(*text);
}

RunOutcome failed(Storage& storage, const std::string& outputFile, Language language,
                  const std::string& message, int exitCode = handoff::stepFailed) {
    reportFailure(storage, outputFile, language, message);
    return {exitCode, message};
}

RunOutcome cancelled(Storage& storage, const std::string& outputFile, Language language) {
    const std::string message = say(language, Message::Cancelled);
    reportFailure(storage, outputFile, language, message);
    return {handoff::stepCancelled, message};
}

} // namespace

RunOutcome prepareAnalysis(Storage& storage, const PrepareArguments& arguments,
                           const RunProgressReport& progress) {
    const ReportStyle style{languageNamed(arguments.language), listTypeNamed(arguments.listType)};
    const Language language = style.language;
    std::string outputFile = storage.fullPath(arguments.outputFile).value_or("");
    std::unique_ptr<FolderLock> lock;
    try {
        const std::string geometryFile = fullPathOf(storage, arguments.geometryFile, language);
        outputFile = fullPathOf(storage, arguments.outputFile, language);
        const std::string folder = geometryFile + std::string(handoff::workingFolderSuffix);
        const std::string geometryText = readGeometryFile(storage, geometryFile, language);
        lock = claimWorkingFolder(storage, geometryFile,
                                  sharedParametersText({geometryFile, outputFile,
                                                        arguments.listType, arguments.language}),
                                  language);
        const Model model = readInput(geometryFile, geometryText, language, readGeometry);
        report(progress, 0.5);
        if (!mayWriteOutput(storage, outputFile))
            fail(describe(language, outputFile, 0, {Message::NotAnOutputFile, {}}));
        writeFile(storage, outputFile, structureReport(model, geometryFile, style), language);
        const std::string modelFile = storage.join(folder, std::string(handoff::preparedModelFile));
        const std::string modelText = writeGeometry(model);
        writeFile(storage, modelFile, modelText, language);
        writeFile(storage, storage.join(folder, std::string(handoff::preparedRecordFile)),
                  preparedRecordText(handoff::stampOf(geometryFile, geometryText),
                                     handoff::stampOf(modelFile, modelText), outputFile),
                  language);
        report(progress, 1);
        return {};
    } catch (const FolderBusy& busy) {
        return {handoff::stepFailed, busy.message};
    } catch (const StepFailure& failure) {
        return failed(storage, outputFile, language, failure.message);
    } catch (const RunCancelled&) {
        return cancelled(storage, outputFile, language);
    }
}

namespace {

// Writes "<k>.unf" for each case that can be solved, entered in the record; the reasons of
// the others by case number.
std::map<int, std::string> writeCases(Storage& storage, const PreparedAnalysis& analysis,
                                      const Loading& loading, const std::string& loadingFile,
                                      handoff::Record& record, std::string& failures) {
    const Language language = analysis.style.language;
    std::map<int, std::string> unusable;
    const std::map<int, CaseProblem> problems = problemsOf(loading, analysis.model);
    for (const LoadCase& loadCase : loading.cases) {
        if (const auto problem = problems.find(loadCase.number); problem != problems.end()) {
            const auto& [line, reason] = problem->second;
            unusable[loadCase.number] = say(language, reason.reason, reason.values);
            failures += "\n" + describe(language, loadingFile, line, reason);
            continue;
        }
        const std::string file =
            storage.join(analysis.folder, handoff::caseFileName(loadCase.number));
        const std::string text = writeCase(loadCase);
        writeFile(storage, file, text, language);
        addPreparedCase(record, loadCase.number, handoff::stampOf(file, text));
    }
    return unusable;
}

} // namespace

RunOutcome prepareLoads(Storage& storage, const std::string& loadingFile,
                        const RunProgressReport& progress) {
    PreparedAnalysis analysis;
    std::unique_ptr<FolderLock> lock;
    try {
        analysis = openWorkingFolder(storage);
        const Language language = analysis.style.language;
        lock =
            holdWorkingFolder(storage, analysis.folder, "Forces", analysis.geometryFile, language);
        clearLoads(storage, analysis.folder, language);
        takePreparedModel(storage, analysis);
        const std::string path = fullPathOf(storage, loadingFile, language);
        const std::string text = readFile(storage, path, language);
        const Loading loading = readInput(path, text, language, readLoading);
        report(progress, 0.5);
        handoff::Record record = loadsRecord(analysis, handoff::stampOf(path, text));
        std::string failures;
        const std::map<int, std::string> unusable =
            writeCases(storage, analysis, loading, path, record, failures);
        appendFile(storage, analysis.outputFile,
                   loadingReport(analysis.model, loading, path, unusable, analysis.style),
                   language);
        writeFile(storage, storage.join(analysis.folder, std::string(handoff::loadsRecordFile)),
                  handoff::writeRecord(record), language);
        report(progress, 1);
        if (!failures.empty())
            return failed(storage, analysis.outputFile, language,
                          say(language, Message::CasesNotUsable) + failures);
        return {};
    } catch (const FolderBusy& busy) {
        return {handoff::stepFailed, busy.message};
    } catch (const StepFailure& failure) {
        if (!analysis.folder.empty())
            removeLoads(storage, analysis.folder);
        return failed(storage, analysis.outputFile, analysis.style.language, failure.message);
    } catch (const RunCancelled&) {
        removeLoads(storage, analysis.folder);
        return cancelled(storage, analysis.outputFile, analysis.style.language);
    }
}

namespace {

int caseNumberIn(const std::string& label, Language language) {
    int number = -1;
    const auto [end, error] = std::from_chars(label.data(), label.data() + label.size(), number);
    if (error != std::errc{} || end != label.data() + label.size() || number < 0 ||
        number > handoff::highestCaseNumber)
        fail(say(language, Message::CaseLabelNotKnown, {label}));
    return number;
}

const char* axisName(int axis) {
    return axis == 0 ? "x" : axis == 1 ? "y" : "z";
}

std::string solutionProblem(const std::string& caseFile, const LoadCase& loadCase,
                            const Solution& solution, Language language) {
    const std::string number = showInteger(loadCase.number);
    const std::string loadFactor = showNumber(solution.loadFactor);
    std::string problem;
    if (solution.status == SolutionStatus::Mechanism)
        problem = describe(
            language, caseFile, 0,
            {Message::Mechanism,
             {number, showInteger(solution.mechanismNode + 1), axisName(solution.mechanismAxis)}});
    else if (solution.status == SolutionStatus::Unbalanced)
        problem = describe(language, caseFile, 0, {Message::Unbalanced, {number}});
    else if (solution.endsAtCriticalPoint())
        problem = describe(language, caseFile, 0,
                           {Message::Unstable,
                            {number, criticalLoadFactorText(solution),
                             criticalPointName(solution.criticalPoint, language)}});
    else if (solution.iterationLimit > 0)
        problem = describe(
            language, caseFile, 0,
            {Message::IterationsSpent, {number, loadFactor, showInteger(solution.iterationLimit)}});
    else
        problem = describe(language, caseFile, 0, {Message::NotConverged, {number, loadFactor}});
    if (solution.stiffMember >= 0)
        problem += "\n" + say(language, Message::StiffMember,
                              {showInteger(solution.stiffMember + 1),
                               showRoughly(solution.stiffnessRatio)});
    return problem;
}

// The case numbers of the labels, each prepared for this analysis.
std::vector<int> preparedCaseNumbers(const std::vector<std::string>& caseLabels,
                                     const PreparedLoads& loads, Language language) {
    std::vector<int> numbers;
    numbers.reserve(caseLabels.size());
    for (const std::string& label : caseLabels) {
        numbers.push_back(caseNumberIn(label, language));
        if (!preparedCase(loads, numbers.back()))
            fail(say(language, Message::CaseNotPrepared, {showInteger(numbers.back())}));
    }
    if (numbers.empty())
        fail(say(language, Message::Usage, {"Solve <case> ..."}));
    return numbers;
}

std::string listed(const std::vector<int>& numbers) {
    std::string text;
    for (int number : numbers)
        text += (text.empty() ? "" : ", ") + showInteger(number);
    return text.empty() ? "-" : text;
}

std::string pathFileOf(const Storage& storage, const PreparedAnalysis& analysis, int number) {
    return storage.join(analysis.folder, handoff::pathFileName(number));
}

// What every case of one Solve run is solved from and what the run has reported so far.
struct SolveRun {
    Storage& storage;
    const PreparedAnalysis& analysis;
    const PreparedLoads& loads;
    std::string inputs; // the digest of "Forces.rec", written into each case's results
    std::function<void(int, const SolverProgress&)> progress; // of the case being solved
    std::vector<int> reported{};
};

// The case solved, each state along its path added to its path file as the solver accepts
// it, so that no more than one state is held at a time; a case that comes after another
// first has the state it starts from. A cancelled case keeps no path.
Solution solveAlongPath(SolveRun& run, const LoadCase& loadCase, const CaseStart& start) {
    const Language language = run.analysis.style.language;
    const std::string file = pathFileOf(run.storage, run.analysis, loadCase.number);
    std::string head = pathHead(loadCase.number, run.analysis.model.nodes.size(), run.inputs);
    if (!start.displacements.empty())
        head += pathStateText({0, CriticalPoint::None, start.displacements});
    writeFile(run.storage, file, head, language);
    try {
        Solution solution = solve(
            run.analysis.model, loadCase, start,
            [&](const SolverProgress& solver) { run.progress(loadCase.number, solver); },
            [&](const PathState& state) {
                appendFile(run.storage, file, pathStateText(state), language);
            });
        appendFile(run.storage, file, pathEnd(solution), language);
        return solution;
    } catch (const RunCancelled&) {
        run.storage.remove(file);
        throw;
    }
}

// A case solved and reported, or why not: `converged` false with a problem when it was
// solved without an answer (or its start was), true with one when it could not be solved.
struct SolvedCase {
    std::string problem;
    bool converged = true;
};

std::string caseFileOf(const SolveRun& run, int number) {
    return run.storage.join(run.analysis.folder, handoff::caseFileName(number));
}

// The case as Forces prepared it, or StepFailure.
LoadCase preparedLoadCase(const SolveRun& run, int number) {
    const Language language = run.analysis.style.language;
    const std::string caseFile = caseFileOf(run, number);
    const Problem notPrepared{Message::CaseNotPrepared, {showInteger(number)}};
    const handoff::FileStamp* stamp = preparedCase(run.loads, number);
    if (stamp == nullptr)
        fail(say(language, notPrepared.reason, notPrepared.values));
    const std::string text = readFile(run.storage, caseFile, language, notPrepared);
    if (!matches(*stamp, text))
        fail(say(language, Message::ChangedSince, {caseFile, "INCARC", "INCARC"}));
    return readInput(caseFile, text, language,
                     [&](std::string_view t) { return readCase(t, number); });
}

// The loads of every kind of the case and of each case it comes after.
AppliedLoads totalLoads(const SolveRun& run, const LoadCase& loadCase) {
    AppliedLoads own = appliedLoads(run.analysis.model, loadCase);
    if (!loadCase.after)
        return own;
    const int prior = static_cast<int>(loadCase.after->number);
    return withHeld(std::move(own), totalLoads(run, preparedLoadCase(run, prior)));
}

// The case's results when they were solved from the cases as they now stand.
std::optional<CaseResults> currentResults(const SolveRun& run, int number) {
    const std::optional<std::string> text =
        run.storage.read(run.storage.join(run.analysis.folder, handoff::resultFileName(number)));
    if (!text)
        return std::nullopt;
    try {
        return readResults(*text, run.analysis.model, ResultsOrigin{number, run.inputs});
    } catch (const InputError&) {
        return std::nullopt;
    }
}

SolvedCase solveCase(SolveRun& run, int number);

// Where a case that comes after another starts: that case's end state, solved first in
// this run when its results are missing or out of date, or why it cannot start.
std::variant<CaseStart, SolvedCase> startAfter(SolveRun& run, const LoadCase& loadCase) {
    const Language language = run.analysis.style.language;
    const int prior = static_cast<int>(loadCase.after->number);
    std::optional<CaseResults> results = currentResults(run, prior);
    std::string priorProblem;
    if (!results) {
        const std::string number = showInteger(loadCase.number);
        const std::string priorNumber = showInteger(prior);
        appendFile(
            run.storage, run.analysis.outputFile,
            newLine +
                say(language, Message::PriorCaseSolvedFirst, {number, priorNumber, priorNumber}) +
                newLine,
            language);
        SolvedCase solved = solveCase(run, prior);
        run.reported.push_back(prior);
        if (!solved.problem.empty() && solved.converged)
            return solved;
        priorProblem = solved.problem.empty() ? "" : solved.problem + "\n";
        results = currentResults(run, prior);
    }
    if (results && results->converged)
        return CaseStart{totalLoads(run, preparedLoadCase(run, prior)), results->displacements};
    const std::string notStarted = describe(
        language, caseFileOf(run, loadCase.number), loadCase.after->line,
        {Message::PriorCaseNotConverged, {showInteger(loadCase.number), showInteger(prior)}});
    appendFile(run.storage, run.analysis.outputFile,
               newLine + say(language, Message::CaseTitle, {showInteger(loadCase.number)}) +
                   newLine + notStarted + newLine,
               language);
    return SolvedCase{priorProblem + notStarted, false};
}

// Solves one case and reports it (or StepFailure).
SolvedCase solveCase(SolveRun& run, int number) {
    const Language language = run.analysis.style.language;
    const std::string caseFile = caseFileOf(run, number);
    const LoadCase loadCase = preparedLoadCase(run, number);
    if (const std::optional<CaseProblem> problem = problemOf(loadCase, run.analysis.model))
        return {describe(language, caseFile, problem->line, problem->problem)};
    CaseStart start;
    if (loadCase.after) {
        std::variant<CaseStart, SolvedCase> after = startAfter(run, loadCase);
        if (SolvedCase* notStarted = std::get_if<SolvedCase>(&after))
            return *notStarted;
        start = std::get<CaseStart>(std::move(after));
    }
    const Solution solution = solveAlongPath(run, loadCase, start);
    writeFile(run.storage, run.storage.join(run.analysis.folder, handoff::resultFileName(number)),
              resultsText(caseResults(number, solution, run.inputs), heldNodes(run.analysis.model)),
              language);
    appendFile(run.storage, run.analysis.outputFile,
               caseReport(run.analysis.model, loadCase, solution, run.analysis.style, start.held),
               language);
    if (solution.status == SolutionStatus::Converged)
        return {};
    return {solutionProblem(caseFile, loadCase, solution, language), false};
}

} // namespace

std::string caseProgressLine(const RunProgress& progress) {
    if (progress.loadCase < 0)
        return "";
    const SolverProgress& solver = progress.solver;
    const std::string smaller =
        solver.smallerSteps > 0 ? " (" + showInteger(solver.smallerSteps) + " smaller steps)" : "";
    std::array<char, 32> loadFactor{};
    std::snprintf(loadFactor.data(), loadFactor.size(), "%.4f", solver.loadFactor);
    return "Case " + showInteger(progress.loadCase) + ": load step " +
           showInteger(std::min(solver.step + 1, solver.steps)) + " of " +
           showInteger(solver.steps) + smaller + ", load factor " + loadFactor.data();
}

RunOutcome solveLoadCases(Storage& storage, const std::vector<std::string>& caseLabels,
                          const RunProgressReport& progress) {
    PreparedAnalysis analysis;
    std::unique_ptr<FolderLock> lock;
    try {
        analysis = openWorkingFolder(storage);
        const Language language = analysis.style.language;
        lock =
            holdWorkingFolder(storage, analysis.folder, "Solve", analysis.geometryFile, language);
        takePreparedModel(storage, analysis);
        const PreparedLoads loads = takePreparedLoads(storage, analysis);
        const std::vector<int> numbers = preparedCaseNumbers(caseLabels, loads, language);
        for (int number : numbers) {
            storage.remove(storage.join(analysis.folder, handoff::resultFileName(number)));
            storage.remove(pathFileOf(storage, analysis, number));
        }
        appendFile(storage, analysis.outputFile,
                   newLine + say(language, Message::SolveRequested, {listed(numbers)}) + newLine,
                   language);
        std::size_t k = 0;
        SolveRun run{storage, analysis, loads,
                     handoff::digestText(handoff::digestOf(loads.recordText)),
                     [&](int number, const SolverProgress& solver) {
                         if (progress)
                             progress({(static_cast<double>(k) + solver.loadFactor) /
                                           static_cast<double>(numbers.size()),
                                       number, solver});
                     }};
        std::string failures;
        bool refused = false; // a case that could not be solved at all
        for (; k < numbers.size(); ++k) {
            if (std::find(run.reported.begin(), run.reported.end(), numbers[k]) !=
                run.reported.end())
                continue; // solved first, for a case that comes after it
            SolvedCase solved;
            try {
                solved = solveCase(run, numbers[k]);
                run.reported.push_back(numbers[k]);
            } catch (const StepFailure& failure) {
                solved.problem = failure.message;
            } catch (const RunCancelled&) {
                const std::string message =
                    say(language, Message::SolveCancelledAt, {showInteger(numbers[k])}) + "\n" +
                    say(language, Message::SolveSolved, {listed(run.reported)});
                appendFile(storage, analysis.outputFile, newLine + message + newLine, language);
                return {handoff::stepCancelled, message};
            }
            if (!solved.problem.empty())
                failures += (failures.empty() ? "" : "\n") + solved.problem;
            refused = refused || (!solved.problem.empty() && solved.converged);
        }
        appendFile(storage, analysis.outputFile,
                   newLine + say(language, Message::SolveSolved, {listed(run.reported)}) + newLine,
                   language);
        if (failures.empty())
            return {};
        if (refused)
            fail(failures);
        return failed(storage, analysis.outputFile, language, failures, handoff::stepNotConverged);
    } catch (const FolderBusy& busy) {
        return {handoff::stepFailed, busy.message};
    } catch (const StepFailure& failure) {
        return failed(storage, analysis.outputFile, analysis.style.language, failure.message);
    }
}

} // namespace ombrix
