// Searches along a step for a better state: each try costs a sum over the members, not a
// factorisation.
#pragma once

#include "loaded_structure.h"

#include <optional>

namespace ombrix {

// Takes the longest of the step and its halves that improves the state. A net of cables
// whose whole step would raise the largest out-of-balance force is taken instead to the
// least of the energy along the step, where that improves it.
bool searchAlong(const LoadedStructure& loaded, State& state, const Eigen::VectorXd& step);

// From the state along the direction, the state where the potential energy stops falling,
// found by doubling and halving the distance. None beyond `farthest` times the direction.
std::optional<State> leastAlong(const LoadedStructure& loaded, const State& from,
                                const Eigen::VectorXd& direction, double farthest);

} // namespace ombrix
