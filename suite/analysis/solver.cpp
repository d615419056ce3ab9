#include "solver.h"

#include "structure.h"
#include "tangent_factor.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ombrix {
namespace {

constexpr int mostIterations = 40; // Newton iterations at one load level
constexpr int mostCuts = 12;       // halvings of a load step before the arc length
constexpr int mostArcSteps = 400;
constexpr int mostArcIterations = 12;
constexpr int wantedArcIterations = 4;
constexpr double shortestArc = 1e-9;   // of the first arc step, where the path is given up
constexpr double landingMargin = 0.25; // of an arc step, by which it may pass the full load
constexpr double relativeTolerance = 1e-9;
constexpr double roundingFloorFactor = 8; // ulps of the coordinates behind the floor
constexpr double firstShift = 1e-8;       // of the largest member stiffness
constexpr double largestShift = 1e3;
constexpr double runawaySize = 100;
constexpr int mostKrylovIterations = 8;
constexpr double krylovTolerance = 1e-3;  // of the linear residual, relative
constexpr double krylovContraction = 0.2; // of the out-of-balance force, wanted of such a step

// One state of the structure at a load factor, with everything the iteration asks of it.
struct State {
    Eigen::VectorXd unknowns;
    double loadFactor = 0;
    MemberSums sums;
    Eigen::VectorXd residual; // load minus resistance, over the free unknowns
    double potential = 0;     // strain energy minus the work of the load
    double largestForce = 0;  // the largest member force, tension or compression
};

enum class Attempt { Converged, Unstable, Diverged, Mechanism };

class Path {
  public:
    Path(const Model& model, const LoadCase& loadCase, const ProgressReport& progress);
    Solution run();

  private:
    Eigen::VectorXd appliedAt(double loadFactor) const;
    State stateAt(Eigen::VectorXd unknowns, double loadFactor) const;
    bool converged(const State& state) const;
    bool better(const State& next, const State& now) const;
    bool runsAway(const State& state) const;
    void report(const State& state, int iteration) const;

    Inertia factorAt(const State& state, double shift);
    Attempt equilibrate(State& state);
    Attempt settle(State& state, double& shift);
    bool krylovStep(State& state);
    void accept(State&& state);
    Attempt stepUnderLoadControl(double increment);
    bool throughLimitPoint();
    bool settleAtFullLoad(const State& reached);
    bool arcStep(double length, const Eigen::VectorXd& direction, State& reached);
    Solution finish(SolutionStatus status);

