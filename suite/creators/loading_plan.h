// The loading the INCARC file maker writes, given as rows of cases: a load vector put on
// every free node, on the nodes inside a box of coordinates, or on listed nodes.
#pragma once

#include "loading.h"
#include "model.h"

#include <optional>
#include <string>
#include <vector>

namespace ombrix {

enum class LoadedNodes { everyFreeNode, insideBox, listed };

struct CaseRow {
    LoadedNodes nodes = LoadedNodes::everyFreeNode;
    Point force{}; // on each node loaded
    Point boxLow{}, boxHigh{};
    std::vector<long long> listedNodes; // node numbers, from 1
    int steps = 0;                      // 0: the solver chooses
};

struct LoadingPlan {
    std::string heading;
    std::optional<CaseRow> caseZero;
    std::vector<CaseRow> cases; // 1..N
};

// The loading for the model; Refused naming the case and what is wrong with it.
Loading makeLoading(const Model& model, const LoadingPlan& plan);

} // namespace ombrix
