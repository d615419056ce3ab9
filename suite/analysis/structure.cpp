#include "structure.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ombrix {

namespace {

Eigen::Vector3d vectorOf(const Point& point) {
    return {point[0], point[1], point[2]};
}

} // namespace

Structure::Structure(const Model& model) : Structure(model, appliedLoads(model, {})) {}

// A settled member's given length changes by d . (2 s + d) / (L' + L), d the move of its
// second end from its first, exact however small the move.
Structure::Structure(const Model& model, const AppliedLoads& applied) {
    numberUnknowns(model);
    Eigen::Vector3d least = Eigen::Vector3d::Constant(std::numeric_limits<double>::infinity());
    Eigen::Vector3d most = -least;
    for (const Node& node : model.nodes) {
        const Eigen::Vector3d position(node.position[0], node.position[1], node.position[2]);
        least = least.cwiseMin(position);
        most = most.cwiseMax(position);
    }
    size_ = (most - least).maxCoeff() / 2;
    nodeStiffness_.resize(model.nodes.size());
    for (const Member& member : model.members) {
        const std::size_t m = members_.size();
        const Eigen::Vector3d given = vectorOf(model.nodes[member.second].position) -
                                      vectorOf(model.nodes[member.first].position);
        const Eigen::Vector3d moved = vectorOf(applied.settlements[member.second]) -
                                      vectorOf(applied.settlements[member.first]);
        const Eigen::Vector3d span = given + moved;
        const double length = std::hypot(span[0], span[1], span[2]); // as lengthOf
        const MemberLaw law = MemberLaw::of(model, member, applied.strains[m])
                                  .withGivenLengthChanged(moved.dot(given + span) /
                                                          (length + lengthOf(model, member)));
        for (int end : {member.first, member.second})
            nodeStiffness_[end] += law.axialStiffness() / law.referenceLength();
        hasBars_ = hasBars_ || member.kind == MemberKind::Bar;
        members_.push_back({member.first, member.second, span, length, law, {}});
    }
    buildPattern();
}

void Structure::numberUnknowns(const Model& model) {
    for (std::size_t node = 0; node < model.nodes.size(); ++node) {
        std::array<int, 3>& unknowns = unknownOf_.emplace_back();
        for (int axis = 0; axis < 3; ++axis) {
            unknowns[axis] = model.nodes[node].restrained[axis] ? -1 : unknownCount();
            if (unknowns[axis] >= 0)
                unknowns_.push_back({static_cast<int>(node), axis});
        }
    }
}

namespace {

// The six unknowns of a member's ends, -1 where restrained.
std::array<int, 6> endUnknowns(const std::array<int, 3>& first, const std::array<int, 3>& second) {
    return {first[0], first[1], first[2], second[0], second[1], second[2]};
}

int slotOf(const SparseMatrix& matrix, int row, int column) {
    const int* begin = matrix.innerIndexPtr() + matrix.outerIndexPtr()[column];
    const int* end = matrix.innerIndexPtr() + matrix.outerIndexPtr()[column + 1];
    return static_cast<int>(std::lower_bound(begin, end, row) - matrix.innerIndexPtr());
}

} // namespace

void Structure::buildPattern() {
    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(static_cast<std::size_t>(unknownCount()));
    for (int k = 0; k < unknownCount(); ++k)
        entries.emplace_back(k, k, 1.0);
    for (const AssembledMember& member : members_) {
        const std::array<int, 6> ends =
            endUnknowns(unknownOf_[member.first], unknownOf_[member.second]);
        for (int row : ends)
            for (int column : ends)
                if (column >= 0 && row > column)
                    entries.emplace_back(row, column, 1.0);
    }
    tangent_.resize(unknownCount(), unknownCount());
    tangent_.setFromTriplets(entries.begin(), entries.end());
    tangent_.makeCompressed();

    for (AssembledMember& member : members_) {
        const std::array<int, 6> ends =
            endUnknowns(unknownOf_[member.first], unknownOf_[member.second]);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c)
                member.slots[6 * r + c] =
                    ends[c] >= 0 && ends[r] >= ends[c] ? slotOf(tangent_, ends[r], ends[c]) : -1;
    }
    for (int k = 0; k < unknownCount(); ++k)
        diagonalSlots_.push_back(slotOf(tangent_, k, k));
}

Eigen::VectorXd Structure::freePart(const std::vector<Eigen::Vector3d>& atNodes) const {
    Eigen::VectorXd free(unknownCount());
    for (int k = 0; k < unknownCount(); ++k)
        free[k] = atNodes[unknowns_[k].node][unknowns_[k].axis];
    return free;
}

Eigen::Vector3d Structure::displacementOf(int node, const Eigen::VectorXd& unknowns) const {
    Eigen::Vector3d displacement = Eigen::Vector3d::Zero();
    for (int axis = 0; axis < 3; ++axis)
        if (unknownOf_[node][axis] >= 0)
            displacement[axis] = unknowns[unknownOf_[node][axis]];
    return displacement;
}

std::vector<Eigen::Vector3d> Structure::displacements(const Eigen::VectorXd& unknowns) const {
    std::vector<Eigen::Vector3d> moved;
    moved.reserve(unknownOf_.size());
    for (std::size_t node = 0; node < unknownOf_.size(); ++node)
        moved.push_back(displacementOf(static_cast<int>(node), unknowns));
    return moved;
}

