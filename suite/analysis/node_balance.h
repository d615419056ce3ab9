// The balance of the nodes of a solved state, worked out from what is written of it: the
// displacements and the axial forces, apart from the iteration that found them. A member
// far stiffer than the rest, whose force sixteen digits cannot resolve from its
// elongation, takes its force from that balance instead.
#pragma once

#include "model.h"

#include <Eigen/Core>

#include <vector>

namespace ombrix {

// Per node, the pull of its members on it in the displaced geometry, tension positive: what
// the loads and the supports hold in balance.
std::vector<Eigen::Vector3d> memberPulls(const Model& model,
                                         const std::vector<Point>& displacements,
                                         const std::vector<double>& axialForces);

struct BalancedForce {
    int member = 0;      // index into Model::members
    double accuracy = 0; // of its force: how far the force may be from the one that balances
};

struct ForcesFromBalance {
    std::vector<BalancedForce> members; // whose forces came from the balance of their nodes
    // A member whose force cannot be given: the balance leaves it open by more than a part in
    // a thousand, or would compress a cable, or too many members are too stiff to resolve.
    int undetermined = -1;
};

// The forces of the members named, so that every free direction of their nodes balances the
// loads given per node as closely as it can, changed as little as that allows from the
// forces their elongation gives, which `roundings` blurs (one per member named). The forces
// of the others stay as they are. `tolerance` is the out-of-balance force each free
// direction may keep, which sets the accuracy of the forces found.
ForcesFromBalance balanceForces(const Model& model, const std::vector<Point>& displacements,
                                const std::vector<Eigen::Vector3d>& loads,
                                const std::vector<int>& members, double tolerance,
                                std::vector<double>& axialForces,
                                const std::vector<double>& roundings);

} // namespace ombrix
