// Large-displacement static equilibrium of a pin-jointed structure under one load case,
// from its unloaded, prestressed state: Newton-Raphson on the tangent stiffness in load
// steps, steps cut on divergence, an arc-length path through limit points.
#pragma once

#include "loading.h"
#include "model.h"

#include <functional>
#include <vector>

namespace ombrix {

struct SolverProgress {
    int step = 0;  // load steps done
    int steps = 0; // load steps planned
    int iteration = 0;
    double residual = 0; // the largest out-of-balance force component
    double loadFactor = 0;
};
using ProgressReport = std::function<void(const SolverProgress&)>;

enum class SolutionStatus { Converged, NotConverged, Mechanism };

struct Solution {
    SolutionStatus status = SolutionStatus::NotConverged;
    double loadFactor = 0; // of the state below: 1 when converged
    int steps = 0;
    int iterations = 0;
    bool snapThrough = false;   // the load passed a limit point; the state is the far one
    double limitLoadFactor = 0; // where, when it did
    int mechanismNode = -1;     // index into Model::nodes, for a mechanism
    int mechanismAxis = -1;
    std::vector<Point> displacements; // per node
    std::vector<double> axialForces;  // per member, tension positive
    std::vector<Point> reactions;     // per node; non-zero only where restrained
};

// The case must pass problemOf(loadCase, model).
Solution solve(const Model& model, const LoadCase& loadCase, const ProgressReport& progress = {});

} // namespace ombrix
