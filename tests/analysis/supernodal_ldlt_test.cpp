// The supernodal factorisation against dense computations on the same matrices: as many
// negative pivots as negative eigenvalues (Sylvester's law, whatever the order), and the
// solution of Eigen's dense LU, in double precision and, for a positive definite matrix, to
// single precision's accuracy by the factor rounded.

#include "supernodal_ldlt.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>

#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <tuple>
#include <vector>

namespace ombrix {
namespace {

// Nodes of `perNode` unknowns, each coupled by a random block to its neighbours: on a
// square grid (and across the diagonal), or to `perNode` random other nodes.
SparseMatrix randomSymmetric(int nodes, int perNode, bool grid) {
    std::mt19937 random(nodes * 31 + perNode);
    std::uniform_real_distribution<double> value(-1, 1);
    std::vector<Eigen::Triplet<double>> entries;
    const auto couple = [&](int a, int b) {
        for (int i = 0; i < perNode; ++i)
            for (int j = 0; j < perNode; ++j) {
                const double v = value(random);
                entries.emplace_back(a * perNode + i, b * perNode + j, v);
                entries.emplace_back(b * perNode + j, a * perNode + i, v);
            }
    };
    const int side = static_cast<int>(std::lround(std::sqrt(nodes)));
    for (int node = 0; node < nodes; ++node) {
        couple(node, node);
        if (grid) {
            for (const int step : {1, side, side + 1})
                if (node + step < nodes && (step == side || (node + 1) % side != 0))
                    couple(node, node + step);
        } else {
            for (int k = 0; k < perNode && nodes > 1; ++k)
                couple(node, (node + 1 + static_cast<int>(random() % (nodes - 1))) % nodes);
        }
    }
    const int size = nodes * perNode;
    SparseMatrix matrix(size, size);
    matrix.setFromTriplets(entries.begin(), entries.end());
    return matrix;
}

// The diagonal lowered by `shift`, and the row and column of `zeroUnknown` (if not -1)
// zeroed: every node couples to itself, so every diagonal entry is stored.
void shiftAndZero(SparseMatrix& matrix, double shift, int zeroUnknown) {
    for (Eigen::Index k = 0; k < matrix.outerSize(); ++k)
        for (SparseMatrix::InnerIterator entry(matrix, k); entry; ++entry) {
            if (entry.row() == entry.col())
                entry.valueRef() -= shift;
            if (entry.row() == zeroUnknown || entry.col() == zeroUnknown)
                entry.valueRef() = 0;
        }
}

TEST(SupernodalLdlt, CountsTheNegativeEigenvaluesAndSolvesAsDenseLu) {
    const struct {
        int nodes, perNode;
        bool grid;
        int negatives;   // eigenvalues below the shift
        int zeroUnknown; // an unknown whose row and column are zeroed, or -1
    } cases[] = {{1, 1, false, 0, -1},    {1, 3, false, 2, -1},     {40, 1, false, 0, -1},
                 {40, 1, false, 7, -1},   {300, 1, false, 120, -1}, {300, 1, false, 0, 77},
                 {64, 3, true, 0, -1},    {144, 3, true, 50, -1},   {144, 3, true, 431, -1},
                 {144, 3, true, 0, 200},  {144, 3, true, 30, 5},    {150, 3, false, 0, -1},
                 {150, 3, false, 200, -1}};
    std::map<std::tuple<int, int, bool>, Eigen::VectorXd> spectra;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nodes << " nodes of " << c.perNode << ", grid "
                                        << c.grid << ", " << c.negatives << " negative");
        SparseMatrix matrix = randomSymmetric(c.nodes, c.perNode, c.grid);
        // The dense eigenvalues take most of the test's time: once for each matrix.
        const auto key = std::make_tuple(c.nodes, c.perNode, c.grid);
        if (!spectra.contains(key))
            spectra[key] = Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd>(Eigen::MatrixXd(matrix),
                                                                          Eigen::EigenvaluesOnly)
                               .eigenvalues();
        const Eigen::VectorXd& eigenvalues = spectra[key];
        const double shift = c.negatives == 0
                                 ? eigenvalues[0] - 1
                                 : (eigenvalues[c.negatives - 1] + eigenvalues[c.negatives]) / 2;
        shiftAndZero(matrix, shift, c.zeroUnknown);
        const SparseMatrix lower = matrix.triangularView<Eigen::Lower>();
        SupernodalLdlt factor(lower);
        const Inertia inertia = factor.factorize(lower);
        EXPECT_EQ(inertia.singularUnknown, c.zeroUnknown);
        if (c.zeroUnknown >= 0)
            continue;
        EXPECT_EQ(inertia.negativePivots, c.negatives);
        const Eigen::VectorXd right = Eigen::VectorXd::LinSpaced(matrix.cols(), 1, 2);
        const Eigen::VectorXd dense = Eigen::MatrixXd(matrix).partialPivLu().solve(right);
        EXPECT_LT((factor.solve(right) - dense).norm(), 1e-10 * dense.norm());
        if (c.negatives > 0)
            continue; // only a positive definite factor preconditions
        factor.keepInSinglePrecision();
        const Eigen::VectorXd rounded = factor.solveInSinglePrecision(right);
        EXPECT_LT((rounded - dense).norm(), 1e-4 * dense.norm());
    }
}

