// A sparse LDL' factorisation that eliminates the columns of like structure together, as
// dense blocks: each supernode's front is factored, and its update passed on to its parent,
// by Eigen's dense products, far faster than column by column on the large separators that
// nested dissection leaves at the top of a net's elimination tree.
#pragma once

#include "sparse_factorization.h"

#include <Eigen/Core>

#include <cstddef>
#include <memory>
#include <vector>

namespace ombrix {

class SupernodalLdlt {
  public:
    // The ordering and the structure of the factor, once for the pattern (lower triangle).
    explicit SupernodalLdlt(const SparseMatrix& pattern);

    // A matrix of the pattern (lower triangle), without pivoting: its inertia is that of the
    // pivots, the negative ones until the first that vanishes against its unknown's
    // diagonal. An exactly zero pivot ends the factorisation, and the factor is then of no
    // use to solve with.
    Inertia factorize(const SparseMatrix& matrix);
    Eigen::VectorXd solve(const Eigen::VectorXd& right) const;

    // The entries of the factor's blocks, with the zeros of the supernodes.
    std::size_t factorEntries() const { return entries_; }
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

    void findSupernodes(const std::vector<int>& parent, const std::vector<int>& below);
    void findRowsBelow(const SparseMatrix& lower);
    void sizeWorkspaces();
    double costInSolves() const;
    Block assembledFront(const Supernode& supernode, const SparseMatrix& lower,
                         std::size_t& updatesEnd);
    void pushUpdate(const Supernode& supernode, const Block& front, std::size_t& updatesEnd);
    void countPivots(const Supernode& supernode, int made, const Eigen::VectorXd& diagonal,
                     Inertia& inertia) const;

    Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> order_; // unknown -> column
    std::vector<Supernode> supernodes_; // children before their parents
    // The blocks of L, column-major, each written whole by a factorisation: left
    // uninitialised until then, the factor's memory is touched once, not zeroed first.
    std::unique_ptr<double[]> values_;
    std::size_t entries_ = 0;
    Eigen::VectorXd pivots_;    // D
    std::vector<int> frontRow_; // a column's row in the front being assembled
    // Memory kept from one factorisation to the next, sized for the largest: the front being
    // factored; the updates made and not yet taken, a child's on top of those made before
    // it, as the postorder takes them back; a panel's columns scaled by their pivots. Under
    // Windows a fresh large block is fresh pages from the system every time.
    std::vector<double> front_, updates_, scaledPanel_;
    double solvesPerFactorization_ = 1;
};

} // namespace ombrix