// The member at the state. Its elongation comes from l^2 - L^2 = d . (2 s + d), with s its
// given span and d the difference of its ends' displacements, exact however small the
// strain and wherever the model lies.
Structure::Stretched Structure::stretched(const AssembledMember& member,
                                          const Eigen::VectorXd& unknowns) const {
    const Eigen::Vector3d moved =
        displacementOf(member.second, unknowns) - displacementOf(member.first, unknowns);
    const Eigen::Vector3d span = member.span + moved;
    const double length = span.norm();
    const double elongation = moved.dot(2 * member.span + moved) / (length + member.length);
    return {span, length, elongation, member.law.at(length, elongation)};
}

MemberSums Structure::sumsAt(const Eigen::VectorXd& unknowns) const {
    MemberSums sums{
        std::vector<Eigen::Vector3d>(unknownOf_.size(), Eigen::Vector3d::Zero()), {}, 0};
    sums.axialForces.reserve(members_.size());
    for (const AssembledMember& member : members_) {
        const Stretched now = stretched(member, unknowns);
        sums.axialForces.push_back(now.response.force);
        sums.strainEnergy += now.response.energy;
        if (now.length > 0) {
            const Eigen::Vector3d force = now.span * (now.response.force / now.length);
            sums.nodeForces[member.second] += force;
            sums.nodeForces[member.first] -= force;
        }
    }
    return sums;
}

// The elongation is computed as d . (2 s + d) / (l + L): each component of d carries the
// rounding of its ends' displacements, and each product that of its size.
std::vector<double> Structure::forceRoundings(const Eigen::VectorXd& unknowns) const {
    constexpr double epsilon = std::numeric_limits<double>::epsilon();
    std::vector<double> roundings;
    roundings.reserve(members_.size());
    for (const AssembledMember& member : members_) {
        const Eigen::Vector3d first = displacementOf(member.first, unknowns);
        const Eigen::Vector3d second = displacementOf(member.second, unknowns);
        const Stretched now = stretched(member, unknowns);
        const Eigen::Vector3d reach = 2 * (member.span.cwiseAbs() + (second - first).cwiseAbs());
        const double elongation = epsilon * (first.cwiseAbs() + second.cwiseAbs()).dot(reach) /
                                  (now.length + member.length);
        roundings.push_back(now.response.stiffness * elongation +
                            epsilon * std::abs(now.response.force));
    }
    return roundings;
}

const SparseMatrix& Structure::tangentAt(const Eigen::VectorXd& unknowns, double shift,
                                         double pull) {
    double* values = tangent_.valuePtr();
    std::fill(values, values + tangent_.nonZeros(), 0.0);
    for (const AssembledMember& member : members_) {
        const Stretched now = stretched(member, unknowns);
        if (now.length == 0)
            continue;
        const Eigen::Vector3d direction = now.span / now.length;
        const double geometric =
            (now.response.force + pull * member.law.axialStiffness()) / now.length;
        // Pulled, a slack cable is a taut string: it resists stretching as well.
        const double material = pull > 0 && now.response.stiffness == 0
                                    ? member.law.axialStiffness() / member.law.referenceLength()
                                    : now.response.stiffness;
        addBlock(member, (material - geometric) * direction * direction.transpose() +
                             geometric * Eigen::Matrix3d::Identity());
    }
    for (int k = 0; k < unknownCount(); ++k)
        values[diagonalSlots_[k]] += shift * nodeStiffness_[unknowns_[k].node];
    return tangent_;
}

void Structure::addBlock(const AssembledMember& member, const Eigen::Matrix3d& block) {
    double* values = tangent_.valuePtr();
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            if (member.slots[6 * r + c] >= 0)
                values[member.slots[6 * r + c]] +=
                    (r < 3) == (c < 3) ? block(r % 3, c % 3) : -block(r % 3, c % 3);
}

bool Structure::slack(const Eigen::VectorXd& unknowns, int member) const {
    const AssembledMember& assembled = members_[static_cast<std::size_t>(member)];
    const Stretched now = stretched(assembled, unknowns);
    return now.response.force == 0 && assembled.law.drawnTaut(now.length, now.elongation).force < 0;
}

// Only along the cable: its compression, which no cable carries, would make the transverse
// part of its tangent negative. A cable that is not slack is in the tangent already.
const SparseMatrix& Structure::addDrawnTaut(const Eigen::VectorXd& unknowns,
                                            const std::vector<int>& cables) {
    for (int index : cables) {
        const AssembledMember& member = members_[static_cast<std::size_t>(index)];
        const Stretched now = stretched(member, unknowns);
        const AxialResponse taut = member.law.drawnTaut(now.length, now.elongation);
        if (now.length > 0 && taut.force < 0 && taut.stiffness > 0) {
            const Eigen::Vector3d direction = now.span / now.length;
            addBlock(member, taut.stiffness * direction * direction.transpose());
        }
    }
    return tangent_;
}

std::vector<Eigen::Vector3d> Structure::drawnTautForces(const Eigen::VectorXd& unknowns,
                                                        const std::vector<int>& cables) const {
    std::vector<Eigen::Vector3d> forces(unknownOf_.size(), Eigen::Vector3d::Zero());
    for (int index : cables) {
        const AssembledMember& member = members_[static_cast<std::size_t>(index)];
        const Stretched now = stretched(member, unknowns);
        const AxialResponse taut = member.law.drawnTaut(now.length, now.elongation);
        if (now.length > 0 && taut.force < 0 && taut.stiffness > 0) {
            const Eigen::Vector3d pull = now.span * (taut.force / now.length);
            forces[member.second] += pull;
            forces[member.first] -= pull;
        }
    }
    return forces;
}

} // namespace ombrix
