// A Newton step by conjugate gradients, preconditioned by the factorisation of an earlier
// tangent: while that stays close to the current tangent a few solves with it replace a
// new factorisation, by far the largest cost of an iteration.
#pragma once

#include "loaded_structure.h"

namespace ombrix {

struct KrylovStep {
    bool taken = false;
    int solves = 0; // with the earlier tangent's factor
};

// Takes the step from the state where it cuts the out-of-balance force enough and lowers
// the energy. A net of cables takes it wherever it lowers the energy: its energy is convex,
// and the step is the Newton step that a new factorisation would give.
KrylovStep krylovStep(LoadedStructure& loaded, const TangentFactor& earlierTangent, State& state);

} // namespace ombrix
