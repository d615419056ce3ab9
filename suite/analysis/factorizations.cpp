#include "factorizations.h"

namespace ombrix {

Factorizations::Factorizations(Structure& structure)
    : structure_(structure),
      factor_(structure.tangentAt(Eigen::VectorXd::Zero(structure.unknownCount()), 0)) {}

Inertia Factorizations::ofTangent(const State& state, double shift,
                                  const std::vector<int>& drawnTaut) {
    extraSolves_ = 0;
    structure_.tangentAt(state.unknowns, shift);
    return factor_.factorize(structure_.addDrawnTaut(state.unknowns, drawnTaut),
                             shift != 0 || !drawnTaut.empty());
}

Inertia Factorizations::ofStringNet(const Eigen::VectorXd& unknowns, double pull) {
    extraSolves_ = 0;
    return factor_.factorize(structure_.tangentAt(unknowns, 0, pull), true);
}

// A factor that has cost more in the extra solves of conjugate gradients than a new one
// would is refreshed: over many small load steps the tangent drifts away from it.
const TangentFactor* Factorizations::earlierRegularTangent() const {
    const bool stale = extraSolves_ > factor_.solvesPerFactorization();
    return factor_.holdsRegularTangent() && !stale ? &factor_ : nullptr;
}

} // namespace ombrix
