// The sparse LDL' factorisation of a tangent stiffness (lower triangle given), and what
// its pivots tell about the state: a negative pivot means the state is unstable, a pivot
// that vanishes against its unknown's own stiffness means it is a mechanism there.
#pragma once

#include "structure.h"

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/OrderingMethods>
#include <Eigen/SparseCholesky>

namespace ombrix {

// A pivot smaller than this part of its unknown's diagonal before elimination counts as
// zero: far above the rounding of a singular matrix, far below any stiffness a structure
// relies on, and blind to how much stiffer other parts of the structure are, up to a
// member some 1e13 times stiffer than those beside it.
inline constexpr double vanishingPivot = 1e-13;

struct Inertia {
    int negativePivots = 0;
    int singularUnknown = -1; // the unknown of the first vanishing pivot, or -1
    bool positiveDefinite() const { return negativePivots == 0 && singularUnknown < 0; }
};

// METIS's nested dissection: on large nets a smaller factor than AMD's, made with half the
// work (docs/performance.md). AMD where METIS declines, as for want of memory.
struct FillReducingOrdering {
    using Permutation = Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int>;
    void operator()(const SparseMatrix& symmetric, Permutation& permutation) const;
};

class TangentFactor {
  public:
    // The ordering and symbolic factorisation, once for the pattern.
    explicit TangentFactor(const SparseMatrix& pattern);

    // shifted: not the tangent itself, but its diagonal raised, as where the tangent is not
    // positive definite, or slack cables counted taut.
    Inertia factorize(const SparseMatrix& tangent, bool shifted);
    Eigen::VectorXd solve(const Eigen::VectorXd& right) const { return ldlt_.solve(right); }
    // Whether it holds a tangent as it is, positive definite: one that preconditions the
    // tangents of the states near its own.
    bool holdsRegularTangent() const { return holdsRegularTangent_; }
    // What a factorisation costs, in solves with the factor: its multiplications over a
    // solve's.
    double solvesPerFactorization() const { return solvesPerFactorization_; }
    int factorizations() const { return factorizations_; } // made so far: the solver's cost

  private:
    Eigen::SimplicialLDLT<SparseMatrix, Eigen::Lower, FillReducingOrdering> ldlt_;
    bool holdsRegularTangent_ = false;
    double solvesPerFactorization_ = 1;
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
    Eigen::VectorXd solve(const Eigen::VectorXd& right) const { return factor_->solve(right); }
    Eigen::ComputationInfo info() const { return Eigen::Success; }

  private:
    const TangentFactor* factor_ = nullptr;
};

} // namespace ombrix
