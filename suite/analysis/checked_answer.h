// The answer at the last state the path found: displacements, member forces (those of members
// too stiff to resolve from the balance of their nodes) and reactions, its balance checked
// apart from the iteration that found it.
#pragma once

#include "loaded_structure.h"

namespace ombrix {

// Of a solution that says how the path went (its status, counts and critical point): the
// answer at the last state, its status changed where the answer fails.
Solution checkedAnswer(const LoadedStructure& loaded, const State& last, Solution solution);

} // namespace ombrix
