// The factorisation's inertia, whatever order METIS puts the unknowns in, against the
// eigenvalues of the same matrix computed densely: Sylvester's law of inertia says the
// negative pivots are as many as the negative eigenvalues, and a singular matrix has a
// vanishing pivot.

#include "tangent_factor.h"

#include <gtest/gtest.h>

#include <Eigen/Eigenvalues>

#include <vector>

namespace ombrix {
namespace {

// The stiffness of a square grid of springs with k unknowns a side, held at the edge where
// held (otherwise free: singular), less `lowered` on its diagonal.
SparseMatrix grid(int k, bool held, double lowered) {
    std::vector<Eigen::Triplet<double>> entries;
    const auto at = [k](int i, int j) { return j * k + i; };
    for (int j = 0; j < k; ++j)
        for (int i = 0; i < k; ++i) {
            int neighbours = 0;
            for (const auto& [di, dj] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int ni = i + di, nj = j + dj;
                if (ni >= 0 && nj >= 0 && ni < k && nj < k) {
                    entries.emplace_back(at(i, j), at(ni, nj), -1.0);
                    ++neighbours;
                }
            }
            entries.emplace_back(at(i, j), at(i, j), (held ? 4.0 : neighbours) - lowered);
        }
    SparseMatrix matrix(k * k, k * k);
    matrix.setFromTriplets(entries.begin(), entries.end());
    return matrix;
}

TEST(TangentFactor, CountsNegativePivotsAsTheEigenvaluesAndFindsASingularMatrix) {
    const struct {
        int side;
        bool held;
        double lowered;
    } cases[] = {{1, true, 0}, {1, true, 5}, {2, true, 0}, {12, true, 0}, {12, true, 1.5},
                 {12, true, 5.3}, {12, false, 0}, {16, true, 0.3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << " a side, held " << c.held << ", lowered "
                                        << c.lowered);
        const SparseMatrix matrix = grid(c.side, c.held, c.lowered);
        const Eigen::VectorXd eigenvalues =
            Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd>(Eigen::MatrixXd(matrix)).eigenvalues();
        const double smallest = eigenvalues.cwiseAbs().minCoeff();
        const SparseMatrix lower = matrix.triangularView<Eigen::Lower>();
        TangentFactor factor(lower);
        const Inertia inertia = factor.factorize(lower, false);
        if (smallest < 1e-9) {
            EXPECT_GE(inertia.singularUnknown, 0);
        } else {
            EXPECT_EQ(inertia.singularUnknown, -1);
            EXPECT_EQ(inertia.negativePivots, (eigenvalues.array() < 0).count());
        }
    }
}

} // namespace
} // namespace ombrix
