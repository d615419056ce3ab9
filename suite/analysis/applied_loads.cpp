#include "applied_loads.h"

#include "net_cells.h"

#include <algorithm>
#include <cmath>

namespace ombrix {
namespace {

bool chosen(const MemberChoice& choice, const Member& member, long long number) {
    switch (choice.set) {
    case MemberSet::All: return true;
    case MemberSet::Cables: return member.kind == MemberKind::Cable;
    case MemberSet::Bars: return member.kind == MemberKind::Bar;
    case MemberSet::Listed: break;
    }
    return std::any_of(choice.ranges.begin(), choice.ranges.end(), [number](const auto& range) {
        return range[0] <= number && number <= range[1];
    });
}

void addForce(AppliedLoads& applied, int node, const Eigen::Vector3d& force) {
    for (int axis = 0; axis < 3; ++axis)
        applied.forces[node][axis] += force[axis];
}

// Half of each member's weight, w times its given length, to each of its ends.
void addWeight(const Model& model, const ModelLoad& load, std::vector<bool>& weighed,
               AppliedLoads& applied) {
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const Member& member = model.members[m];
        if (!chosen(load.members, member, static_cast<long long>(m) + 1))
            continue;
        const double weight = load.values[0] * lengthOf(model, member);
        applied.weight += weight;
        weighed[m] = true;
        for (int end : {member.first, member.second})
            addForce(applied, end, {0, 0, -weight / 2});
    }
}

void addTemperature(const Model& model, const ModelLoad& load, AppliedLoads& applied) {
    for (std::size_t m = 0; m < model.members.size(); ++m)
        if (chosen(load.members, model.members[m], static_cast<long long>(m) + 1))
            applied.strains[m] += load.values[0] * load.values[1];
}

void addSettlement(const ModelLoad& load, AppliedLoads& applied) {
    for (int axis = 0; axis < 3; ++axis)
        applied.settlements[load.node - 1][axis] += load.values[axis];
}

// The force a cell carries: snow q on its plan area, in -z; pressure p on its area, along
// its normal that points down (of a vertical cell, the one its corners' order gives).
Eigen::Vector3d cellForce(LoadWord word, double value, const NetCell& cell) {
    if (word == LoadWord::Snow)
        return {0, 0, -value * std::abs(cell.areaVector.z())};
    return value * (cell.areaVector.z() > 0 ? -cell.areaVector : cell.areaVector);
}

// Each cell's force in equal shares to its corners: a third to each corner of a triangle,
// a quarter to each of a quadrilateral, as a lumped load.
void addCellLoad(const ModelLoad& load, const std::vector<NetCell>& cells, AppliedLoads& applied) {
    CellLoading& sums = load.word == LoadWord::Snow ? applied.snow : applied.pressure;
    for (const NetCell& cell : cells) {
        const Eigen::Vector3d force = cellForce(load.word, load.values[0], cell);
        sums.cells += 1;
        sums.area +=
            load.word == LoadWord::Snow ? std::abs(cell.areaVector.z()) : cell.areaVector.norm();
        for (int axis = 0; axis < 3; ++axis)
            sums.resultant[axis] += force[axis];
        for (int corner : cell.corners)
            addForce(applied, corner, force / static_cast<double>(cell.corners.size()));
    }
}

bool loadsCells(const LoadCase& loadCase) {
    return std::any_of(loadCase.modelLoads.begin(), loadCase.modelLoads.end(), [](const auto& l) {
        return l.word == LoadWord::Snow || l.word == LoadWord::Pressure;
    });
}

} // namespace

AppliedLoads appliedLoads(const Model& model, const LoadCase& loadCase) {
    AppliedLoads applied{std::vector<Point>(model.nodes.size(), Point{}),
                         std::vector<double>(model.members.size(), 0),
                         std::vector<Point>(model.nodes.size(), Point{}),
                         0,
                         0,
                         {},
                         {}};
    for (const NodalLoad& load : loadCase.loads)
        applied.forces[load.node - 1] = load.force;
    const std::vector<NetCell> cells =
        loadsCells(loadCase) ? cellsOf(model) : std::vector<NetCell>{};
    std::vector<bool> weighed(model.members.size());
    for (const ModelLoad& load : loadCase.modelLoads)
        switch (load.word) {
        case LoadWord::Weight: addWeight(model, load, weighed, applied); break;
        case LoadWord::Temperature: addTemperature(model, load, applied); break;
        case LoadWord::Settle: addSettlement(load, applied); break;
        case LoadWord::Snow:
        case LoadWord::Pressure: addCellLoad(load, cells, applied); break;
        }
    applied.weighedMembers = std::count(weighed.begin(), weighed.end(), true);
    return applied;
}

AppliedLoads withHeld(AppliedLoads own, const AppliedLoads& held) {
    for (std::size_t node = 0; node < held.forces.size(); ++node)
        for (int axis = 0; axis < 3; ++axis) {
            own.forces[node][axis] += held.forces[node][axis];
            own.settlements[node][axis] += held.settlements[node][axis];
        }
    for (std::size_t member = 0; member < held.strains.size(); ++member)
        own.strains[member] += held.strains[member];
    return own;
}

} // namespace ombrix
