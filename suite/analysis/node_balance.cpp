#include "node_balance.h"

#include <Eigen/OrderingMethods>
#include <Eigen/SparseCore>
#include <Eigen/SparseQR>

#include <cmath>
#include <map>
#include <utility>

namespace ombrix {
namespace {

// The member's direction in the displaced geometry, from its first node to its second.
Eigen::Vector3d directionOf(const Model& model, const std::vector<Point>& displacements,
                            const Member& member) {
    Eigen::Vector3d span;
    for (int axis = 0; axis < 3; ++axis)
        span[axis] =
            (model.nodes[member.second].position[axis] - model.nodes[member.first].position[axis]) +
            (displacements[member.second][axis] - displacements[member.first][axis]);
    return span / span.norm();
}

using Equations = std::map<std::pair<int, int>, int>; // (node, axis) of a free direction -> row

// The free directions of the members' ends, numbered.
Equations equationsOf(const Model& model, const std::vector<int>& members) {
    Equations rows;
    for (int m : members)
        for (int node : {model.members[m].first, model.members[m].second})
            for (int axis = 0; axis < 3; ++axis)
                if (!model.nodes[node].restrained[axis])
                    rows.emplace(std::pair{node, axis}, static_cast<int>(rows.size()));
    return rows;
}

} // namespace

std::vector<Eigen::Vector3d> memberPulls(const Model& model,
                                         const std::vector<Point>& displacements,
                                         const std::vector<double>& axialForces) {
    std::vector<Eigen::Vector3d> pulls(model.nodes.size(), Eigen::Vector3d::Zero());
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const Member& member = model.members[m];
        const Eigen::Vector3d pull = axialForces[m] * directionOf(model, displacements, member);
        pulls[member.first] += pull;
        pulls[member.second] -= pull;
    }
    return pulls;
}

// The forces solve min |B t - r| over the free directions of the members' ends, with B the
// members' directions at their ends and r what the loads and the other members leave
// there. A force found so carries the error of r, within the tolerance in each direction,
// through the row of (R^T)^-1 of B's QR factors that belongs to it.
ForcesFromBalance balanceForces(const Model& model, const std::vector<Point>& displacements,
                                const std::vector<Eigen::Vector3d>& loads,
                                const std::vector<int>& members, double tolerance,
                                std::vector<double>& axialForces) {
    const Equations rows = equationsOf(model, members);
    std::vector<double> others = axialForces;
    for (int m : members)
        others[m] = 0;
    const std::vector<Eigen::Vector3d> pulls = memberPulls(model, displacements, others);
    Eigen::VectorXd left(static_cast<Eigen::Index>(rows.size()));
    for (const auto& [direction, row] : rows)
        left[row] = -(loads[direction.first] + pulls[direction.first])[direction.second];
    std::vector<Eigen::Triplet<double>> entries;
    for (std::size_t column = 0; column < members.size(); ++column) {
        const Member& member = model.members[members[column]];
        const Eigen::Vector3d direction = directionOf(model, displacements, member);
        for (const auto& [node, sign] : {std::pair{member.first, 1.0}, {member.second, -1.0}})
            for (int axis = 0; axis < 3; ++axis)
                if (const auto row = rows.find({node, axis}); row != rows.end())
                    entries.emplace_back(row->second, static_cast<int>(column),
                                         sign * direction[axis]);
    }
    Eigen::SparseMatrix<double> directions(static_cast<Eigen::Index>(rows.size()),
                                           static_cast<Eigen::Index>(members.size()));
    directions.setFromTriplets(entries.begin(), entries.end());
    directions.makeCompressed();
    Eigen::SparseQR<Eigen::SparseMatrix<double>, Eigen::COLAMDOrdering<int>> factors(directions);
    const auto order = factors.colsPermutation().indices();
    ForcesFromBalance found;
    if (factors.info() != Eigen::Success ||
        factors.rank() < static_cast<Eigen::Index>(members.size())) {
        found.undetermined = members[order[factors.info() == Eigen::Success ? factors.rank() : 0]];
        return found;
    }
    const Eigen::VectorXd forces = factors.solve(left);
    const Eigen::SparseMatrix<double> upper = factors.matrixR().topLeftCorner(
        static_cast<Eigen::Index>(members.size()), static_cast<Eigen::Index>(members.size()));
    const double perDirection = tolerance * std::sqrt(static_cast<double>(rows.size()));
    for (Eigen::Index k = 0; k < static_cast<Eigen::Index>(members.size()); ++k) {
        const int m = members[order[k]];
        if (model.members[m].kind == MemberKind::Cable && forces[order[k]] < 0) {
            found.undetermined = m;
            return found;
        }
        Eigen::VectorXd unit = Eigen::VectorXd::Unit(static_cast<Eigen::Index>(members.size()), k);
        upper.transpose().triangularView<Eigen::Lower>().solveInPlace(unit);
        found.members.push_back({m, perDirection * unit.norm()});
    }
    for (std::size_t column = 0; column < members.size(); ++column)
        axialForces[members[column]] = forces[static_cast<Eigen::Index>(column)];
    return found;
}

} // namespace ombrix
