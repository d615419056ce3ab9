// The loads on a model as the loading file gives them: load cases of forces at nodes, and
// loads named by a word that only the model turns into forces, lengths and support moves.
#pragma once

#include "model.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ombrix {

struct NodalLoad {
    long long node = 0; // node number as given (checked against a model by problemOf)
    Point force{};
    int line = 0;
};

// The members a weight or temperature line names: all of them, the cables, the bars, or
// numbers and ranges of numbers (as given: checked against a model by problemOf).
enum class MemberSet { All, Cables, Bars, Listed };
struct MemberChoice {
    MemberSet set = MemberSet::All;
    std::vector<std::array<long long, 2>> ranges; // first and last, both included
};

// weight w [members]: w per unit length, half to each end, in -z.
// temperature dT alpha [members]: each unstressed length times (1 + alpha dT).
// settle n dx dy dz: node n moved so in its restrained directions.
// snow q: q per unit of plan area of the net's cells, in -z.
// pressure p: p per unit of area of the net's cells, along their downward normal.
enum class LoadWord { Weight, Temperature, Settle, Snow, Pressure };

struct ModelLoad {
    LoadWord word = LoadWord::Weight;
    std::vector<double> values; // after the word (and the node of settle), as given
    long long node = 0;         // settle only
    MemberChoice members;       // weight and temperature only
    int line = 0;
};

// A term of "combine f1 c1 [f2 c2 ...]": a factor and the case it multiplies.
struct CombinationTerm {
    double factor = 0;
    long long loadCase = 0;
    bool operator==(const CombinationTerm&) const = default;
};

// after c: the case starts from the end state of case c, all of c's loads held (those c
// holds from a case before it too), and adds its own loads from there.
struct PriorCase {
    long long number = 0;
    int line = 0;
};

struct LoadCase {
    int number = 0;
    int steps = 0; // 0: the solver chooses
    std::vector<NodalLoad> loads;
    std::vector<ModelLoad> modelLoads{}; // after the node loads, in the order given
    // Of a combination, its terms as given; its loads above are their factored sum.
    std::vector<CombinationTerm> combination{};
    std::optional<PriorCase> after{};
};

struct Loading {
    std::string heading;
    int caseCount = 0; // N
    bool hasCaseZero = false;
    std::vector<LoadCase> cases; // case 0 first when given, then 1..N
};

} // namespace ombrix