// A factor keeps its memory from one factorisation to the next: what an earlier matrix of
// the pattern left there, even one whose factorisation stopped at a zero pivot, must not
// reach the next factor.
TEST(SupernodalLdlt, FactorisesAsAFreshFactorAfterAnotherMatrix) {
    const struct {
        int nodes, perNode;
        bool grid;
        double earlierShift;
        int earlierZeroUnknown;
    } cases[] = {{144, 3, true, 0.5, -1}, {144, 3, true, 0, 100}, {150, 3, false, -2, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nodes << " nodes of " << c.perNode << ", grid "
                                        << c.grid << ", zero " << c.earlierZeroUnknown);
        const SparseMatrix matrix = randomSymmetric(c.nodes, c.perNode, c.grid);
        SparseMatrix earlier = randomSymmetric(c.nodes, c.perNode, c.grid);
        shiftAndZero(earlier, c.earlierShift, c.earlierZeroUnknown);
        const SparseMatrix lower = matrix.triangularView<Eigen::Lower>();
        SupernodalLdlt reused(lower), fresh(lower);
        EXPECT_EQ(reused.factorize(earlier.triangularView<Eigen::Lower>()).singularUnknown,
                  c.earlierZeroUnknown);
        const Inertia again = reused.factorize(lower), once = fresh.factorize(lower);
        EXPECT_EQ(again.negativePivots, once.negativePivots);
        const Eigen::VectorXd right = Eigen::VectorXd::LinSpaced(matrix.cols(), 1, 2);
        EXPECT_EQ(reused.solve(right), fresh.solve(right));
    }
}

// Two threads factorise the subtrees below the elimination tree's top at once: the factor
// must be the one thread's, bit for bit, and the inertia too, up to the same zero pivot.
TEST(SupernodalLdlt, TwoThreadsMakeTheFactorOfOne) {
    const struct {
        int nodes, perNode;
        bool grid;
        double shift;
        int zeroUnknown;
    } cases[] = {{900, 3, true, 0, -1},
                 {900, 3, true, 1, -1},
                 {900, 3, true, 0, 2000},
                 {400, 3, false, 0.5, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.nodes << " nodes, shift " << c.shift << ", zero " << c.zeroUnknown);
        SparseMatrix matrix = randomSymmetric(c.nodes, c.perNode, c.grid);
        shiftAndZero(matrix, c.shift, c.zeroUnknown);
        const SparseMatrix lower = matrix.triangularView<Eigen::Lower>();
        SupernodalLdlt one(lower, 1), two(lower, 2);
        const Inertia byOne = one.factorize(lower), byTwo = two.factorize(lower);
        EXPECT_EQ(byTwo.negativePivots, byOne.negativePivots);
        EXPECT_EQ(byTwo.singularUnknown, c.zeroUnknown);
        if (c.zeroUnknown >= 0)
            continue;
        ASSERT_EQ(two.blocks().size(), one.blocks().size());
        EXPECT_EQ(std::memcmp(two.blocks().data(), one.blocks().data(), one.blocks().size_bytes()),
                  0);
        EXPECT_EQ(std::memcmp(two.pivots().data(), one.pivots().data(),
                              sizeof(double) * static_cast<std::size_t>(one.pivots().size())),
                  0);
    }
}

// A dense matrix is one front of n rows: n^2 entries to assemble, and a column with m
// entries below its diagonal costs a factorisation m^2 / 2 multiplications, done 16 times
// as fast as a solve's 2 m; an entry assembled costs as much as 20 of the former.
TEST(SupernodalLdlt, CostsAFactorisationOfADenseMatrixInSolves) {
    const struct {
        int size;
        double solves; // (20 n^2 + (n - 1) n (2 n - 1) / 12) / (16 n (n - 1))
    } cases[] = {{2, 2.515625},
                 {10, 1.4878472222222223},
                 {100, 2.299084595959596},
                 {400, 5.414591165413534}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const SparseMatrix dense = Eigen::MatrixXd::Ones(c.size, c.size).sparseView();
        const SparseMatrix lower = dense.triangularView<Eigen::Lower>();
        EXPECT_NEAR(SupernodalLdlt(lower).solvesPerFactorization(), c.solves, 1e-12 * c.solves);
    }
}

} // namespace
} // namespace ombrix
