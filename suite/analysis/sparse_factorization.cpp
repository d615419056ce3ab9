#include "sparse_factorization.h"

// Eigen's METIS support writes to std::cerr without including <iostream>.
#include <iostream>

#include <Eigen/MetisSupport>
#include <Eigen/OrderingMethods>

namespace ombrix {

void FillReducingOrdering::operator()(const SparseMatrix& symmetric,
                                      Permutation& permutation) const {
    permutation.resize(0);
    if (symmetric.cols() > 1)
        Eigen::MetisOrdering<int>()(symmetric, permutation);
    if (permutation.size() != symmetric.cols())
        Eigen::AMDOrdering<int>()(symmetric, permutation);
}

} // namespace ombrix
