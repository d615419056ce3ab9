#include "solver.h"

#include "node_balance.h"
#include "structure.h"
#include "tangent_factor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <utility>

namespace ombrix {
namespace {

// One state of the structure at a load factor, with everything the iteration asks of it.
struct State {
    Eigen::VectorXd unknowns;
    double loadFactor = 0;
    MemberSums sums;
    Eigen::VectorXd residual; // load minus resistance, over the free unknowns
    double potential = 0;     // strain energy minus the work of the load
    double rounding = 0;      // of the potential
    // Of a structure with bars, once examined: the inertia of its tangent and, where that is
    // regular, the path's tangent du / d(load factor).
    std::optional<Inertia> inertia;
    Eigen::VectorXd pathTangent;
};

double largest(const Eigen::VectorXd& forces) {
    return forces.size() ? forces.lpNorm<Eigen::Infinity>() : 0;
}

// How an equilibrium iteration, a load step or the path ended. Taken: balanced, and for a
// step on its path in a stable state, so that it is taken; for the path, at the full load.
// Jumped: balanced, but on another branch than the one the step started from. Unstable:
// balanced on the path, in an unstable state. Exhausted: the iterations a case may take
// are spent.
enum class Outcome { Taken, NotConverged, Mechanism, Jumped, Unstable, Exhausted };

class Path {
  public:
    Path(const Model& model, const LoadCase& loadCase, const ProgressReport& progress,
         const PathObserver& observer, const SolverOptions& options);
    Solution run();

  private:
    Eigen::VectorXd appliedAt(double loadFactor) const;
    State stateAt(Eigen::VectorXd unknowns, double loadFactor) const;
    void setTolerances();
    double targetAt(double loadFactor) const;
    bool converged(const State& state, bool stalled) const;
    Eigen::VectorXd roundingFloors(const State& state) const;
    bool improves(const State& trial, const State& now, double promised) const;
    bool runsAway(const State& state) const;
    bool exhausted() const;
    void report(const State& state, int iteration) const;

    Inertia factorAt(const State& state, double shift, const std::vector<int>& drawnTaut = {});
    bool examineUnstable(State& state);
    Outcome equilibrate(State& state, int most);
    Outcome giveUp(const State& state);
    bool descend(State& state, double& shift);
    std::optional<Eigen::VectorXd> newtonStep(const State& state, double shift);
    std::vector<int> slackDrawnTaut(const State& state, const Eigen::VectorXd& step) const;
    bool searchAlong(State& state, const Eigen::VectorXd& step);
    bool krylovStep(State& state);
    State firstGuess(double increment, double loadFactor);
    bool startsWithSlackMembers() const;
    std::optional<Eigen::VectorXd> stringNetShape(double loadFactor);
    std::optional<State> leastAlong(const State& from, const Eigen::VectorXd& direction,
                                    double farthest) const;
    bool factorStale() const;
    bool continuous(const State& from, const State& to) const;
    bool stayedNearby(const State& trial) const;
    Outcome step(double increment, bool finest, State& trial);
    Outcome followPath();
    bool ahead(const State& state) const;
    bool passCriticalPoint(Outcome outcome, State& trial);
    bool leaveAlongCriticalMode(State& state);
    Eigen::VectorXd criticalMode() const;
    void accept(State&& state, CriticalPoint passed = CriticalPoint::None);
    std::vector<Point> displacementsAt(const State& state) const;
    Solution finish(SolutionStatus status);
    std::vector<std::pair<int, double>> unresolvedMembers() const;
    void takeForcesFromBalance(Solution& solution,
                               const std::vector<std::pair<int, double>>& unresolved);
    void nameStiffMember(Solution& solution,
                         const std::vector<std::pair<int, double>>& unresolved) const;
    bool balanced(const Solution& solution) const;

