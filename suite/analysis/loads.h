// The loads on a model as the loading file gives them: load cases of forces at nodes.
#pragma once

#include "model.h"

#include <string>
#include <vector>

namespace ombrix {

struct NodalLoad {
    long long node = 0; // node number as given (checked against a model by problemOf)
    Point force{};
    int line = 0;
};

struct LoadCase {
    int number = 0;
    int steps = 0; // 0: the solver chooses
    std::vector<NodalLoad> loads;
};

struct Loading {
    std::string heading;
    int caseCount = 0; // N
    bool hasCaseZero = false;
    std::vector<LoadCase> cases; // case 0 first when given, then 1..N
};

} // namespace ombrix
