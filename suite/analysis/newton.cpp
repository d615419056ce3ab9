#include "newton.h"

#include "krylov_step.h"
#include "line_search.h"

#include <limits>
#include <utility>

namespace ombrix {

Newton::Newton(LoadedStructure& loaded, Factorizations& factors, int mostIterations, Report report)
    : loaded_(loaded), factors_(factors), mostIterations_(mostIterations),
      report_(std::move(report)) {}

// Where the tangent is not positive definite (a straight unstressed cable, a slack one, an
// unstable state) its diagonal is shifted, and the shift grows while no step improves the
// state and shrinks when one does, so that it vanishes at convergence. Unshifted, a step by
// conjugate gradients on the latest factorisation is tried first where that is of a
// regular tangent.
Outcome Newton::equilibrate(State& state, int most) {
    double shift = 0;
    double before = std::numeric_limits<double>::infinity();
    for (int iteration = 1; iteration <= most; ++iteration) {
        const double now = largest(state.residual);
        if (loaded_.converged(state, now > before / 2))
            return Outcome::Taken;
        if (exhausted())
            return Outcome::Exhausted;
        if (loaded_.runsAway(state))
            return giveUp(state);
        report_(state, iteration);
        ++iterations_;
        before = now;
        if (shift == 0) {
            if (const TangentFactor* earlier = factors_.earlierRegularTangent()) {
                const KrylovStep step = krylovStep(loaded_, *earlier, state);
                factors_.spendExtraSolves(step.solves - 1);
                if (step.taken)
                    continue;
            }
        }
        if (!descend(state, shift))
            return loaded_.converged(state, true) ? Outcome::Taken : giveUp(state);
        shift = shift / 10 < loaded_.options().firstShift ? 0 : shift / 10;
    }
    return loaded_.converged(state, true) ? Outcome::Taken : Outcome::NotConverged;
}

Outcome Newton::giveUp(const State& state) {
    mechanismUnknown_ = factors_.ofTangent(state, 0).singularUnknown;
    return mechanismUnknown_ >= 0 ? Outcome::Mechanism : Outcome::NotConverged;
}

// One Newton step on the tangent, its diagonal shifted as little as makes it positive
// definite and the step go down the energy.
bool Newton::descend(State& state, double& shift) {
    while (shift <= loaded_.options().largestShift) {
        if (const std::optional<Eigen::VectorXd> step = newtonStep(state, shift);
            step && searchAlong(loaded_, state, *step))
            return true;
        shift = shift == 0 ? loaded_.options().firstShift : 10 * shift;
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
std::optional<Eigen::VectorXd> Newton::newtonStep(const State& state, double shift) {
    const Structure& structure = loaded_.structure();
    const int mostRounds = loaded_.options().mostDrawingRounds;
    std::vector<int> counted;
    if (!structure.hasBars())
        for (int cable : drawnTaut_)
            if (structure.slack(state.unknowns, cable))
                counted.push_back(cable);
    for (int round = 0;; ++round) {
        if (!factors_.ofTangent(state, shift, counted).positiveDefinite())
            return std::nullopt;
        Eigen::VectorXd step =
            factors_.solve(state.residual -
                           structure.freePart(structure.drawnTautForces(state.unknowns, counted)));
        std::vector<int> drawn;
        if (!structure.hasBars() && round < mostRounds)
            drawn = slackDrawnTaut(state, step);
        if (structure.hasBars() || round == mostRounds || drawn == counted) {
            drawnTaut_ = std::move(counted);
            return step;
        }
        counted = std::move(drawn);
    }
}

// The cables slack in the state and taut at the end of the step, in order.
std::vector<int> Newton::slackDrawnTaut(const State& state, const Eigen::VectorXd& step) const {
    const Structure& structure = loaded_.structure();
    const std::vector<double> after = structure.sumsAt(state.unknowns + step).axialForces;
    std::vector<int> cables;
    for (std::size_t m = 0; m < after.size(); ++m)
        if (after[m] > 0 && state.sums.axialForces[m] == 0 &&
            structure.slack(state.unknowns, static_cast<int>(m)))
            cables.push_back(static_cast<int>(m));
    return cables;
}

} // namespace ombrix
