#include "tangent_factor.h"

namespace ombrix {

TangentFactor::TangentFactor(const SparseMatrix& pattern) : ldlt_(pattern) {}

Inertia TangentFactor::factorize(const SparseMatrix& tangent, bool shifted) {
    const Inertia inertia = ldlt_.factorize(tangent);
    ++factorizations_;
    holdsRegularTangent_ = !shifted && inertia.positiveDefinite();
    if (holdsRegularTangent_)
        ldlt_.keepInSinglePrecision();
    return inertia;
}

} // namespace ombrix
