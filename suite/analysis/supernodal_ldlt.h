// A sparse LDL' factorisation that eliminates the columns of like structure together, as
// dense blocks: each supernode's front is factored, and its update passed on to its parent,
// by Eigen's dense products, far faster than column by column on the large separators that
// nested dissection leaves at the top of a net's elimination tree.
#pragma once

#include "sparse_factorization.h"

#include <Eigen/Core>

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace ombrix {

class SupernodalLdlt {
  public:
    // The ordering and the structure of the factor, once for the pattern (lower triangle).
    // threads: how many share the subtrees below the top of the elimination tree; the
    // factor is the same, bit for bit, whatever their number.
    explicit SupernodalLdlt(const SparseMatrix& pattern, int threads = 2);

    // A matrix of the pattern (lower triangle), without pivoting: its inertia is that of the
    // pivots, the negative ones until the first that vanishes against its unknown's
    // diagonal. An exactly zero pivot ends the factorisation, and the factor is then of no
    // use to solve with.
    Inertia factorize(const SparseMatrix& matrix);
    Eigen::VectorXd solve(const Eigen::VectorXd& right) const;
    // The factor rounded to single precision, for the solves that only precondition: each
    // reads half the memory, and its answer is good to some parts in ten thousand.
    void keepInSinglePrecision();
    Eigen::VectorXd solveInSinglePrecision(const Eigen::VectorXd& right) const;

    // The entries of the factor's blocks, with the zeros of the supernodes.
    std::size_t factorEntries() const { return entries_; }
    // The factor as it is, L's blocks and D, to compare one factor with another.
    std::span<const double> blocks() const { return {values_.get(), entries_}; }
    const Eigen::VectorXd& pivots() const { return pivots_; }
    // What a factorisation costs, in solves with the factor, the same for every matrix of
    // the pattern.
    double solvesPerFactorization() const { return solvesPerFactorization_; }

  private:
    struct Supernode {
        int first = 0;              // its first column, in the order of elimination
        int columns = 0;            // eliminated together
        std::vector<int> rowsBelow; // the rows below its columns, ascending
        std::vector<int> children;  // the supernodes whose updates it takes, in order
        std::size_t offset = 0;     // of its block in values_: all its rows by its columns
        int rows() const { return columns + static_cast<int>(rowsBelow.size()); }
    };
    using Block = Eigen::Map<Eigen::MatrixXd>;
    // What a thread factorises, and memory it keeps from one factorisation to the next, sized
    // for the largest: the front being factored; the updates made and not yet taken, a
    // child's on top of those made before it, as the postorder takes them back; a panel's
    // columns scaled by their pivots. Under Windows a fresh large block is fresh pages from
    // the system every time.
    struct Workspace {
        std::vector<int> supernodes; // whole subtrees, children before their parents
        std::vector<double> front, updates, scaledPanel;
        std::vector<int> frontRow; // a column's row in the front being assembled
        std::size_t updatesEnd = 0;
    };

    void findSupernodes(const std::vector<int>& parent, const std::vector<int>& below);
    void findRowsBelow(const SparseMatrix& lower);
    struct Subtrees {
        std::vector<int> size;
        std::vector<double> cost;
    };
    Subtrees subtrees() const;
    void shareOut(int threads);
    void sizeWorkspaces();
    bool factorizeSupernodes(const std::vector<int>& supernodes, const SparseMatrix& lower,
                             int workspace);
    Inertia inertia(const Eigen::VectorXd& diagonal) const;
    double costInSolves() const;
    Block assembledFront(const Supernode& supernode, const SparseMatrix& lower, int workspace);
    void pushUpdate(int supernode, const Block& front, int workspace);
    void countPivots(const Supernode& supernode, int made, const Eigen::VectorXd& diagonal,
                     Inertia& inertia) const;
    template <typename Scalar>
    Eigen::VectorXd solveWith(const Scalar* values, const Eigen::Matrix<Scalar, -1, 1>& pivots,
                              const Eigen::VectorXd& right) const;

    Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> order_; // unknown -> column
    std::vector<Supernode> supernodes_; // children before their parents
    // The blocks of L, column-major, each written whole by a factorisation: left
    // uninitialised until then, the factor's memory is touched once, not zeroed first.
    std::unique_ptr<double[]> values_;
    std::size_t entries_ = 0;
    Eigen::VectorXd pivots_;          // D
    std::vector<float> singleValues_; // values_ and pivots_ rounded, when kept
    Eigen::VectorXf singlePivots_;
    // The first workspace factorises the top of the tree too, once every thread is done.
    std::vector<Workspace> workspaces_;
    std::vector<int> top_;              // the first supernode with two children or more, and above
    std::vector<int> workspaceOf_;      // each supernode's
    std::vector<std::size_t> updateAt_; // where in its workspace a supernode's update waits
    std::vector<int> made_;             // the pivots each supernode made in the last factorisation
    double solvesPerFactorization_ = 1;
};

} // namespace ombrix