    Structure structure_;
    TangentFactor factor_;
    std::vector<Eigen::Vector3d> nodeLoads_;
    Eigen::VectorXd load_;
    Eigen::VectorXd imbalance_; // of the initial forces in the geometry given
    Eigen::VectorXd loadPerFactor_;
    double loadNorm_;
    int plannedSteps_;
    ProgressReport progress_;
    State current_;
    Eigen::VectorXd lastIncrement_;
    double lastLoadIncrement_ = 0;
    int steps_ = 0;
    int iterations_ = 0;
    bool snapThrough_ = false;
    double limitLoadFactor_ = 0;
    bool lastTangentRegular_ = false;
    int singularUnknown_ = -1;
};

Path::Path(const Model& model, const LoadCase& loadCase, const ProgressReport& progress)
    : structure_(model),
      factor_(structure_.tangentAt(Eigen::VectorXd::Zero(structure_.unknownCount()), 0)),
      nodeLoads_(structure_.nodeLoads(loadCase)), load_(structure_.freePart(nodeLoads_)),
      imbalance_(structure_.freePart(
          structure_.sumsAt(Eigen::VectorXd::Zero(structure_.unknownCount())).nodeForces)),
      loadPerFactor_(load_ - imbalance_),
      loadNorm_(load_.size() ? load_.lpNorm<Eigen::Infinity>() : 0),
      plannedSteps_(loadCase.steps > 0 ? loadCase.steps : 1), progress_(progress),
      current_(stateAt(Eigen::VectorXd::Zero(structure_.unknownCount()), 0)),
      lastIncrement_(Eigen::VectorXd::Zero(structure_.unknownCount())) {}

// The load at a load factor. Initial forces that are not in equilibrium in the geometry
// given are released with the load: until the full load the rest of their out-of-balance
// force still holds the structure where it was, so that a load step is small in every way.
Eigen::VectorXd Path::appliedAt(double loadFactor) const {
    return loadFactor * load_ + (1 - loadFactor) * imbalance_;
}

State Path::stateAt(Eigen::VectorXd unknowns, double loadFactor) const {
    State state;
    state.sums = structure_.sumsAt(unknowns);
    state.unknowns = std::move(unknowns);
    state.loadFactor = loadFactor;
    const Eigen::VectorXd applied = appliedAt(loadFactor);
    state.residual = applied - structure_.freePart(state.sums.nodeForces);
    state.potential = state.sums.strainEnergy - applied.dot(state.unknowns);
    for (double force : state.sums.axialForces)
        state.largestForce = std::max(state.largestForce, std::abs(force));
    return state;
}

// Balanced to a part in 1e9 of the load or the largest member force, or down to what the
// rounding of the positions, measured from the model's centre, allows in the stiffest
// member, whichever is larger.
bool Path::converged(const State& state) const {
    if (state.residual.size() == 0)
        return true;
    const double coordinates =
        structure_.size() + (state.unknowns.size() ? state.unknowns.lpNorm<Eigen::Infinity>() : 0);
    const double floor = roundingFloorFactor * structure_.largestMemberStiffness() *
                         std::numeric_limits<double>::epsilon() * coordinates;
    const double scale = std::max(std::abs(state.loadFactor) * loadNorm_, state.largestForce);
    return state.residual.lpNorm<Eigen::Infinity>() <= std::max(relativeTolerance * scale, floor);
}

// A trial state is taken when it lowers the potential energy (beyond its rounding) or the
// out-of-balance force.
bool Path::better(const State& next, const State& now) const {
    if (!std::isfinite(next.potential) || !next.residual.allFinite())
        return false;
    const double rounding = 1e-12 * (std::abs(now.sums.strainEnergy) +
                                     std::abs(appliedAt(now.loadFactor).dot(now.unknowns)));
    return next.potential <= now.potential + rounding ||
           next.residual.lpNorm<Eigen::Infinity>() < now.residual.lpNorm<Eigen::Infinity>();
}

void Path::report(const State& state, int iteration) const {
    if (progress_)
        progress_({steps_, plannedSteps_, iteration,
                   state.residual.size() ? state.residual.lpNorm<Eigen::Infinity>() : 0,
                   state.loadFactor});
}

Inertia Path::factorAt(const State& state, double shift) {
    const double scale = structure_.largestMemberStiffness();
    const Inertia inertia = factor_.factorize(structure_.tangentAt(state.unknowns, shift * scale));
    lastTangentRegular_ = shift == 0 && inertia.positiveDefinite();
    if (shift == 0)
        singularUnknown_ = inertia.singularUnknown;
    return inertia;
}

// Newton-Raphson at a fixed load. Where the tangent is singular (a straight unstressed
// cable, a slack one) its diagonal is shifted, and the shift grows while a step does not
// improve the state and shrinks when one does, so that it vanishes at convergence.
Attempt Path::equilibrate(State& state) {
    double shift = 0;
    for (int iteration = 1; iteration <= mostIterations; ++iteration) {
        if (converged(state))
            return Attempt::Converged;
        report(state, iteration);
        ++iterations_;
        if (shift == 0 && lastTangentRegular_ && krylovStep(state))
            continue;
        const Attempt attempt = settle(state, shift);
        if (attempt != Attempt::Converged)
            return attempt;
        shift = shift / 10 < firstShift ? 0 : shift / 10;
    }
    if (converged(state))
        return Attempt::Converged;
    return singularUnknown_ >= 0 && runsAway(state) ? Attempt::Mechanism : Attempt::Diverged;
}

// A displacement a hundred times the size of the structure is one that nothing resists.
bool Path::runsAway(const State& state) const {
    return state.unknowns.lpNorm<Eigen::Infinity>() > runawaySize * structure_.size();
}

// A Newton step solved by conjugate gradients on the current tangent, preconditioned by
// the last factorisation: while that stays close to the current tangent a few solves with
// it replace a new factorisation, by far the largest cost of an iteration.
bool Path::krylovStep(State& state) {
    Eigen::ConjugateGradient<SparseMatrix, Eigen::Lower, EarlierTangent> gradients;
    gradients.preconditioner().use(factor_);
    gradients.setMaxIterations(mostKrylovIterations);
    gradients.setTolerance(krylovTolerance);
    gradients.compute(structure_.tangentAt(state.unknowns, 0));
    const Eigen::VectorXd step = gradients.solve(state.residual);
    if (gradients.info() != Eigen::Success)
        return false;
    State next = stateAt(state.unknowns + step, state.loadFactor);
    if (!(next.residual.lpNorm<Eigen::Infinity>() <=
          krylovContraction * state.residual.lpNorm<Eigen::Infinity>()))
        return false;
    state = std::move(next);
    return true;
}

// One improving Newton step, raising the shift until it finds one. "Converged" here means
// the step was taken.
Attempt Path::settle(State& state, double& shift) {
    while (shift <= largestShift) {
        const Inertia inertia = factorAt(state, shift);
        if (inertia.negativePivots > 0 && inertia.singularUnknown < 0)
            return Attempt::Unstable;
        if (inertia.positiveDefinite()) {
            State next = stateAt(state.unknowns + factor_.solve(state.residual), state.loadFactor);
            if (better(next, state)) {
                state = std::move(next);
                return Attempt::Converged;
            }
        }
        shift = shift == 0 ? firstShift : shift * 10;
    }
    factorAt(state, 0);
    return singularUnknown_ >= 0 ? Attempt::Mechanism : Attempt::Diverged;
}

void Path::accept(State&& state) {
    lastIncrement_ = state.unknowns - current_.unknowns;
    lastLoadIncrement_ = state.loadFactor - current_.loadFactor;
    current_ = std::move(state);
    ++steps_;
}

Attempt Path::stepUnderLoadControl(double increment) {
    // The last of equal steps lands on the full load, whatever the rounding of their sum.
    const double target = current_.loadFactor + increment;
    // The path so far, drawn on: the first guess carries on the last step in proportion.
    const double onward = lastLoadIncrement_ > 0 ? increment / lastLoadIncrement_ : 0;
    State trial = stateAt(current_.unknowns + onward * lastIncrement_,
                          target > 1 - 1e-9 * increment ? 1.0 : target);
    const Attempt attempt = equilibrate(trial);
    if (attempt == Attempt::Converged)
        accept(std::move(trial));
    return attempt;
}

// One step of Ramm's arc length: a tangent predictor of the given length continuing the
// direction of the path, then corrections in the plane normal to the step so far.
bool Path::arcStep(double length, const Eigen::VectorXd& direction, State& reached) {
    factorAt(current_, 0);
    if (singularUnknown_ >= 0)
        return false;
    const Eigen::VectorXd tangent = factor_.solve(loadPerFactor_);
    const double sign = direction.dot(tangent) < 0 ? -1 : 1;
    const double scale = sign * length / tangent.norm();
    Eigen::VectorXd step = scale * tangent;
    double loadStep = scale;
    for (int iteration = 1; iteration <= mostArcIterations; ++iteration) {
        reached = stateAt(current_.unknowns + step, current_.loadFactor + loadStep);
        if (converged(reached))
            return true;
        report(reached, iteration);
        ++iterations_;
        factorAt(reached, 0);
        if (singularUnknown_ >= 0)
            return false;
        const Eigen::VectorXd correction = factor_.solve(reached.residual);
        const Eigen::VectorXd perLoad = factor_.solve(loadPerFactor_);
        const double loadCorrection = -step.dot(correction) / step.dot(perLoad);
        step += correction + loadCorrection * perLoad;
        loadStep += loadCorrection;
    }
    return false;
}

// Settles at the full load from the point of an arc step from the current state to the
// state reached, beyond the full load, where the step passes it.
bool Path::settleAtFullLoad(const State& reached) {
    const double part = (1 - current_.loadFactor) / (reached.loadFactor - current_.loadFactor);
    State full = stateAt(current_.unknowns + part * (reached.unknowns - current_.unknowns), 1);
    if (equilibrate(full) != Attempt::Converged)
        return false;
    accept(std::move(full));
    return true;
}

// Past a limit point no state near the last one carries more load: follow the path by arc
// length until the load factor passes 1, then settle at the full load from there.
bool Path::throughLimitPoint() {
    double length = lastIncrement_.norm();
    factorAt(current_, 0);
    if (length == 0 || singularUnknown_ >= 0)
        return false;
    const double shortest = shortestArc * length;
    for (int arcSteps = 0; arcSteps < mostArcSteps && length > shortest; ++arcSteps) {
        State reached;
        const int before = iterations_;
        if (!arcStep(length, lastIncrement_, reached)) {
            length /= 2;
            continue;
        }
        const double rise = reached.loadFactor - current_.loadFactor;
        if (reached.loadFactor - 1 > landingMargin * rise) {
            // Well past the full load: a shorter step lands nearer to it.
            length *= (1 - current_.loadFactor) / rise;
            continue;
        }
        if (rise < 0 && !snapThrough_) {
            snapThrough_ = true;
            limitLoadFactor_ = current_.loadFactor;
        }
        if (reached.loadFactor >= 1) {
            if (settleAtFullLoad(reached))
                return true;
            length /= 2;
            continue;
        }
        accept(std::move(reached));
        const double iterations = std::max(1, iterations_ - before);
        length *= std::clamp(std::sqrt(wantedArcIterations / iterations), 0.5, 2.0);
    }
    return false;
}

Solution Path::run() {
    const double nominal = 1.0 / plannedSteps_;
    double increment = nominal;
    while (current_.loadFactor < 1) {
        const Attempt attempt = stepUnderLoadControl(increment);
        if (attempt == Attempt::Mechanism)
            return finish(SolutionStatus::Mechanism);
        if (attempt == Attempt::Converged) {
            increment = std::min(nominal, 2 * increment);
            continue;
        }
        increment /= 2;
        if (increment < nominal / (1 << mostCuts) && !throughLimitPoint())
            return finish(singularUnknown_ >= 0 ? SolutionStatus::Mechanism
                                                : SolutionStatus::NotConverged);
    }
    if (!lastTangentRegular_)
        factorAt(current_, 0);
    return finish(singularUnknown_ >= 0 ? SolutionStatus::Mechanism : SolutionStatus::Converged);
}

Point pointOf(const Eigen::Vector3d& vector) {
    return {vector[0], vector[1], vector[2]};
}

Solution Path::finish(SolutionStatus status) {
    Solution solution;
    solution.status = status;
    solution.loadFactor = current_.loadFactor;
    solution.steps = steps_;
    solution.iterations = iterations_;
    solution.snapThrough = snapThrough_;
    solution.limitLoadFactor = limitLoadFactor_;
    if (status == SolutionStatus::Mechanism) {
        solution.mechanismNode = structure_.unknown(singularUnknown_).node;
        solution.mechanismAxis = structure_.unknown(singularUnknown_).axis;
    }
    for (const Eigen::Vector3d& displacement : structure_.displacements(current_.unknowns))
        solution.displacements.push_back(pointOf(displacement));
    solution.axialForces = current_.sums.axialForces;
    for (std::size_t node = 0; node < nodeLoads_.size(); ++node)
        solution.reactions.push_back(
            pointOf(current_.sums.nodeForces[node] - current_.loadFactor * nodeLoads_[node]));
    for (int k = 0; k < structure_.unknownCount(); ++k)
        solution.reactions[structure_.unknown(k).node][structure_.unknown(k).axis] = 0;
    return solution;
}

} // namespace

Solution solve(const Model& model, const LoadCase& loadCase, const ProgressReport& progress) {
    return Path(model, loadCase, progress).run();
}

} // namespace ombrix
