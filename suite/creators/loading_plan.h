// The loading the INCARC file maker writes, given as rows, each of a case: a force put on
// every free node, on the nodes inside a box or on listed nodes, or a line of the loading
// file that begins with a word (weight, temperature, settle, snow, pressure, combine,
// after), as typed.
#pragma once

#include "loading.h"
#include "model.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ombrix {

enum class LoadedNodes { everyFreeNode, insideBox, listed };

struct ForceRow {
    LoadedNodes nodes = LoadedNodes::everyFreeNode;
    Point force{}; // on each node loaded
    Point boxLow{}, boxHigh{};
    std::vector<long long> listedNodes; // node numbers, from 1
};

struct WordLine {
    std::string text; // "weight 0.5 cables", without the line's end
};

struct PlanRow {
    std::string name; // how a refusal names the row
    int caseNumber = 1;
    std::variant<ForceRow, WordLine> load;
    std::optional<int> steps; // of its case, when the row gives them; 0: the solver chooses
};

struct LoadingPlan {
    std::string heading;
    std::vector<PlanRow> rows; // cases 1..N, and case 0 when a row names it
};

// The loading file of the plan for the model, read back by the suite's reader before it is
// given, so that a file Forces would refuse is never written: Refused naming the row (or the
// case) at fault and what is wrong with it.
std::string loadingFileText(const Model& model, const LoadingPlan& plan);

} // namespace ombrix
