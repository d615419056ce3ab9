#include "supernodal_ldlt.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <thread>

namespace ombrix {

namespace {

using Permutation = Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int>;

// Columns of a front factored one by one before their block updates the rest at once:
// wide enough for Eigen's products to run at speed, narrow enough to stay in cache.
constexpr Eigen::Index panelWidth = 64;

// What a factorisation costs against a solve, which does two multiplications for each
// entry of the factor it reads: a front's multiplications, which the dense products do 16
// times as fast as a solve does its own, and for each entry of the front, zeroed, summed
// from its children's updates one by one and copied out, the time of 20 of them. Fitted to
// the ratio measured natively on the flat net from 10 x 10 to 300 x 300 cells, which no
// single speed-up follows: the small fronts of small nets are mostly assembly
// (docs/performance.md).
constexpr double denseProductsSpeedup = 16;
constexpr double multiplicationsPerFrontEntry = 20;

// Below this cost of a factorisation, as rows^2 columns of each front (some 1.5 ms
// natively; the 30 x 30 net's), one thread does it all: starting another costs some tenths
// of a millisecond under Wine.
constexpr double leastCostToShare = 1e7;

// The upper triangle of P A P' from the lower triangle of A: a column of it lists the
// columns before it that its row of L can reach.
SparseMatrix permutedUpper(const SparseMatrix& lower, const Permutation& order) {
    SparseMatrix upper(lower.rows(), lower.cols());
    upper.selfadjointView<Eigen::Upper>() = lower.selfadjointView<Eigen::Lower>().twistedBy(order);
    return upper;
}

// Each column's parent in the elimination tree (-1 at a root) and the entries of L below
// its diagonal, row by row: row k of L reaches from each entry of row k of A up the tree
// to column k.
struct EliminationTree {
    std::vector<int> parent;
    std::vector<int> below;
};

EliminationTree eliminationTree(const SparseMatrix& upper) {
    const int n = static_cast<int>(upper.cols());
    EliminationTree tree{std::vector<int>(n, -1), std::vector<int>(n, 0)};
    std::vector<int> reachedFrom(n, -1);
    for (int k = 0; k < n; ++k) {
        reachedFrom[k] = k;
        for (SparseMatrix::InnerIterator entry(upper, k); entry; ++entry)
            for (int i = static_cast<int>(entry.row()); i < k && reachedFrom[i] != k;
                 i = tree.parent[i]) {
                if (tree.parent[i] < 0)
                    tree.parent[i] = k;
                ++tree.below[i];
                reachedFrom[i] = k;
            }
    }
    return tree;
}

// The columns in an order that finishes every subtree before its parent: the same factor,
// but each supernode's columns consecutive.
std::vector<int> postorder(const std::vector<int>& parent) {
    const int n = static_cast<int>(parent.size());
    std::vector<int> firstChild(n, -1), nextSibling(n, -1), order, path;
    order.reserve(n);
    for (int j = n - 1; j >= 0; --j)
        if (parent[j] >= 0) {
            nextSibling[j] = firstChild[parent[j]];
            firstChild[parent[j]] = j;
        }
    for (int root = 0; root < n; ++root) {
        if (parent[root] >= 0)
            continue;
        path.push_back(root);
        while (!path.empty()) {
            const int top = path.back();
            if (firstChild[top] >= 0) {
                path.push_back(firstChild[top]);
                firstChild[top] = nextSibling[firstChild[top]];
            } else {
                order.push_back(top);
                path.pop_back();
            }
        }
    }
    return order;
}

// METIS's order, then the elimination tree's postorder of it.
Permutation eliminationOrder(const SparseMatrix& pattern) {
    Permutation metis;
    FillReducingOrdering()(SparseMatrix(pattern.selfadjointView<Eigen::Lower>()), metis);
    const Permutation byMetis = metis.inverse();
    const std::vector<int> visited =
        postorder(eliminationTree(permutedUpper(pattern, byMetis)).parent);
    std::vector<int> placeInPostorder(visited.size());
    for (std::size_t k = 0; k < visited.size(); ++k)
        placeInPostorder[visited[k]] = static_cast<int>(k);
    Permutation order(pattern.cols());
    for (Eigen::Index unknown = 0; unknown < pattern.cols(); ++unknown)
        order.indices()[unknown] = placeInPostorder[byMetis.indices()[unknown]];
    return order;
}

// LDL' without pivoting of the front's first `columns` columns, the rest of its lower
// triangle left as their Schur complement; the pivots in `pivots`, `scaled` room for a
// panel's columns of the front's rows times their pivots. Returns how many pivots it made:
// all, or up to and with an exactly zero one.
template <typename Front>
int factorFront(Front& front, int columns, double* pivots, double* scaled) {
    const Eigen::Index size = front.rows();
    for (Eigen::Index panel = 0; panel < columns; panel += panelWidth) {
        const Eigen::Index end = std::min<Eigen::Index>(panel + panelWidth, columns);
        for (Eigen::Index j = panel; j < end; ++j) {
            const double pivot = front(j, j);
            pivots[j] = pivot;
            if (pivot == 0)
                return static_cast<int>(j + 1);
            for (Eigen::Index t = j + 1; t < end; ++t)
                front.col(t).tail(size - t) -= front.col(j).tail(size - t) * (front(t, j) / pivot);
            front.col(j).tail(size - j - 1) /= pivot;
        }
        const Eigen::Index rest = size - end, width = end - panel;
        if (rest == 0)
            continue;
        const auto factor = front.block(end, panel, rest, width);
        Eigen::Map<Eigen::MatrixXd> times(scaled, rest, width);
        times.noalias() =
            factor * Eigen::Map<const Eigen::VectorXd>(pivots + panel, width).asDiagonal();
        front.bottomRightCorner(rest, rest).template triangularView<Eigen::Lower>() -=
            factor * times.transpose();
    }
    return columns;
}

} // namespace

SupernodalLdlt::SupernodalLdlt(const SparseMatrix& pattern, int threads)
    : order_(eliminationOrder(pattern)), pivots_(pattern.cols()) {
    const SparseMatrix upper = permutedUpper(pattern, order_);
    const EliminationTree tree = eliminationTree(upper);
    findSupernodes(tree.parent, tree.below);
    findRowsBelow(upper.transpose());
    for (Supernode& supernode : supernodes_) {
        supernode.offset = entries_;
        entries_ += static_cast<std::size_t>(supernode.rows()) * supernode.columns;
    }
    values_ = std::make_unique_for_overwrite<double[]>(entries_);
    shareOut(threads);
    sizeWorkspaces();
    solvesPerFactorization_ = costInSolves();
}

// Each supernode's subtree, itself and those just before it in the postorder: how many
// supernodes, and what factorising them costs, counted as rows^2 columns of each front.
SupernodalLdlt::Subtrees SupernodalLdlt::subtrees() const {
    Subtrees subtrees{std::vector<int>(supernodes_.size(), 1),
                      std::vector<double>(supernodes_.size(), 0)};
    for (std::size_t s = 0; s < supernodes_.size(); ++s) {
        const Supernode& supernode = supernodes_[s];
        subtrees.cost[s] +=
            static_cast<double>(supernode.rows()) * supernode.rows() * supernode.columns;
        for (const int child : supernode.children) {
            subtrees.size[s] += subtrees.size[child];
            subtrees.cost[s] += subtrees.cost[child];
        }
    }
    return subtrees;
}

// Below the first supernode from the root down with two children or more, each child's
// subtree goes whole to one thread, the costliest first to the least loaded; that
// supernode and those above it are factorised after them. A forest, a tree without such a
// supernode, or one too small to pay for a thread goes whole to one thread.
void SupernodalLdlt::shareOut(int threads) {
    const int count = static_cast<int>(supernodes_.size());
    workspaceOf_.assign(supernodes_.size(), 0);
    updateAt_.assign(supernodes_.size(), 0);
    made_.assign(supernodes_.size(), 0);
    const Subtrees subtree = subtrees();
    int split = count - 1;
    while (split >= 0 && supernodes_[split].children.size() == 1)
        split = supernodes_[split].children.front();
    const bool shared = threads > 1 && count > 0 && subtree.size[count - 1] == count &&
                        subtree.cost[count - 1] >= leastCostToShare && split >= 0 &&
                        !supernodes_[split].children.empty();
    workspaces_.resize(shared ? static_cast<std::size_t>(threads) : 1);
    if (!shared) {
        workspaces_[0].supernodes.resize(supernodes_.size());
        std::iota(workspaces_[0].supernodes.begin(), workspaces_[0].supernodes.end(), 0);
        return;
    }
    for (int s = split; s < count; ++s)
        top_.push_back(s);
    std::vector<int> roots = supernodes_[split].children;
    std::stable_sort(roots.begin(), roots.end(),
                     [&](int a, int b) { return subtree.cost[a] > subtree.cost[b]; });
    std::vector<double> load(workspaces_.size(), 0);
    for (const int root : roots) {
        const auto least =
            static_cast<int>(std::min_element(load.begin(), load.end()) - load.begin());
        load[least] += subtree.cost[root];
        for (int s = root - subtree.size[root] + 1; s <= root; ++s)
            workspaceOf_[s] = least;
    }
    for (int s = 0; s < split; ++s)
        workspaces_[workspaceOf_[s]].supernodes.push_back(s);
}

// Each workspace's largest front, and the most room its updates waiting for their parents
// take at once.
void SupernodalLdlt::sizeWorkspaces() {
    for (std::size_t w = 0; w < workspaces_.size(); ++w) {
        Workspace& workspace = workspaces_[w];
        std::vector<int> factorised = workspace.supernodes;
        if (w == 0)
            factorised.insert(factorised.end(), top_.begin(), top_.end());
        std::size_t mostRows = 0, updates = 0, mostUpdates = 0;
        for (const int s : factorised) {
            const Supernode& supernode = supernodes_[s];
            mostRows = std::max(mostRows, static_cast<std::size_t>(supernode.rows()));
            for (const int child : supernode.children)
                if (workspaceOf_[child] == static_cast<int>(w))
                    updates = std::min(updates, updateAt_[child]);
            updateAt_[s] = updates;
            updates += supernode.rowsBelow.size() * supernode.rowsBelow.size();
            mostUpdates = std::max(mostUpdates, updates);
        }
        workspace.front.resize(mostRows * mostRows);
        workspace.updates.resize(mostUpdates);
        workspace.scaledPanel.resize(mostRows * panelWidth);
        workspace.frontRow.resize(pivots_.size());
    }
}

// A column with m entries below the diagonal costs a factorisation about m^2 / 2
// multiplications and a solve 2 m; a front of r rows, r^2 entries to assemble. The same for
// every matrix of the pattern, and on every machine: the solver decides alike everywhere.
double SupernodalLdlt::costInSolves() const {
    double factorization = 0, solve = 0;
    for (const Supernode& supernode : supernodes_) {
        const double rows = supernode.rows();
        factorization += multiplicationsPerFrontEntry * rows * rows;
        for (int below = supernode.rows() - supernode.columns; below < supernode.rows(); ++below) {
            factorization += 0.5 * below * below;
            solve += 2.0 * below;
        }
    }
    return factorization / (denseProductsSpeedup * std::max(solve, 1.0));
}

// Fundamental supernodes: a column joins the one before it when it is that column's
// parent, its only child, and has the same rows below but its own.
void SupernodalLdlt::findSupernodes(const std::vector<int>& parent, const std::vector<int>& below) {
    const int n = static_cast<int>(parent.size());
    std::vector<int> children(n, 0), supernodeOf(n, 0);
    for (const int p : parent)
        if (p >= 0)
            ++children[p];
    for (int j = 0; j < n; ++j) {
        const bool joins =
            j > 0 && parent[j - 1] == j && children[j] == 1 && below[j - 1] == below[j] + 1;
        if (!joins)
            supernodes_.push_back({j, 0, {}, {}, 0});
        ++supernodes_.back().columns;
        supernodeOf[j] = static_cast<int>(supernodes_.size()) - 1;
    }
    for (std::size_t s = 0; s < supernodes_.size(); ++s) {
        const int last = supernodes_[s].first + supernodes_[s].columns - 1;
        if (parent[last] >= 0)
            supernodes_[supernodeOf[parent[last]]].children.push_back(static_cast<int>(s));
    }
}

// A supernode's rows below: those of its columns of A and its children's below it.
void SupernodalLdlt::findRowsBelow(const SparseMatrix& lower) {
    std::vector<int> takenBy(lower.cols(), -1);
    for (std::size_t s = 0; s < supernodes_.size(); ++s) {
        Supernode& supernode = supernodes_[s];
        const int last = supernode.first + supernode.columns - 1;
        const auto take = [&](int row) {
            if (row > last && takenBy[row] != static_cast<int>(s)) {
                takenBy[row] = static_cast<int>(s);
                supernode.rowsBelow.push_back(row);
            }
        };
        for (int j = supernode.first; j <= last; ++j)
            for (SparseMatrix::InnerIterator entry(lower, j); entry; ++entry)
                take(static_cast<int>(entry.row()));
        for (const int child : supernode.children)
            for (const int row : supernodes_[child].rowsBelow)
                take(row);
        std::sort(supernode.rowsBelow.begin(), supernode.rowsBelow.end());
    }
}

Inertia SupernodalLdlt::factorize(const SparseMatrix& matrix) {
    SparseMatrix lower(matrix.rows(), matrix.cols());
    lower.selfadjointView<Eigen::Lower>() =
        matrix.selfadjointView<Eigen::Lower>().twistedBy(order_);
    std::fill(made_.begin(), made_.end(), 0);
    for (Workspace& workspace : workspaces_)
        workspace.updatesEnd = 0;
    std::vector<char> finished(workspaces_.size(), 0);
    {
        std::vector<std::jthread> others;
        for (std::size_t w = 1; w < workspaces_.size(); ++w)
            others.emplace_back([&, w] {
                finished[w] =
                    factorizeSupernodes(workspaces_[w].supernodes, lower, static_cast<int>(w));
            });
        finished[0] = factorizeSupernodes(workspaces_[0].supernodes, lower, 0);
    }
    if (std::all_of(finished.begin(), finished.end(), [](char done) { return done != 0; }))
        factorizeSupernodes(top_, lower, 0);
    return inertia(lower.diagonal());
}

// The supernodes given, in order, on top of what the workspace holds, until one meets an
// exactly zero pivot: false then.
bool SupernodalLdlt::factorizeSupernodes(const std::vector<int>& supernodes,
                                         const SparseMatrix& lower, int workspace) {
    for (const int s : supernodes) {
        const Supernode& supernode = supernodes_[s];
        Block front = assembledFront(supernode, lower, workspace);
        made_[s] = factorFront(front, supernode.columns, pivots_.data() + supernode.first,
                               workspaces_[workspace].scaledPanel.data());
        if (made_[s] < supernode.columns)
            return false;
        Block(values_.get() + supernode.offset, front.rows(), supernode.columns) =
            front.leftCols(supernode.columns);
        pushUpdate(s, front, workspace);
    }
    return true;
}

// The pivots in the order of elimination, until the first supernode that did not make all
// of its own: as if one thread had factorised them all.
Inertia SupernodalLdlt::inertia(const Eigen::VectorXd& diagonal) const {
    Inertia counted;
    for (std::size_t s = 0; s < supernodes_.size(); ++s) {
        countPivots(supernodes_[s], made_[s], diagonal, counted);
        if (made_[s] < supernodes_[s].columns)
            break;
    }
    return counted;
}

// The supernode's columns of A and its children's updates summed into its front (lower
// triangle); those of its children in the same workspace, the last ones made there, taken
// off it.
SupernodalLdlt::Block SupernodalLdlt::assembledFront(const Supernode& supernode,
                                                     const SparseMatrix& lower, int workspace) {
    Workspace& own = workspaces_[workspace];
    std::vector<int>& frontRow = own.frontRow;
    for (int k = 0; k < supernode.columns; ++k)
        frontRow[supernode.first + k] = k;
    for (std::size_t k = 0; k < supernode.rowsBelow.size(); ++k)
        frontRow[supernode.rowsBelow[k]] = supernode.columns + static_cast<int>(k);
    Block front(own.front.data(), supernode.rows(), supernode.rows());
    // Its own columns whole, that the factor's blocks hold nothing from an earlier front.
    for (Eigen::Index k = 0; k < front.cols(); ++k)
        front.col(k).tail(front.rows() - (k < supernode.columns ? 0 : k)).setZero();
    for (int k = 0; k < supernode.columns; ++k)
        for (SparseMatrix::InnerIterator entry(lower, supernode.first + k); entry; ++entry)
            front(frontRow[entry.row()], k) = entry.value();
    for (const int child : supernode.children) {
        const std::vector<int>& rows = supernodes_[child].rowsBelow;
        const double* update = workspaces_[workspaceOf_[child]].updates.data() + updateAt_[child];
        for (std::size_t b = 0; b < rows.size(); ++b) {
            const int column = frontRow[rows[b]];
            for (std::size_t a = b; a < rows.size(); ++a)
                front(frontRow[rows[a]], column) += update[b * rows.size() + a];
        }
        if (workspaceOf_[child] == workspace)
            own.updatesEnd = std::min(own.updatesEnd, updateAt_[child]);
    }
    return front;
}

// What the factored front leaves to its parent, the Schur complement on its rows below, on
// top of the updates not yet taken.
void SupernodalLdlt::pushUpdate(int supernode, const Block& front, int workspace) {
    Workspace& own = workspaces_[workspace];
    const std::size_t below = supernodes_[supernode].rowsBelow.size();
    const auto size = static_cast<Eigen::Index>(below);
    updateAt_[supernode] = own.updatesEnd;
    Block(own.updates.data() + own.updatesEnd, size, size).triangularView<Eigen::Lower>() =
        front.bottomRightCorner(size, size);
    own.updatesEnd += below * below;
}

// The negative pivots until the first that vanishes against its unknown's diagonal.
void SupernodalLdlt::countPivots(const Supernode& supernode, int made,
                                 const Eigen::VectorXd& diagonal, Inertia& inertia) const {
    for (int column = supernode.first; column < supernode.first + made; ++column) {
        if (inertia.singularUnknown >= 0)
            return;
        if (!(std::abs(pivots_[column]) > vanishingPivot * std::abs(diagonal[column])))
            inertia.singularUnknown = static_cast<int>(
                std::find(order_.indices().begin(), order_.indices().end(), column) -
                order_.indices().begin());
        else
            inertia.negativePivots += pivots_[column] < 0;
    }
}

Eigen::VectorXd SupernodalLdlt::solve(const Eigen::VectorXd& right) const {
    return solveWith(values_.get(), pivots_, right);
}

void SupernodalLdlt::keepInSinglePrecision() {
    singleValues_.assign(values_.get(), values_.get() + entries_);
    singlePivots_ = pivots_.cast<float>();
}

Eigen::VectorXd SupernodalLdlt::solveInSinglePrecision(const Eigen::VectorXd& right) const {
    return solveWith(singleValues_.data(), singlePivots_, right);
}

template <typename Scalar>
Eigen::VectorXd SupernodalLdlt::solveWith(const Scalar* values,
                                          const Eigen::Matrix<Scalar, -1, 1>& pivots,
                                          const Eigen::VectorXd& right) const {
    using Vector = Eigen::Matrix<Scalar, -1, 1>;
    using Matrix = Eigen::Matrix<Scalar, -1, -1>;
    Vector x = (order_ * right).template cast<Scalar>();
    const auto factor = [values](const Supernode& supernode) {
        return Eigen::Map<const Matrix>(values + supernode.offset, supernode.rows(),
                                        supernode.columns);
    };
    // A supernode's own part of x, as a matrix of one column: Eigen's triangular solve for
    // vectors has a buffer that clang's static analyser takes for a leak.
    const auto own = [&x](const Supernode& supernode) {
        return Eigen::Map<Matrix>(x.data() + supernode.first, supernode.columns, 1);
    };
    Vector rowsBelow(x.size()); // a supernode's rows below, gathered or to scatter
    for (const Supernode& supernode : supernodes_) {
        const auto l = factor(supernode);
        const auto below = static_cast<Eigen::Index>(supernode.rowsBelow.size());
        l.topRows(supernode.columns)
            .template triangularView<Eigen::UnitLower>()
            .solveInPlace(own(supernode));
        rowsBelow.head(below).noalias() = l.bottomRows(below) * own(supernode);
        for (Eigen::Index a = 0; a < below; ++a)
            x[supernode.rowsBelow[static_cast<std::size_t>(a)]] -= rowsBelow[a];
    }
    x.array() /= pivots.array();
    std::for_each(supernodes_.rbegin(), supernodes_.rend(), [&](const Supernode& supernode) {
        const auto l = factor(supernode);
        const auto below = static_cast<Eigen::Index>(supernode.rowsBelow.size());
        for (Eigen::Index a = 0; a < below; ++a)
            rowsBelow[a] = x[supernode.rowsBelow[static_cast<std::size_t>(a)]];
        own(supernode) -= l.bottomRows(below).transpose() * rowsBelow.head(below);
        l.topRows(supernode.columns)
            .template triangularView<Eigen::UnitLower>()
            .transpose()
            .solveInPlace(own(supernode));
    });
    return order_.transpose() * x.template cast<double>();
}

} // namespace ombrix