    const SolverOptions options_;
    const Model& model_;
    Structure structure_;
    TangentFactor factor_;
    std::vector<Eigen::Vector3d> nodeLoads_;
    Eigen::VectorXd load_;
    Eigen::VectorXd imbalance_; // of the initial forces in the geometry given
    double largestLoad_ = 0;
    double largestInitialForce_ = 0;
    bool slackAtStart_ = false; // some member carries no force in the unloaded state
    bool loadMoves_ = false;    // the load changes the forces by more than the balance can tell
    int plannedSteps_;
    int mostPathIterations_;
    ProgressReport progress_;
    PathObserver observer_;
    State current_;
    Eigen::VectorXd lastIncrement_;
    double lastLoadIncrement_ = 0;
    int steps_ = 0;
    int iterations_ = 0;
    double staleSolves_ = 0;     // solves spent since the last factorisation beyond one a step
    std::vector<int> drawnTaut_; // the slack cables the last Newton step counted taut
    CriticalPoint critical_ = CriticalPoint::None;
    double criticalLoadFactor_ = 0;
    int mechanismUnknown_ = -1; // where the path ends at a mechanism: the singular unknown
};

Path::Path(const Model& model, const LoadCase& loadCase, const ProgressReport& progress,
           const PathObserver& observer, const SolverOptions& options)
    : options_(options), model_(model), structure_(model),
      factor_(structure_.tangentAt(Eigen::VectorXd::Zero(structure_.unknownCount()), 0)),
      nodeLoads_(structure_.nodeLoads(loadCase)), load_(structure_.freePart(nodeLoads_)),
      imbalance_(structure_.freePart(
          structure_.sumsAt(Eigen::VectorXd::Zero(structure_.unknownCount())).nodeForces)),
      plannedSteps_(loadCase.steps > 0 ? loadCase.steps : 1),
      mostPathIterations_(options_.mostIterations * plannedSteps_ + options_.spareIterations),
      progress_(progress), observer_(observer),
      current_(stateAt(Eigen::VectorXd::Zero(structure_.unknownCount()), 0)),
      lastIncrement_(Eigen::VectorXd::Zero(structure_.unknownCount())) {
    setTolerances();
    examineUnstable(current_);
}

// The forces that set the tolerance, fixed by the problem alone.
void Path::setTolerances() {
    for (const Eigen::Vector3d& load : nodeLoads_)
        largestLoad_ = std::max(largestLoad_, load.cwiseAbs().maxCoeff());
    for (double force : current_.sums.axialForces) {
        largestInitialForce_ = std::max(largestInitialForce_, std::abs(force));
        slackAtStart_ = slackAtStart_ || force == 0;
    }
    loadMoves_ = largest(load_ - imbalance_) > targetAt(0);
}

// The out-of-balance force aimed at: a part in 1e9 of the largest load applied or initial
// member force, so that a state under a small part of the load is balanced as finely.
double Path::targetAt(double loadFactor) const {
    return options_.relativeTolerance * std::max(loadFactor * largestLoad_, largestInitialForce_);
}

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
    const double work = applied.dot(state.unknowns);
    state.potential = state.sums.strainEnergy - work;
    state.rounding =
        options_.energyRounding *
        (std::abs(state.sums.strainEnergy) + applied.cwiseProduct(state.unknowns).cwiseAbs().sum());
    return state;
}

// Balanced to the force aimed at, or, where the iterations have stopped gaining, to what
// the rounding of the forces allows where that is larger. Such a state may be an answer
// only once its members too stiff to be resolved take their forces from the balance.
bool Path::converged(const State& state, bool stalled) const {
    const double target = targetAt(state.loadFactor);
    const Eigen::ArrayXd force = state.residual.cwiseAbs().array();
    return (force <= target).all() ||
           (stalled && (force <= roundingFloors(state).array().max(target)).all());
}

// Per unknown, the rounding of the forces of its node's members.
Eigen::VectorXd Path::roundingFloors(const State& state) const {
    const std::vector<double> roundings = structure_.forceRoundings(state.unknowns);
    std::vector<double> atNodes(model_.nodes.size(), 0);
    for (std::size_t m = 0; m < model_.members.size(); ++m) {
        atNodes[model_.members[m].first] += roundings[m];
        atNodes[model_.members[m].second] += roundings[m];
    }
    Eigen::VectorXd floors(structure_.unknownCount());
    for (int k = 0; k < structure_.unknownCount(); ++k)
        floors[k] = options_.roundingFloorFactor * atNodes[structure_.unknown(k).node];
    return floors;
}

// The one merit of a trial state: a fall of the potential energy by a part of what the step
// promised. Where the energies cannot tell the states apart, the fall is the work of the
// mean out-of-balance force over the step; where that too is lost in rounding, the
// out-of-balance force itself must fall.
bool Path::improves(const State& trial, const State& now, double promised) const {
    if (!std::isfinite(trial.potential) || !trial.residual.allFinite())
        return false;
    double fall = now.potential - trial.potential;
    if (std::abs(fall) <= std::max(now.rounding, trial.rounding)) {
        const Eigen::VectorXd work =
            (now.residual + trial.residual).cwiseProduct(trial.unknowns - now.unknowns) / 2;
        fall = work.sum();
        if (std::abs(fall) <= options_.energyRounding * work.cwiseAbs().sum())
            return largest(trial.residual) < largest(now.residual);
    }
    return fall > 0 && fall >= options_.sufficientFall * promised;
}

bool Path::exhausted() const {
    return iterations_ >= mostPathIterations_;
}

// A displacement a hundred times the size of the structure is one that nothing resists.
bool Path::runsAway(const State& state) const {
    return state.unknowns.size() > 0 &&
           !(state.unknowns.lpNorm<Eigen::Infinity>() <= options_.runawaySize * structure_.size());
}

// The planned load steps done count the states accepted on their grid; the others are the
// smaller steps taken where a planned one was cut.
void Path::report(const State& state, int iteration) const {
    if (!progress_)
        return;
    const int planned = std::min(
        plannedSteps_, static_cast<int>(std::floor(current_.loadFactor * plannedSteps_ + 1e-6)));
    progress_({planned, plannedSteps_, std::max(0, steps_ - planned), iteration,
               largest(state.residual), state.loadFactor});
}

// The tangent at the state, shifted, and with the slack cables given counted taut.
Inertia Path::factorAt(const State& state, double shift, const std::vector<int>& drawnTaut) {
    staleSolves_ = 0;
    structure_.tangentAt(state.unknowns, shift);
    return factor_.factorize(structure_.addDrawnTaut(state.unknowns, drawnTaut),
                             shift != 0 || !drawnTaut.empty());
}

// A structure of cables alone has a positive semi-definite tangent: it can neither snap
// through nor buckle. A state of one with bars is factorised: its inertia says whether it
// is stable, and the factorisation gives the path's tangent there.
bool Path::examineUnstable(State& state) {
    if (!structure_.hasBars())
        return false;
    state.inertia = factorAt(state, 0);
    if (state.inertia->positiveDefinite())
        state.pathTangent = factor_.solve(load_ - imbalance_);
    return state.inertia->negativePivots > 0;
}

// Newton-Raphson at a fixed load, each step down the potential energy. Where the tangent is
// not positive definite (a straight unstressed cable, a slack one, an unstable state) its
// diagonal is shifted, and the shift grows while no step improves the state and shrinks
// when one does, so that it vanishes at convergence.
Outcome Path::equilibrate(State& state, int most) {
    double shift = 0;
    double before = std::numeric_limits<double>::infinity();
    for (int iteration = 1; iteration <= most; ++iteration) {
        const double now = largest(state.residual);
        if (converged(state, now > before / 2))
            return Outcome::Taken;
        if (exhausted())
            return Outcome::Exhausted;
        if (runsAway(state))
            return giveUp(state);
        report(state, iteration);
        ++iterations_;
        before = now;
        if (shift == 0 && factor_.holdsRegularTangent() && !factorStale() && krylovStep(state))
            continue;
        if (!descend(state, shift))
            return converged(state, true) ? Outcome::Taken : giveUp(state);
        shift = shift / 10 < options_.firstShift ? 0 : shift / 10;
    }
    return converged(state, true) ? Outcome::Taken : Outcome::NotConverged;
}

// Where a state runs away, no step improves it, or no step from it finds a balance: a
// mechanism where its tangent is singular.
Outcome Path::giveUp(const State& state) {
    mechanismUnknown_ = factorAt(state, 0).singularUnknown;
    return mechanismUnknown_ >= 0 ? Outcome::Mechanism : Outcome::NotConverged;
}

// One Newton step on the tangent, its diagonal shifted as little as makes it positive
// definite and the step go down the energy.
bool Path::descend(State& state, double& shift) {
    while (shift <= options_.largestShift) {
        if (const std::optional<Eigen::VectorXd> step = newtonStep(state, shift);
            step && searchAlong(state, *step))
            return true;
        shift = shift == 0 ? options_.firstShift : 10 * shift;
    }
    return false;
}

// The tangent knows nothing of a slack cable: a Newton step that draws one taut stretches it
// as though it were not there, far beyond its slack, and the search along the step stops
// where the first few such cables pull back, a small part of the way. Where many cables went
// slack at once, as when a heavy load on part of a net first bears on its prestress, such
// steps would draw them taut again a hundred or so an iteration. A net of cables takes the
// step again with those it draws taut counted taut, their law carried on below their slack
// length, until the cables it draws taut are those it counted; it starts from those the last
// step counted, still slack, for the cables that go slack and taut change little from one
// iteration to the next.
std::optional<Eigen::VectorXd> Path::newtonStep(const State& state, double shift) {
    std::vector<int> counted;
    if (!structure_.hasBars())
        for (int cable : drawnTaut_)
            if (structure_.slack(state.unknowns, cable))
                counted.push_back(cable);
    for (int round = 0;; ++round) {
        if (!factorAt(state, shift, counted).positiveDefinite())
            return std::nullopt;
        Eigen::VectorXd step =
            factor_.solve(state.residual -
                          structure_.freePart(structure_.drawnTautForces(state.unknowns, counted)));
        std::vector<int> drawn;
        if (!structure_.hasBars() && round < options_.mostDrawingRounds)
            drawn = slackDrawnTaut(state, step);
        if (structure_.hasBars() || round == options_.mostDrawingRounds || drawn == counted) {
            drawnTaut_ = std::move(counted);
            return step;
        }
        counted = std::move(drawn);
    }
}

// The cables slack in the state and taut at the end of the step, in order.
std::vector<int> Path::slackDrawnTaut(const State& state, const Eigen::VectorXd& step) const {
    const std::vector<double> after = structure_.sumsAt(state.unknowns + step).axialForces;
    std::vector<int> cables;
    for (std::size_t m = 0; m < after.size(); ++m)
        if (after[m] > 0 && state.sums.axialForces[m] == 0 &&
            structure_.slack(state.unknowns, static_cast<int>(m)))
            cables.push_back(static_cast<int>(m));
    return cables;
}

// Takes the longest of the step and its halves that improves the state. A net of cables
// whose whole step would raise the largest out-of-balance force is taken instead to the
// least of the energy along the step, where that improves it.
bool Path::searchAlong(State& state, const Eigen::VectorXd& step) {
    const double slope = state.residual.dot(step); // the fall of the energy per step, at its start
    double part = 1;
    for (int halving = 0; halving <= options_.mostHalvings; ++halving, part /= 2) {
        State trial = stateAt(state.unknowns + part * step, state.loadFactor);
        if (halving == 0 && !structure_.hasBars() &&
            largest(trial.residual) > largest(state.residual)) {
            std::optional<State> least = leastAlong(state, step, 1);
            if (least && improves(*least, state, 0))
                trial = std::move(*least);
        }
        if (improves(trial, state, part * slope)) {
            state = std::move(trial);
            return true;
        }
    }
    return false;
}

// A Newton step solved by conjugate gradients on the current tangent, preconditioned by
// the last factorisation: while that stays close to the current tangent a few solves with
// it replace a new factorisation, by far the largest cost of an iteration. A step that does
// not cut the out-of-balance force enough makes a new factorisation instead, but for a net
// of cables: its energy is convex, and the step is the Newton step that a new factorisation
// would give, so it is taken wherever it lowers the energy.
bool Path::krylovStep(State& state) {
    Eigen::ConjugateGradient<SparseMatrix, Eigen::Lower, EarlierTangent> gradients;
    gradients.preconditioner().use(factor_);
    gradients.setMaxIterations(std::max(
        options_.fewestKrylovIterations,
        static_cast<int>(options_.krylovShareOfFactorization * factor_.solvesPerFactorization())));
    gradients.setTolerance(options_.krylovTolerance);
    gradients.compute(structure_.tangentAt(state.unknowns, 0));
    const Eigen::VectorXd step = gradients.solve(state.residual);
    staleSolves_ += static_cast<double>(gradients.iterations()) - 1;
    if (gradients.info() != Eigen::Success)
        return false;
    State next = stateAt(state.unknowns + step, state.loadFactor);
    const bool cutEnough =
        !structure_.hasBars() ||
        largest(next.residual) <= options_.krylovContraction * largest(state.residual);
    if (!cutEnough || !improves(next, state, state.residual.dot(step)))
        return false;
    state = std::move(next);
    return true;
}

// The first guess of a load step carries on the last step in proportion. For a net of
// cables, whose potential energy is convex in the displacements, it is the least of the
// energy along that line where the proportion overshoots it (the displacements of a net
// that started without forces grow as the cube root of the load), and the first step from a
// start with slack members follows the shape of a string net.
State Path::firstGuess(double increment, double loadFactor) {
    const double onward = lastLoadIncrement_ > 0 ? increment / lastLoadIncrement_ : 0;
    State guess = stateAt(current_.unknowns + onward * lastIncrement_, loadFactor);
    std::optional<State> better;
    if (structure_.hasBars())
        return guess;
    if (startsWithSlackMembers()) {
        if (const std::optional<Eigen::VectorXd> shape = stringNetShape(loadFactor))
            better = leastAlong(stateAt(current_.unknowns, loadFactor), *shape,
                                options_.farthestStretch);
    } else if (onward > 0 && guess.potential > current_.sums.strainEnergy -
                                                   appliedAt(loadFactor).dot(current_.unknowns)) {
        better = leastAlong(stateAt(current_.unknowns, loadFactor), onward * lastIncrement_, 1);
    }
    // Only a guess of less energy is better: not one lost to overflow.
    return better && better->potential < guess.potential ? std::move(*better) : guess;
}

// The first step of a net of cables some of whose members carry no force at the start,
// without initial force or slack by their length: nothing resists a move across them, and
// a slack one not even along it, so Newton steps from there are far too long or none.
bool Path::startsWithSlackMembers() const {
    return slackAtStart_ && current_.loadFactor == 0 && lastLoadIncrement_ == 0;
}

// The displacements of a net of strings all pulled alike, which holds every node that a
// path of members ties to a support; none where a part of it floats free.
std::optional<Eigen::VectorXd> Path::stringNetShape(double loadFactor) {
    staleSolves_ = 0;
    if (!factor_.factorize(structure_.tangentAt(current_.unknowns, 0, options_.stringPull), true)
             .positiveDefinite())
        return std::nullopt;
    return factor_.solve(stateAt(current_.unknowns, loadFactor).residual);
}

// From the state along the direction, the state where the potential energy stops falling,
// found by doubling and halving the distance: each try costs a sum over the members, not a
// factorisation. None beyond `farthest` times the direction.
std::optional<State> Path::leastAlong(const State& from, const Eigen::VectorXd& direction,
                                      double farthest) const {
    const auto at = [&](double part) {
        return stateAt(from.unknowns + part * direction, from.loadFactor);
    };
    const auto falling = [&](const State& state) { return state.residual.dot(direction) > 0; };
    double below = 0;
    double above = std::min(1.0, farthest);
    State least = at(above);
    for (; falling(least); least = at(above)) {
        if (above >= farthest)
            return std::nullopt;
        below = above;
        above *= 2;
    }
    while (above - below > options_.stretchPrecision * above) {
        const double middle = (below + above) / 2;
        State state = at(middle);
        if (falling(state)) {
            below = middle;
        } else {
            above = middle;
            least = std::move(state);
        }
    }
    return least;
}

// A factor that has cost more in the extra solves of conjugate gradients than a new one
// would is refreshed: over many small load steps the tangent drifts away from it.
bool Path::factorStale() const {
    return staleSolves_ > factor_.solvesPerFactorization();
}

// Whether a step followed its path: its increment is the one that the path's tangents at
// both its ends foresee, to within half its size. On the way to a limit point the path
// bends from them by less than that, unless a step goes more than three quarters of the
// way; past a limit point the step lands on a far branch, about its whole size away from
// what either end foresees. A load that changes the forces by less than the balance can
// tell (a prestress alone, balanced but for rounding) has no path: its tangents foresee
// only the rounding.
bool Path::continuous(const State& from, const State& to) const {
    if (!loadMoves_)
        return true;
    const Eigen::VectorXd went = to.unknowns - from.unknowns;
    const double increment = to.loadFactor - from.loadFactor;
    for (const Eigen::VectorXd* tangent : {&from.pathTangent, &to.pathTangent})
        if (tangent->size() > 0 && largest(went - increment * *tangent) > largest(went) / 2)
            return false;
    return true;
}

// Whether a finest step that its tangents did not foresee left the structure stable and
// nearby, on its path: so close to a limit point the path bends faster than its tangents
// tell, while a snap-through carries the structure far.
bool Path::stayedNearby(const State& trial) const {
    return largest(trial.unknowns - current_.unknowns) <=
               options_.escapeDistance * structure_.size() &&
           !(trial.inertia && trial.inertia->negativePivots > 0);
}

// One load step from the current state, a finest one with the iterations of an escape.
Outcome Path::step(double increment, bool finest, State& trial) {
    // The last of equal steps lands on the full load, whatever the rounding of their sum.
    const double target = current_.loadFactor + increment;
    trial = firstGuess(increment, target > 1 - 1e-9 * increment ? 1.0 : target);
    const Outcome outcome =
        equilibrate(trial, finest ? options_.mostEscapeIterations : options_.mostIterations);
    if (outcome != Outcome::Taken)
        return outcome;
    const bool unstable = examineUnstable(trial);
    if (!continuous(current_, trial) && !(finest && stayedNearby(trial)))
        return Outcome::Jumped;
    if (unstable)
        return Outcome::Unstable;
    return Outcome::Taken;
}

// Load steps to the full load, each halved while it fails. A step that jumped either passed a
// limit point or took a bend of the path too sharp for one step: the steps close in on the
// state it jumped to, and reach it once the rest of the way follows the path, or find the
// limit point to the finest step, from where a step to that load snaps through. A finest
// step that ends unstable has passed a bifurcation; one that finds no balance ends the path,
// at a mechanism where the state it started from has a singular tangent.
Outcome Path::followPath() {
    const double nominal = 1.0 / plannedSteps_;
    double increment = nominal;
    std::optional<State> jumped;
    while (current_.loadFactor < 1) {
        const double room = jumped ? jumped->loadFactor - current_.loadFactor : 2;
        const bool located = room <= 2 * finestLoadStep;
        increment = located ? room : std::min(increment, room / 2);
        const bool finest = located || increment <= finestLoadStep;
        State trial;
        const Outcome outcome = step(increment, finest, trial);
        if (outcome == Outcome::Taken) {
            accept(std::move(trial));
            increment = std::min(nominal, 2 * increment);
            if (located)
                jumped.reset();
            else if (jumped && ahead(*jumped))
                accept(*std::exchange(jumped, std::nullopt));
        } else if (outcome == Outcome::Mechanism || outcome == Outcome::Exhausted) {
            return outcome;
        } else if (!finest) {
            if (outcome == Outcome::Jumped)
                jumped = std::move(trial);
            increment /= 2;
        } else if (passCriticalPoint(outcome, trial)) {
            increment = nominal;
            jumped.reset();
        } else {
            return exhausted() ? Outcome::Exhausted : giveUp(current_);
        }
    }
    return Outcome::Taken;
}

// Whether a state that a step jumped to lies ahead on the path from the current state.
bool Path::ahead(const State& state) const {
    return continuous(current_, state) && !(state.inertia && state.inertia->negativePivots > 0);
}

// At a critical point, the finest step beyond it in trial: past a limit point the structure
// snapped through to a far branch; past a bifurcation the path goes on unstable. From an
// unstable state the structure leaves along its critical mode. The path so far says nothing
// of the next step.
bool Path::passCriticalPoint(Outcome outcome, State& trial) {
    if (outcome != Outcome::Jumped && outcome != Outcome::Unstable)
        return false;
    if (critical_ == CriticalPoint::None) {
        critical_ =
            outcome == Outcome::Jumped ? CriticalPoint::LimitPoint : CriticalPoint::Bifurcation;
        criticalLoadFactor_ = current_.loadFactor;
    }
    if (trial.inertia->negativePivots > 0 && !leaveAlongCriticalMode(trial))
        return false;
    accept(std::move(trial),
           outcome == Outcome::Jumped ? CriticalPoint::LimitPoint : CriticalPoint::Bifurcation);
    lastIncrement_.setZero();
    lastLoadIncrement_ = 0;
    return true;
}

// From an unstable state (its tangent the last factorised) down to a stable one at the same
// load, starting off along the critical mode to either side.
bool Path::leaveAlongCriticalMode(State& state) {
    const Eigen::VectorXd away = options_.escapeDistance * structure_.size() * criticalMode();
    for (const double side : {1.0, -1.0}) {
        State moved = stateAt(state.unknowns + side * away, state.loadFactor);
        if (equilibrate(moved, options_.mostEscapeIterations) == Outcome::Taken &&
            !examineUnstable(moved)) {
            state = std::move(moved);
            return true;
        }
    }
    return false;
}

// The eigenvector of the last factorised tangent whose eigenvalue lies nearest zero, by
// inverse iteration from a fixed pseudo-random start; its largest component is 1.
Eigen::VectorXd Path::criticalMode() const {
    std::minstd_rand generator;
    Eigen::VectorXd mode(structure_.unknownCount());
    for (double& component : mode)
        component = static_cast<double>(generator()) / std::minstd_rand::max() - 0.5;
    for (int k = 0; k < options_.inverseIterations; ++k)
        mode = factor_.solve(mode).normalized();
    Eigen::Index largest = 0;
    mode.cwiseAbs().maxCoeff(&largest);
    return mode / mode[largest];
}

void Path::accept(State&& state, CriticalPoint passed) {
    lastIncrement_ = state.unknowns - current_.unknowns;
    lastLoadIncrement_ = state.loadFactor - current_.loadFactor;
    current_ = std::move(state);
    ++steps_;
    if (observer_)
        observer_({current_.loadFactor, passed, displacementsAt(current_)});
}

// Only a stable state is an answer. A structure with bars had each state examined on the
// way; one of cables alone can only be singular, which a factorisation shows where the
// last one was not regular.
Solution Path::run() {
    const Outcome outcome = followPath();
    if (outcome != Outcome::Taken)
        return finish(outcome == Outcome::Mechanism ? SolutionStatus::Mechanism
                                                    : SolutionStatus::NotConverged);
    mechanismUnknown_ = current_.inertia                ? current_.inertia->singularUnknown
                        : factor_.holdsRegularTangent() ? -1
                                                        : factorAt(current_, 0).singularUnknown;
    return finish(mechanismUnknown_ >= 0 ? SolutionStatus::Mechanism : SolutionStatus::Converged);
}

Point pointOf(const Eigen::Vector3d& vector) {
    return {vector[0], vector[1], vector[2]};
}

std::vector<Point> Path::displacementsAt(const State& state) const {
    std::vector<Point> displacements;
    for (const Eigen::Vector3d& displacement : structure_.displacements(state.unknowns))
        displacements.push_back(pointOf(displacement));
    return displacements;
}

Solution Path::finish(SolutionStatus status) {
    Solution solution;
    solution.status = status;
    solution.loadFactor = current_.loadFactor;
    solution.steps = steps_;
    solution.iterations = iterations_;
    solution.factorizations = factor_.factorizations();
    solution.iterationLimit = exhausted() ? mostPathIterations_ : 0;
    solution.criticalPoint = critical_;
    solution.criticalLoadFactor = criticalLoadFactor_;
    solution.tolerance = targetAt(current_.loadFactor);
    if (status == SolutionStatus::Mechanism) {
        solution.mechanismNode = structure_.unknown(mechanismUnknown_).node;
        solution.mechanismAxis = structure_.unknown(mechanismUnknown_).axis;
    }
    solution.displacements = displacementsAt(current_);
    solution.axialForces = current_.sums.axialForces;
    const std::vector<std::pair<int, double>> unresolved = unresolvedMembers();
    if (status == SolutionStatus::Converged && !unresolved.empty())
        takeForcesFromBalance(solution, unresolved);
    else if (status != SolutionStatus::Converged)
        nameStiffMember(solution, unresolved);
    const std::vector<Eigen::Vector3d> pulls =
        memberPulls(model_, solution.displacements, solution.axialForces);
    for (std::size_t node = 0; node < nodeLoads_.size(); ++node)
        solution.reactions.push_back(
            pointOf(-(pulls[node] + current_.loadFactor * nodeLoads_[node])));
    for (int k = 0; k < structure_.unknownCount(); ++k)
        solution.reactions[structure_.unknown(k).node][structure_.unknown(k).axis] = 0;
    if (solution.status == SolutionStatus::Converged && !balanced(solution))
        solution.status = SolutionStatus::Unbalanced;
    return solution;
}

// The members whose force the rounding of their elongation blurs by more than the
// out-of-balance force aimed at, the most blurred first, with that blur.
std::vector<std::pair<int, double>> Path::unresolvedMembers() const {
    const std::vector<double> roundings = structure_.forceRoundings(current_.unknowns);
    const double target = targetAt(current_.loadFactor);
    std::vector<std::pair<int, double>> members;
    for (std::size_t m = 0; m < roundings.size(); ++m)
        if (options_.roundingFloorFactor * roundings[m] > target)
            members.emplace_back(static_cast<int>(m), options_.roundingFloorFactor * roundings[m]);
    std::stable_sort(members.begin(), members.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return members;
}

// A converged state whose unresolved members' forces its balance leaves open is no answer.
void Path::takeForcesFromBalance(Solution& solution,
                                 const std::vector<std::pair<int, double>>& unresolved) {
    std::vector<Eigen::Vector3d> loads;
    for (const Eigen::Vector3d& load : nodeLoads_)
        loads.emplace_back(current_.loadFactor * load);
    std::vector<int> members;
    std::vector<double> roundings;
    for (const auto& [member, rounding] : unresolved) {
        members.push_back(member);
        roundings.push_back(rounding);
    }
    const ForcesFromBalance found =
        balanceForces(model_, solution.displacements, loads, members, solution.tolerance,
                      solution.axialForces, roundings);
    solution.forcesFromBalance = found.members;
    if (found.undetermined >= 0) {
        solution.status = SolutionStatus::NotConverged;
        nameStiffMember(solution, {{found.undetermined, 0}});
    }
}

// Where a case failed, the member too stiff to be resolved that may be why: the first of the
// unresolved, or else the stiffest where it is too stiff for the factorisation to see the
// members beside it. A mechanism seen beside such a member may be the factorisation's
// rounding alone.
void Path::nameStiffMember(Solution& solution,
                           const std::vector<std::pair<int, double>>& unresolved) const {
    std::vector<double> stiffness;
    for (const Member& each : model_.members)
        stiffness.push_back(each.axialStiffness / lengthOf(model_, each));
    const int member = unresolved.empty()
                           ? static_cast<int>(std::max_element(stiffness.begin(), stiffness.end()) -
                                              stiffness.begin())
                           : unresolved.front().first;
    const double own = stiffness[member];
    const auto median = stiffness.begin() + static_cast<std::ptrdiff_t>(stiffness.size() - 1) / 2;
    std::nth_element(stiffness.begin(), median, stiffness.end());
    const double ratio = own / *median;
    if (unresolved.empty() && !(ratio * vanishingPivot > options_.beyondTheFactor))
        return;
    solution.stiffMember = member;
    solution.stiffnessRatio = ratio;
    if (solution.status == SolutionStatus::Mechanism)
        solution.status = SolutionStatus::NotConverged;
}

// The balance of an answer recomputed from what is written of it, apart from the iteration
// that found it: at every node the load, the reaction and the member forces in the
// displaced geometry sum to zero within the tolerance and the rounding of the forces that
// meet there.
bool Path::balanced(const Solution& solution) const {
    const std::vector<Eigen::Vector3d> pulls =
        memberPulls(model_, solution.displacements, solution.axialForces);
    std::vector<double> meeting(model_.nodes.size(), 0);
    for (std::size_t m = 0; m < model_.members.size(); ++m)
        for (int end : {model_.members[m].first, model_.members[m].second})
            meeting[end] += std::abs(solution.axialForces[m]);
    for (std::size_t node = 0; node < pulls.size(); ++node) {
        const Eigen::Vector3d load = solution.loadFactor * nodeLoads_[node];
        const Eigen::Vector3d sum =
            load + pulls[node] + Eigen::Map<const Eigen::Vector3d>(solution.reactions[node].data());
        const double rounding = options_.roundingFloorFactor *
                                std::numeric_limits<double>::epsilon() *
                                (meeting[node] + load.cwiseAbs().sum());
        if (!(sum.cwiseAbs().maxCoeff() <= 2 * solution.tolerance + rounding))
            return false;
    }
    return true;
}

} // namespace

Solution solve(const Model& model, const LoadCase& loadCase, const ProgressReport& progress,
               const PathObserver& observer, const SolverOptions& options) {
    return Path(model, loadCase, progress, observer, options).run();
}

} // namespace ombrix
