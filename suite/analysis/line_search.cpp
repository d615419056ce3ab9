#include "line_search.h"

#include <algorithm>

namespace ombrix {

bool searchAlong(const LoadedStructure& loaded, State& state, const Eigen::VectorXd& step) {
    const double slope = state.residual.dot(step); // the fall of the energy per step, at its start
    double part = 1;
    for (int halving = 0; halving <= loaded.options().mostHalvings; ++halving, part /= 2) {
        State trial = loaded.stateAt(state.unknowns + part * step, state.loadFactor);
        if (halving == 0 && !loaded.structure().hasBars() &&
            largest(trial.residual) > largest(state.residual)) {
            std::optional<State> least = leastAlong(loaded, state, step, 1);
            if (least && loaded.improves(*least, state, 0))
                trial = std::move(*least);
        }
        if (loaded.improves(trial, state, part * slope)) {
            state = std::move(trial);
            return true;
        }
    }
    return false;
}

std::optional<State> leastAlong(const LoadedStructure& loaded, const State& from,
                                const Eigen::VectorXd& direction, double farthest) {
    const auto at = [&](double part) {
        return loaded.stateAt(from.unknowns + part * direction, from.loadFactor);
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
    while (above - below > loaded.options().stretchPrecision * above) {
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

} // namespace ombrix
