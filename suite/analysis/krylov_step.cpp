#include "krylov_step.h"

#include <algorithm>

namespace ombrix {

KrylovStep krylovStep(LoadedStructure& loaded, const TangentFactor& earlierTangent, State& state) {
    const SolverOptions& options = loaded.options();
    Eigen::ConjugateGradient<SparseMatrix, Eigen::Lower, EarlierTangent> gradients;
    gradients.preconditioner().use(earlierTangent);
    gradients.setMaxIterations(std::max(options.fewestKrylovIterations,
                                        static_cast<int>(options.krylovShareOfFactorization *
                                                         earlierTangent.solvesPerFactorization())));
    gradients.setTolerance(options.krylovTolerance);
    gradients.compute(loaded.structure().tangentAt(state.unknowns, 0));
    const Eigen::VectorXd step = gradients.solve(state.residual);
    const int solves = static_cast<int>(gradients.iterations());
    if (gradients.info() != Eigen::Success)
        return {false, solves};
    State next = loaded.stateAt(state.unknowns + step, state.loadFactor);
    const bool cutEnough =
        !loaded.structure().hasBars() ||
        largest(next.residual) <= options.krylovContraction * largest(state.residual);
    if (!cutEnough || !loaded.improves(next, state, state.residual.dot(step)))
        return {false, solves};
    state = std::move(next);
    return {true, solves};
}

} // namespace ombrix
