#include "tangent_factor.h"

#include <cmath>

namespace ombrix {

namespace {
// Pivots smaller than this part of the largest member stiffness count as zero: far above
// the rounding of a singular matrix, far below any stiffness a structure relies on.
constexpr double vanishingPivot = 1e-10;
} // namespace

TangentFactor::TangentFactor(const SparseMatrix& pattern) {
    ldlt_.analyzePattern(pattern);
}

Inertia TangentFactor::factorize(const SparseMatrix& tangent, double stiffnessScale) {
    ldlt_.factorize(tangent);
    const Eigen::VectorXd& pivots = ldlt_.vectorD();
    const double smallest = vanishingPivot * stiffnessScale;
    Inertia inertia;
    // The factorisation stops at an exactly zero pivot; the pivots after it are not set.
    for (Eigen::Index k = 0; k < pivots.size(); ++k) {
        if (!(std::abs(pivots[k]) > smallest)) {
            inertia.singularUnknown = ldlt_.permutationPinv().indices()[k];
            break;
        }
        inertia.negativePivots += pivots[k] < 0;
    }
    return inertia;
}

} // namespace ombrix
