// Newton-Raphson at a fixed load, each step down the potential energy, its tangent shifted
// where it is not positive definite, and for a net of cables with the slack cables a step
// draws taut counted taut.
#pragma once

#include "factorizations.h"
#include "loaded_structure.h"

#include <functional>
#include <optional>
#include <vector>

namespace ombrix {

class Newton {
  public:
    // Told of each iteration before it is made.
    using Report = std::function<void(const State& state, int iteration)>;

    // mostIterations: all that the case may take, at every load.
    Newton(LoadedStructure& loaded, Factorizations& factors, int mostIterations, Report report);

    Outcome equilibrate(State& state, int most);
    // Where a state runs away, no step improves it, or no step from it finds a balance: a
    // mechanism where its tangent is singular.
    Outcome giveUp(const State& state);
    // Where the last give-up found a mechanism: the singular unknown.
    int mechanismUnknown() const { return mechanismUnknown_; }

    bool exhausted() const { return iterations_ >= mostIterations_; }
    int iterations() const { return iterations_; }
    int mostIterations() const { return mostIterations_; }

  private:
    bool descend(State& state, double& shift);
    std::optional<Eigen::VectorXd> newtonStep(const State& state, double shift);
    std::vector<int> slackDrawnTaut(const State& state, const Eigen::VectorXd& step) const;

    LoadedStructure& loaded_;
    Factorizations& factors_;
    const int mostIterations_;
    const Report report_;
    int iterations_ = 0;
    std::vector<int> drawnTaut_; // the slack cables the last Newton step counted taut
    int mechanismUnknown_ = -1;
};

} // namespace ombrix
