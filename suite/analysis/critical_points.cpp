#include "critical_points.h"

#include <random>

namespace ombrix {

CriticalPoints::CriticalPoints(const LoadedStructure& loaded, Factorizations& factors,
                               Newton& newton)
    : loaded_(loaded), factors_(factors), newton_(newton) {}

// A structure of cables alone has a positive semi-definite tangent: it can neither snap
// through nor buckle. A state of one with bars is factorised: its inertia says whether it
// is stable, and the factorisation gives the path's tangent there or, where it is unstable,
// its critical mode.
bool CriticalPoints::examineUnstable(State& state) {
    if (!loaded_.structure().hasBars())
        return false;
    state.inertia = factors_.ofTangent(state, 0);
    if (state.inertia->positiveDefinite())
        state.pathTangent = factors_.solve(loaded_.pathLoad());
    if (state.inertia->negativePivots > 0)
        state.criticalMode = criticalMode();
    return state.inertia->negativePivots > 0;
}

// The path so far says nothing of the next step.
CriticalPoint CriticalPoints::pass(Outcome outcome, double fromLoadFactor, State& trial) {
    if (outcome != Outcome::Jumped && outcome != Outcome::Unstable)
        return CriticalPoint::None;
    const CriticalPoint passed =
        outcome == Outcome::Jumped ? CriticalPoint::LimitPoint : CriticalPoint::Bifurcation;
    if (first_ == CriticalPoint::None) {
        first_ = passed;
        firstLoadFactor_ = fromLoadFactor;
    }
    if (trial.inertia->negativePivots > 0 && !leaveAlongCriticalMode(trial))
        return CriticalPoint::None;
    return passed;
}

// From an unstable state down to a stable one at the same load, starting off along the
// critical mode to either side.
bool CriticalPoints::leaveAlongCriticalMode(State& state) {
    const SolverOptions& options = loaded_.options();
    const Eigen::VectorXd away =
        options.escapeDistance * loaded_.structure().size() * state.criticalMode;
    for (const double side : {1.0, -1.0}) {
        State moved = loaded_.stateAt(state.unknowns + side * away, state.loadFactor);
        if (newton_.equilibrate(moved, options.mostEscapeIterations) == Outcome::Taken &&
            !examineUnstable(moved)) {
            state = std::move(moved);
            return true;
        }
    }
    return false;
}

// The eigenvector of the tangent just factorised whose eigenvalue lies nearest zero, by
// inverse iteration from a fixed pseudo-random start; its largest component is 1.
Eigen::VectorXd CriticalPoints::criticalMode() const {
    std::minstd_rand generator;
    Eigen::VectorXd mode(loaded_.structure().unknownCount());
    for (double& component : mode)
        component = static_cast<double>(generator()) / std::minstd_rand::max() - 0.5;
    for (int k = 0; k < loaded_.options().inverseIterations; ++k)
        mode = factors_.solve(mode).normalized();
    Eigen::Index largest = 0;
    mode.cwiseAbs().maxCoeff(&largest);
    return mode / mode[largest];
}

} // namespace ombrix
