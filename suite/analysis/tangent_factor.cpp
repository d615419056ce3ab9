#include "tangent_factor.h"

// Eigen's METIS support writes to std::cerr without including <iostream>.
#include <iostream>

#include <Eigen/MetisSupport>

#include <algorithm>
#include <cmath>

namespace ombrix {

namespace {

// A factorisation's multiplications over a solve's with its factor: a column with c entries
// below the diagonal costs the first about c^2 / 2 of them and the second 2 c.
double multiplicationsOverASolve(const SparseMatrix& lower) {
    double factorization = 0;
    for (Eigen::Index column = 0; column < lower.cols(); ++column)
        factorization += std::pow(lower.col(column).nonZeros(), 2) / 2;
    return factorization / (2.0 * std::max<Eigen::Index>(lower.nonZeros(), 1));
}
} // namespace

void FillReducingOrdering::operator()(const SparseMatrix& symmetric,
                                      Permutation& permutation) const {
    permutation.resize(0);
    if (symmetric.cols() > 1)
        Eigen::MetisOrdering<int>()(symmetric, permutation);
    if (permutation.size() != symmetric.cols())
        Eigen::AMDOrdering<int>()(symmetric, permutation);
}

TangentFactor::TangentFactor(const SparseMatrix& pattern) {
    ldlt_.analyzePattern(pattern);
}

Inertia TangentFactor::factorize(const SparseMatrix& tangent, bool shifted) {
    ldlt_.factorize(tangent);
    ++factorizations_;
    solvesPerFactorization_ = multiplicationsOverASolve(ldlt_.matrixL().nestedExpression());
    const Eigen::VectorXd& pivots = ldlt_.vectorD();
    const Eigen::VectorXd diagonal = tangent.diagonal();
    Inertia inertia;
    // The factorisation stops at an exactly zero pivot; the pivots after it are not set.
    for (Eigen::Index k = 0; k < pivots.size(); ++k) {
        const int unknown = ldlt_.permutationPinv().indices()[k];
        if (!(std::abs(pivots[k]) > vanishingPivot * std::abs(diagonal[unknown]))) {
            inertia.singularUnknown = unknown;
            break;
        }
        inertia.negativePivots += pivots[k] < 0;
    }
    holdsRegularTangent_ = !shifted && inertia.positiveDefinite();
    return inertia;
}

} // namespace ombrix
