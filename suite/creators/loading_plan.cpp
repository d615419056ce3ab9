#include "loading_plan.h"

#include "handoff/handoff.h"
#include "numbers.h"
#include "parameters.h"

#include <algorithm>
#include <cmath>

namespace ombrix {

namespace {

bool isFree(const Node& node) {
    return !std::ranges::all_of(node.restrained, [](bool held) { return held; });
}

bool isInside(const Point& position, const CaseRow& row) {
    for (int axis = 0; axis < 3; ++axis) {
        const double low = std::min(row.boxLow[axis], row.boxHigh[axis]);
        const double high = std::max(row.boxLow[axis], row.boxHigh[axis]);
        if (position[axis] < low || position[axis] > high)
            return false;
    }
    return true;
}

// The free nodes the row chooses: all of them, or those inside its box.
std::vector<long long> freeNodesChosen(const Model& model, const CaseRow& row) {
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

std::vector<long long> loadedNodes(const Model& model, const CaseRow& row,
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

void checkRow(const CaseRow& row, const std::string& where) {
    static const char* const axes[] = {"x", "y", "z"};
    for (int axis = 0; axis < 3; ++axis)
        if (!(std::abs(row.force[axis]) <= largestForce))
            throw Refused(where + ": force " + axes[axis] + ": at most " +
                          showNumber(largestForce) + " in magnitude, not " +
                          showNumber(row.force[axis]));
    if (row.steps < 0 || row.steps > mostSteps)
        throw Refused(where + ": load steps: a whole number from 0 to " + showInteger(mostSteps) +
                      ", not " + showInteger(row.steps));
}

LoadCase caseOf(const Model& model, const CaseRow& row, int number) {
    const std::string where = "case " + showInteger(number);
    checkRow(row, where);
    LoadCase loadCase{number, row.steps, {}};
    for (long long node : loadedNodes(model, row, where))
        loadCase.loads.push_back({node, row.force, 0});
    return loadCase;
}

} // namespace

Loading makeLoading(const Model& model, const LoadingPlan& plan) {
    const auto count = static_cast<int>(plan.cases.size());
    if (count > handoff::highestCaseNumber)
        throw Refused("load cases: at most " + showInteger(handoff::highestCaseNumber) + ", not " +
                      showInteger(count));
    Loading loading{plan.heading, count, plan.caseZero.has_value(), {}};
    if (plan.caseZero)
        loading.cases.push_back(caseOf(model, *plan.caseZero, 0));
    for (int k = 0; k < count; ++k)
        loading.cases.push_back(caseOf(model, plan.cases[static_cast<std::size_t>(k)], k + 1));
    return loading;
}

} // namespace ombrix
