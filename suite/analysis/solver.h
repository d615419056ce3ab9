// Large-displacement static equilibrium of a pin-jointed structure under one load case,
// from its unloaded, prestressed state: Newton-Raphson down the potential energy in load
// steps, steps cut where the structure gives way, and every answer a stable state: past a
// limit point the structure snaps through, past a bifurcation it leaves the unstable path
// along its critical mode.
#pragma once

#include "loads.h"
#include "model.h"
#include "node_balance.h"

#include <functional>
#include <vector>

namespace ombrix {

// How closely a critical point's load factor is found: the finest load step twice over, one
// on either side of it.
inline constexpr double finestLoadStep = 1e-9;
inline constexpr double criticalLoadFactorPrecision = 2 * finestLoadStep;

struct SolverProgress {
    int step = 0;         // planned load steps done
    int steps = 0;        // load steps planned
    int smallerSteps = 0; // taken so far where a planned step was cut into smaller ones
    int iteration = 0;
    double residual = 0; // the largest out-of-balance force component
    double loadFactor = 0;
};
using ProgressReport = std::function<void(const SolverProgress&)>;

// Unbalanced: the solver's answer, its balance recomputed from the member forces, fails.
enum class SolutionStatus { Converged, NotConverged, Mechanism, Unbalanced };

// Where the structure lost its stability along the path: a limit point, where the load
// it carries peaks, or a bifurcation, where a second path crosses it.
enum class CriticalPoint { None, LimitPoint, Bifurcation };

struct Solution {
    SolutionStatus status = SolutionStatus::NotConverged;
    double loadFactor = 0; // of the state below: 1 when converged
    int steps = 0;
    int iterations = 0;
    int iterationLimit = 0; // where the case spent every Newton iteration it may take: that many
    CriticalPoint criticalPoint = CriticalPoint::None; // the first the load passed, or where
    double criticalLoadFactor = 0;                     // the path ended
    double tolerance = 0;   // the out-of-balance force solved to: forces within it of zero are 0
    int mechanismNode = -1; // index into Model::nodes, for a mechanism
    int mechanismAxis = -1;
    std::vector<Point> displacements; // per node
    std::vector<double> axialForces;  // per member, tension positive
    std::vector<Point> reactions;     // per node; non-zero only where restrained
    // Members too stiff for sixteen digits to resolve their force from their elongation,
    // whose force came from the balance of their nodes instead, with its accuracy.
    std::vector<BalancedForce> forcesFromBalance;
    // Where a member too stiff to resolve kept the case from converging: the member (an
    // index into Model::members), and its EA / L over the median member's.
    int stiffMember = -1;
    double stiffnessRatio = 0;

    // Not converged because no stable state was found beyond the critical point.
    bool endsAtCriticalPoint() const {
        return status == SolutionStatus::NotConverged && criticalPoint != CriticalPoint::None &&
               loadFactor == criticalLoadFactor;
    }
};

// A state the solver accepted on its way along the load path, in order: each load step's,
// and past a critical point the state the structure snapped through to from a limit point,
// or left the path for at a bifurcation, the state before it lying at the critical point.
// The path starts from the unloaded state, which is not one of them.
struct PathState {
    double loadFactor = 0;
    CriticalPoint passed = CriticalPoint::None; // on the way from the state before
    std::vector<Point> displacements;           // per node
};
// Told of each state as it is accepted; the solver keeps none of them.
using PathObserver = std::function<void(const PathState&)>;

// The Newton iterations a case may take beyond 40 for each planned load step, for the steps
// cut smaller and the escapes from critical points (the prism with bars and cables swapped
// takes 2,220). Each costs at most one factorisation; a case that spends them all ends not
// converged at the last state it found, saying so.
inline constexpr int defaultSpareIterations = 8000;

// The case must pass problemOf(loadCase, model).
Solution solve(const Model& model, const LoadCase& loadCase, const ProgressReport& progress = {},
               const PathObserver& observer = {}, int spareIterations = defaultSpareIterations);

} // namespace ombrix
