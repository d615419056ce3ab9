#include "loading_plan.h"

#include "handoff/handoff.h"
#include "messages.h"
#include "numbers.h"
#include "parameters.h"
#include "text_lines.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace ombrix {

namespace {

bool isFree(const Node& node) {
    return !std::ranges::all_of(node.restrained, [](bool held) { return held; });
}

bool isInside(const Point& position, const ForceRow& row) {
    for (int axis = 0; axis < 3; ++axis) {
        const double low = std::min(row.boxLow[axis], row.boxHigh[axis]);
        const double high = std::max(row.boxLow[axis], row.boxHigh[axis]);
        if (position[axis] < low || position[axis] > high)
            return false;
    }
    return true;
}

// The free nodes the row chooses: all of them, or those inside its box.
std::vector<long long> freeNodesChosen(const Model& model, const ForceRow& row) {
    const bool anywhere = row.nodes == LoadedNodes::everyFreeNode;
    std::vector<long long> numbers;
    for (std::size_t k = 0; k < model.nodes.size(); ++k)
        if (isFree(model.nodes[k]) && (anywhere || isInside(model.nodes[k].position, row)))
            numbers.push_back(static_cast<long long>(k) + 1);
    return numbers;
}

void checkListed(const Model& model, const std::vector<long long>& numbers,
                 const std::string& where) {
    const auto last = static_cast<long long>(model.nodes.size());
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (numbers[k] < 1 || numbers[k] > last)
            throw Refused(where + ": node " + showInteger(numbers[k]) +
                          " is not in the structure (1 to " + showInteger(last) + ")");
        const auto before = numbers.begin() + static_cast<std::ptrdiff_t>(k);
        if (std::find(numbers.begin(), before, numbers[k]) != before)
            throw Refused(where + ": node " + showInteger(numbers[k]) + " is listed twice");
    }
}

std::vector<long long> loadedNodes(const Model& model, const ForceRow& row,
                                   const std::string& where) {
    if (row.nodes == LoadedNodes::listed) {
        checkListed(model, row.listedNodes, where);
        return row.listedNodes;
    }
    std::vector<long long> numbers = freeNodesChosen(model, row);
    if (numbers.empty())
        throw Refused(where + (row.nodes == LoadedNodes::insideBox
                                   ? ": no free node lies inside the box"
                                   : ": the structure has no free node"));
    return numbers;
}

void checkForce(const ForceRow& row, const std::string& where) {
    static const char* const axes[] = {"x", "y", "z"};
    for (int axis = 0; axis < 3; ++axis)
        if (!(std::abs(row.force[axis]) <= largestForce))
            throw Refused(where + ": force " + axes[axis] + ": at most " +
                          showNumber(largestForce) + " in magnitude, not " +
                          showNumber(row.force[axis]));
}

using CaseRows = std::vector<const PlanRow*>;

// The rows of each case, by its number: 0 (when a row names it) or 1 to N, none missing.
std::map<int, CaseRows> rowsByCase(const LoadingPlan& plan) {
    std::map<int, CaseRows> cases;
    for (const PlanRow& row : plan.rows)
        cases[row.caseNumber].push_back(&row);
    const int count = cases.empty() ? 0 : cases.rbegin()->first;
    if (count > handoff::highestCaseNumber)
        throw Refused("load cases: at most " + showInteger(handoff::highestCaseNumber) + ", not " +
                      showInteger(count));
    for (int number = 1; number <= count; ++number)
        if (!cases.contains(number))
            throw Refused("case " + showInteger(number) + ": no row gives its loads");
    return cases;
}

// The steps the rows of a case give it, which must agree.
int stepsOf(const CaseRows& rows, int number) {
    std::optional<int> steps;
    for (const PlanRow* row : rows) {
        if (!row->steps)
            continue;
        if (*row->steps < 0 || *row->steps > mostSteps)
            throw Refused(row->name + ": load steps: a whole number from 0 to " +
                          showInteger(mostSteps) + ", not " + showInteger(*row->steps));
        if (steps && *steps != *row->steps)
            throw Refused("case " + showInteger(number) + ": load steps given as " +
                          showInteger(*steps) + " and as " + showInteger(*row->steps));
        steps = row->steps;
    }
    return steps.value_or(0);
}

// The text of a loading file, each line with the row it comes from (empty for the lines
// no row gives).
struct Written {
    std::string text;
    std::vector<std::string> owners;

    void add(const std::string& lines, const std::string& owner) {
        text += lines;
        owners.insert(owners.end(),
                      static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n')),
                      owner);
    }
};

bool isAfterLine(const PlanRow* row) {
    const auto* line = std::get_if<WordLine>(&row->load);
    return line && line->text.starts_with(std::string(afterWord) + " ");
}

// A case's block: its node lines, then its word lines in the order of the rows, an "after"
// last.
void writeCaseBlock(const Model& model, int number, CaseRows rows, Written& written) {
    LoadCase loadCase{number, stepsOf(rows, number), {}};
    std::vector<std::string> nodeOwners;
    for (const PlanRow* row : rows)
        if (const auto* force = std::get_if<ForceRow>(&row->load)) {
            checkForce(*force, row->name);
            for (long long node : loadedNodes(model, *force, row->name)) {
                loadCase.loads.push_back({node, force->force, 0});
                nodeOwners.push_back(row->name);
            }
        }
    const std::string block = writeCase(loadCase);
    written.add(block.substr(0, block.find('\n') + 1), "case " + showInteger(number));
    written.text += block.substr(block.find('\n') + 1);
    written.owners.insert(written.owners.end(), nodeOwners.begin(), nodeOwners.end());
    std::stable_partition(rows.begin(), rows.end(),
                          [](const PlanRow* row) { return !isAfterLine(row); });
    for (const PlanRow* row : rows)
        if (const auto* line = std::get_if<WordLine>(&row->load))
            written.add(line->text + "\r\n", row->name);
}

// The reader's problem with the text, if any, Refused naming the row of its line.
void readBack(const Written& written, const Model& model) {
    try {
        for (const LoadCase& loadCase : readLoading(written.text).cases)
            if (const auto problem = problemOf(loadCase, model))
                throw InputError(problem->line, problem->problem.reason, problem->problem.values);
    } catch (const InputError& error) {
        const auto at = static_cast<std::size_t>(error.line() - 1);
        const std::string owner = at < written.owners.size() ? written.owners[at] : "";
        const Problem& problem = error.problem();
        throw Refused(owner.empty()
                          ? describe(Language::English, "the loading", error.line(), problem)
                          : owner + ": " + say(Language::English, problem.reason, problem.values));
    }
}

} // namespace

std::string loadingFileText(const Model& model, const LoadingPlan& plan) {
    const std::map<int, CaseRows> cases = rowsByCase(plan);
    const bool hasCaseZero = cases.contains(0);
    const int count = cases.empty() ? 0 : cases.rbegin()->first;
    Written written;
    written.add(headingLine(plan.heading) + std::to_string(count) + " load cases\r\n" +
                    (hasCaseZero ? "1 case 0 first" : "0 no case 0") + "\r\n",
                "");
    for (const auto& [number, rows] : cases)
        writeCaseBlock(model, number, rows, written);
    readBack(written, model);
    return written.text;
}

} // namespace ombrix
