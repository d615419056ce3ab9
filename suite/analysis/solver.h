// Large-displacement static equilibrium of a pin-jointed structure under one load case,
// from its unloaded, prestressed state or from where an earlier case left it:
// Newton-Raphson down the potential energy in load steps, steps cut where the structure
// gives way, and every answer a stable state: past a limit point the structure snaps
// through, past a bifurcation it leaves the unstable path along its critical mode.
#pragma once

#include "applied_loads.h"
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
    int factorizations = 0; // of the tangent: most of the solver's time
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
// The path starts from the state started from, which is not one of them.
struct PathState {
    double loadFactor = 0;
    CriticalPoint passed = CriticalPoint::None; // on the way from the state before
    std::vector<Point> displacements;           // per node
};
// Told of each state as it is accepted; the solver keeps none of them.
using PathObserver = std::function<void(const PathState&)>;

// How the solver works its way to an answer: what every program uses by default, which the
// tests and the solver's benchmark may change. Not a choice for users: the answers are
// checked against these.
struct SolverOptions {
    int mostIterations = 40;        // Newton iterations at one load level
    int mostEscapeIterations = 400; // from a critical point down to a stable state
    // The Newton iterations a case may take beyond mostIterations for each planned load step,
    // for the steps cut smaller and the escapes from critical points (the prism with bars and
    // cables swapped takes 2,220). Each costs at most one factorisation; a case that spends
    // them all ends not converged at the last state it found, saying so.
    int spareIterations = 8000;
    double relativeTolerance = 1e-9; // of the largest load or initial member force
    double roundingFloorFactor = 8;  // of the rounding of the forces, behind a floor
    // A member stiffer than the median by more than this part of what the factorisation
    // tells from nothing: the pivots of the members beside it may be lost.
    double beyondTheFactor = 0.1;
    double firstShift = 1e-8; // of each node's stiffness
    double largestShift = 1e3;
    double runawaySize = 100;      // of the model's size: a displacement nothing resists
    double sufficientFall = 1e-4;  // of the fall of the energy that a step promises
    double energyRounding = 1e-12; // of the energy's terms
    // Of a Newton step, searching along it. A halving costs one sum over the members, giving
    // up a factorisation with a larger shift: from a tangent without stiffness across a flat
    // net the step is thousands of times too long.
    int mostHalvings = 40;
    // Of a Newton step of a net of cables, the times it is taken again with the slack cables
    // it draws taut counted taut, until the cables it draws taut are those counted.
    int mostDrawingRounds = 2;
    double escapeDistance = 1e-3; // of the model's size: the first move off an unstable state
    int inverseIterations = 20;
    // Of a Newton step by conjugate gradients: it may spend up to this share of what a new
    // factorisation costs in solves, and at least the fewest solves, before a factorisation
    // is made instead. On large nets a factorisation costs a hundred solves and more.
    int fewestKrylovIterations = 8;
    double krylovShareOfFactorization = 0.5;
    double krylovTolerance = 1e-3;  // of the linear residual, relative
    double krylovContraction = 0.2; // of the out-of-balance force, wanted with bars
    // The string net that shapes the first guess from a start with slack members: a pull of
    // EA in every member; the line along its shape searched out to a millionfold. A search
    // along a line ends within a part in a thousand of where the energy is least.
    double stringPull = 1;
    double farthestStretch = 1e6;
    double stretchPrecision = 1e-3;
};

// Where a case's path starts: from rest, or from the end state of the case it comes after,
// with the loads of that case and of every case before it held (forces at nodes, strains
// and settlements, all of them from the first load step on).
struct CaseStart {
    AppliedLoads held;                // empty from rest
    std::vector<Point> displacements; // per node, of the state started from; empty from rest
};

// The case must pass problemOf(loadCase, model); a state started from must be balanced
// under the loads held.
Solution solve(const Model& model, const LoadCase& loadCase, const CaseStart& start,
               const ProgressReport& progress = {}, const PathObserver& observer = {},
               const SolverOptions& options = {});
// From rest.
Solution solve(const Model& model, const LoadCase& loadCase, const ProgressReport& progress = {},
               const PathObserver& observer = {}, const SolverOptions& options = {});

} // namespace ombrix
