#include "node_balance.h"

#include <Eigen/Dense>

#include <cmath>
#include <map>
#include <utility>

namespace ombrix {
namespace {

// Beyond so many members too stiff to resolve, the dense least squares over them would cost
// more than the solve; such a model wants its stiff members made one node each.
constexpr std::size_t mostBalancedMembers = 500;
// A force known to no better than this part of it is no answer.
constexpr double leastDigits = 1e-3;

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

// The forces change least from those their elongation gives while their ends balance as
// closely as they can: t = t0 + B+ (r - B t0), with B the members' directions at their ends
// in the free directions, r what the loads and the other members leave there, and B+ the
// pseudo-inverse. A force so found carries the error of r, within the tolerance in each
// direction, through its row of B+; where the balance leaves a share of it open, that share
// keeps the rounding of its elongation.
ForcesFromBalance balanceForces(const Model& model, const std::vector<Point>& displacements,
                                const std::vector<Eigen::Vector3d>& loads,
                                const std::vector<int>& members, double tolerance,
                                std::vector<double>& axialForces,
                                const std::vector<double>& roundings) {
    ForcesFromBalance found;
    if (members.size() > mostBalancedMembers) {
        found.undetermined = members.front();
        return found;
    }
    const Equations rows = equationsOf(model, members);
    std::vector<double> others = axialForces;
    for (int m : members)
        others[m] = 0;
    const std::vector<Eigen::Vector3d> pulls = memberPulls(model, displacements, others);
    const auto count = static_cast<Eigen::Index>(members.size());
    Eigen::VectorXd left(static_cast<Eigen::Index>(rows.size()));
    for (const auto& [direction, row] : rows)
        left[row] = -(loads[direction.first] + pulls[direction.first])[direction.second];
    Eigen::MatrixXd directions = Eigen::MatrixXd::Zero(left.size(), count);
    Eigen::VectorXd elongated(count);
    for (Eigen::Index column = 0; column < count; ++column) {
        const Member& member = model.members[members[column]];
        const Eigen::Vector3d direction = directionOf(model, displacements, member);
        for (const auto& [node, sign] : {std::pair{member.first, 1.0}, {member.second, -1.0}})
            for (int axis = 0; axis < 3; ++axis)
                if (const auto row = rows.find({node, axis}); row != rows.end())
                    directions(row->second, column) = sign * direction[axis];
        elongated[column] = axialForces[members[column]];
    }
    const Eigen::CompleteOrthogonalDecomposition<Eigen::MatrixXd> factors(directions);
    const Eigen::MatrixXd inverse = factors.pseudoInverse();
    const Eigen::VectorXd forces = elongated + inverse * (left - directions * elongated);
    const Eigen::MatrixXd open = Eigen::MatrixXd::Identity(count, count) - inverse * directions;
    const double perDirection = tolerance * std::sqrt(static_cast<double>(rows.size()));
    for (Eigen::Index k = 0; k < count; ++k) {
        const int m = members[k];
        const double accuracy =
            perDirection * inverse.row(k).norm() +
            open.row(k).cwiseAbs().dot(Eigen::Map<const Eigen::VectorXd>(roundings.data(), count));
        if ((model.members[m].kind == MemberKind::Cable && forces[k] < 0) ||
            !(accuracy <= leastDigits * std::abs(forces[k]) + tolerance)) {
            found.undetermined = m;
            return found;
        }
        found.members.push_back({m, accuracy});
    }
    for (Eigen::Index k = 0; k < count; ++k)
        axialForces[members[k]] = forces[k];
    return found;
}

} // namespace ombrix
