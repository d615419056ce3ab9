// What the sparse LDL' factorisations of a tangent stiffness share: the matrix, the order
// that keeps the factor small, and what the pivots tell about the state. A negative pivot
// means the state is unstable; a pivot that vanishes against its unknown's own stiffness
// means it is a mechanism there.
#pragma once

#include <Eigen/Core>
#include <Eigen/SparseCore>

namespace ombrix {

using SparseMatrix = Eigen::SparseMatrix<double>;

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

} // namespace ombrix
