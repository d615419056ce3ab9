#include "first_guess.h"

#include "line_search.h"

namespace ombrix {

FirstGuess::FirstGuess(const LoadedStructure& loaded, Factorizations& factors)
    : loaded_(loaded), factors_(factors),
      lastIncrement_(Eigen::VectorXd::Zero(loaded.structure().unknownCount())) {}

// For a net of cables, whose potential energy is convex in the displacements, the guess is
// the least of the energy along the last step's line where the proportion overshoots it (the
// displacements of a net that started without forces grow as the cube root of the load),
// and the first step from a start with slack members follows the shape of a string net.
State FirstGuess::from(const State& current, double increment, double loadFactor) {
    const double onward = lastLoadIncrement_ > 0 ? increment / lastLoadIncrement_ : 0;
    State guess = loaded_.stateAt(current.unknowns + onward * lastIncrement_, loadFactor);
    std::optional<State> better;
    if (loaded_.structure().hasBars())
        return guess;
    if (startsWithSlackMembers(current)) {
        if (const std::optional<Eigen::VectorXd> shape = stringNetShape(current, loadFactor))
            better = leastAlong(loaded_, loaded_.stateAt(current.unknowns, loadFactor), *shape,
                                loaded_.options().farthestStretch);
    } else if (onward > 0 &&
               guess.potential > current.sums.strainEnergy -
                                     loaded_.appliedAt(loadFactor).dot(current.unknowns)) {
        better = leastAlong(loaded_, loaded_.stateAt(current.unknowns, loadFactor),
                            onward * lastIncrement_, 1);
    }
    // Only a guess of less energy is better: not one lost to overflow.
    return better && better->potential < guess.potential ? std::move(*better) : guess;
}

void FirstGuess::accepted(const State& before, const State& after) {
    lastIncrement_ = after.unknowns - before.unknowns;
    lastLoadIncrement_ = after.loadFactor - before.loadFactor;
}

void FirstGuess::forget() {
    lastIncrement_.setZero();
    lastLoadIncrement_ = 0;
}

// The first step of a net of cables some of whose members carry no force at the start,
// without initial force or slack by their length: nothing resists a move across them, and
// a slack one not even along it, so Newton steps from there are far too long or none.
bool FirstGuess::startsWithSlackMembers(const State& current) const {
    return loaded_.slackAtStart() && current.loadFactor == 0 && lastLoadIncrement_ == 0;
}

// The displacements of a net of strings all pulled alike, which holds every node that a
// path of members ties to a support; none where a part of it floats free.
std::optional<Eigen::VectorXd> FirstGuess::stringNetShape(const State& current, double loadFactor) {
    if (!factors_.ofStringNet(current.unknowns, loaded_.options().stringPull).positiveDefinite())
        return std::nullopt;
    return factors_.solve(loaded_.stateAt(current.unknowns, loadFactor).residual);
}

} // namespace ombrix
