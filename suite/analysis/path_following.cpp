// The driver of the solver: load steps along the path, each cut while it fails, and past a
// critical point on to a stable state.
#include "solver.h"

#include "checked_answer.h"
#include "critical_points.h"
#include "factorizations.h"
#include "first_guess.h"
#include "loaded_structure.h"
#include "newton.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace ombrix {
namespace {

class Path {
  public:
    Path(const Model& model, const LoadCase& loadCase, const CaseStart& start,
         const ProgressReport& progress, const PathObserver& observer,
         const SolverOptions& options);
    Solution run();

  private:
    void report(const State& state, int iteration) const;
    bool continuous(const State& from, const State& to) const;
    bool stayedNearby(const State& trial) const;
    Outcome step(double increment, bool finest, State& trial);
    Outcome followPath();
    bool ahead(const State& state) const;
    void accept(State&& state, CriticalPoint passed = CriticalPoint::None);
    Solution finish(SolutionStatus status, int mechanismUnknown) const;

    LoadedStructure loaded_;
    Factorizations factors_;
    int plannedSteps_;
    Newton newton_;
    CriticalPoints criticalPoints_;
    FirstGuess firstGuess_;
    ProgressReport progress_;
    PathObserver observer_;
    State current_;
    int steps_ = 0;
};

Path::Path(const Model& model, const LoadCase& loadCase, const CaseStart& start,
           const ProgressReport& progress, const PathObserver& observer,
           const SolverOptions& options)
    : loaded_(model, loadCase, options, start), factors_(loaded_.structure()),
      plannedSteps_(loadCase.steps > 0 ? loadCase.steps : 1),
      newton_(loaded_, factors_, options.mostIterations * plannedSteps_ + options.spareIterations,
              [this](const State& state, int iteration) { report(state, iteration); }),
      criticalPoints_(loaded_, factors_, newton_), firstGuess_(loaded_, factors_),
      progress_(progress), observer_(observer),
      current_(loaded_.stateAt(loaded_.startUnknowns(), 0)) {
    criticalPoints_.examineUnstable(current_);
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

// Whether a step followed its path: its increment is the one that the path's tangents at
// both its ends foresee, to within half its size. On the way to a limit point the path
// bends from them by less than that, unless a step goes more than three quarters of the
// way; past a limit point the step lands on a far branch, about its whole size away from
// what either end foresees. A load that changes the forces by less than the balance can
// tell (a prestress alone, balanced but for rounding) has no path: its tangents foresee
// only the rounding.
bool Path::continuous(const State& from, const State& to) const {
    if (!loaded_.loadMoves())
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
               loaded_.options().escapeDistance * loaded_.structure().size() &&
           !(trial.inertia && trial.inertia->negativePivots > 0);
}

// One load step from the current state, a finest one with the iterations of an escape.
Outcome Path::step(double increment, bool finest, State& trial) {
    // The last of equal steps lands on the full load, whatever the rounding of their sum.
    const double target = current_.loadFactor + increment;
    trial = firstGuess_.from(current_, increment, target > 1 - 1e-9 * increment ? 1.0 : target);
    const Outcome outcome = newton_.equilibrate(
        trial, finest ? loaded_.options().mostEscapeIterations : loaded_.options().mostIterations);
    if (outcome != Outcome::Taken)
        return outcome;
    const bool unstable = criticalPoints_.examineUnstable(trial);
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
        } else if (const CriticalPoint passed =
                       criticalPoints_.pass(outcome, current_.loadFactor, trial);
                   passed != CriticalPoint::None) {
            accept(std::move(trial), passed);
            firstGuess_.forget();
            increment = nominal;
            jumped.reset();
        } else {
            return newton_.exhausted() ? Outcome::Exhausted : newton_.giveUp(current_);
        }
    }
    return Outcome::Taken;
}

// Whether a state that a step jumped to lies ahead on the path from the current state.
bool Path::ahead(const State& state) const {
    return continuous(current_, state) && !(state.inertia && state.inertia->negativePivots > 0);
}

void Path::accept(State&& state, CriticalPoint passed) {
    firstGuess_.accepted(current_, state);
    current_ = std::move(state);
    ++steps_;
    if (observer_)
        observer_({current_.loadFactor, passed, loaded_.displacementsAt(current_)});
}

// Only a stable state is an answer. A structure with bars had each state examined on the
// way; one of cables alone can only be singular, which a factorisation shows where the
// last one was not regular.
Solution Path::run() {
    const Outcome outcome = followPath();
    if (outcome != Outcome::Taken)
        return finish(outcome == Outcome::Mechanism ? SolutionStatus::Mechanism
                                                    : SolutionStatus::NotConverged,
                      newton_.mechanismUnknown());
    const int singular = current_.inertia ? current_.inertia->singularUnknown
                         : factors_.holdsRegularTangent()
                             ? -1
                             : factors_.ofTangent(current_, 0).singularUnknown;
    return finish(singular >= 0 ? SolutionStatus::Mechanism : SolutionStatus::Converged, singular);
}

Solution Path::finish(SolutionStatus status, int mechanismUnknown) const {
    Solution solution;
    solution.status = status;
    solution.loadFactor = current_.loadFactor;
    solution.steps = steps_;
    solution.iterations = newton_.iterations();
    solution.factorizations = factors_.count();
    solution.iterationLimit = newton_.exhausted() ? newton_.mostIterations() : 0;
    solution.criticalPoint = criticalPoints_.first();
    solution.criticalLoadFactor = criticalPoints_.firstLoadFactor();
    if (status == SolutionStatus::Mechanism) {
        const Unknown& singular = loaded_.structure().unknown(mechanismUnknown);
        solution.mechanismNode = singular.node;
        solution.mechanismAxis = singular.axis;
    }
    return checkedAnswer(loaded_, current_, std::move(solution));
}

} // namespace

Solution solve(const Model& model, const LoadCase& loadCase, const CaseStart& start,
               const ProgressReport& progress, const PathObserver& observer,
               const SolverOptions& options) {
    return Path(model, loadCase, start, progress, observer, options).run();
}

Solution solve(const Model& model, const LoadCase& loadCase, const ProgressReport& progress,
               const PathObserver& observer, const SolverOptions& options) {
    return solve(model, loadCase, CaseStart{}, progress, observer, options);
}

} // namespace ombrix
