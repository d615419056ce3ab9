// The factorisation of a tangent stiffness (lower triangle given) that the solver makes,
// solves with and reads the state's stability from, and the preconditioner it makes of an
// earlier one.
#pragma once

#include "sparse_factorization.h"
#include "supernodal_ldlt.h"

#include <Eigen/IterativeLinearSolvers>

namespace ombrix {

class TangentFactor {
  public:
    // The ordering and symbolic factorisation, once for the pattern.
    explicit TangentFactor(const SparseMatrix& pattern);

    // shifted: not the tangent itself, but its diagonal raised, as where the tangent is not
    // positive definite, or slack cables counted taut.
    Inertia factorize(const SparseMatrix& tangent, bool shifted);
    Eigen::VectorXd solve(const Eigen::VectorXd& right) const { return ldlt_.solve(right); }
    // A solve by the factor rounded to single precision, of a regular tangent only: enough
    // to precondition conjugate gradients, which check every answer in double precision.
    Eigen::VectorXd precondition(const Eigen::VectorXd& right) const {
        return ldlt_.solveInSinglePrecision(right);
    }
    // Whether it holds a tangent as it is, positive definite: one that preconditions the
    // tangents of the states near its own.
    bool holdsRegularTangent() const { return holdsRegularTangent_; }
    // What a factorisation costs, in solves with the factor.
    double solvesPerFactorization() const { return ldlt_.solvesPerFactorization(); }
    int factorizations() const { return factorizations_; } // made so far: the solver's cost

  private:
    SupernodalLdlt ldlt_;
    bool holdsRegularTangent_ = false;
    int factorizations_ = 0;
};

// A factorisation of an earlier tangent as the preconditioner of Eigen's conjugate
// gradients on the current one.
class EarlierTangent {
  public:
    using MatrixType = SparseMatrix;
    void use(const TangentFactor& factor) { factor_ = &factor; }
    template <typename Matrix> EarlierTangent& analyzePattern(const Matrix&) { return *this; }
    template <typename Matrix> EarlierTangent& factorize(const Matrix&) { return *this; }
    template <typename Matrix> EarlierTangent& compute(const Matrix&) { return *this; }
    Eigen::VectorXd solve(const Eigen::VectorXd& right) const {
        return factor_->precondition(right);
    }
    Eigen::ComputationInfo info() const { return Eigen::Success; }

  private:
    const TangentFactor* factor_ = nullptr;
};

} // namespace ombrix
