#include "form_finding.h"

#include "member_law.h"
#include "numbers.h"
#include "tangent_factor.h"

#include <Eigen/Dense>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <limits>
#include <memory>
#include <string>

namespace ombrix {
namespace {

const std::array<const char*, 3> axisNames = {"x", "y", "z"};

double forceGiven(const Model& model, const Member& member) {
    if (!member.unstressedLength)
        return member.initialForce;
    return MemberLaw::of(model, member).at(lengthOf(model, member), 0).force;
}

std::string nodeName(int node) {
    return "node " + std::to_string(node + 1);
}
std::string memberName(std::size_t member) {
    return "member " + std::to_string(member + 1);
}

// The coordinates along one axis that the form finds: the nodes free in it, numbered.
struct AxisUnknowns {
    std::vector<int> ofNode; // per node, its unknown, or -1 where it is held
    int count = 0;
};

AxisUnknowns unknownsAlong(const Model& model, std::size_t axis) {
    AxisUnknowns unknowns;
    for (const Node& node : model.nodes)
        unknowns.ofNode.push_back(node.restrained[axis] ? -1 : unknowns.count++);
    return unknowns;
}

// Every free node must hang from a held one through members that pull: otherwise nothing
// fixes where it lies.
void refuseFloatingNodes(const Model& model, const std::vector<double>& densities,
                         const AxisUnknowns& unknowns, std::size_t axis) {
    const std::size_t count = model.nodes.size();
    std::vector<std::vector<int>> neighbours(count);
    for (std::size_t m = 0; m < model.members.size(); ++m)
        if (densities[m] > 0) {
            neighbours[model.members[m].first].push_back(model.members[m].second);
            neighbours[model.members[m].second].push_back(model.members[m].first);
        }
    std::vector<bool> held(count, false);
    std::vector<int> reached;
    for (std::size_t n = 0; n < count; ++n)
        if (unknowns.ofNode[n] < 0) {
            held[n] = true;
            reached.push_back(static_cast<int>(n));
        }
    while (!reached.empty()) {
        const int node = reached.back();
        reached.pop_back();
        for (int next : neighbours[node])
            if (!held[next]) {
                held[next] = true;
                reached.push_back(next);
            }
    }
    const auto floating = std::find(held.begin(), held.end(), false);
    if (floating != held.end())
        throw FormRefused(nodeName(static_cast<int>(floating - held.begin())) + " is not held in " +
                          axisNames[axis] +
                          ": no chain of members with a positive force density ties it to a "
                          "node held in " +
                          axisNames[axis]);
}

// "member 4 and 2 others", of the members in compression.
std::string compressionMembers(const std::vector<double>& densities) {
    const auto first =
        std::find_if(densities.begin(), densities.end(), [](double q) { return q < 0; });
    if (first == densities.end())
        return "none";
    const auto others = std::count_if(first + 1, densities.end(), [](double q) { return q < 0; });
    return memberName(static_cast<std::size_t>(first - densities.begin())) +
           (others > 0 ? " and " + std::to_string(others) + " others" : std::string());
}

// The force densities' system along one axis, lower triangle, and what the held nodes and
// the loads give its right-hand side.
struct AxisSystem {
    SparseMatrix matrix;
    Eigen::VectorXd right;
};

AxisSystem systemAlong(const Model& model, const std::vector<double>& densities,
                       const AxisUnknowns& unknowns, std::size_t axis,
                       const std::vector<Point>& nodeLoads) {
    std::vector<Eigen::Triplet<double>> entries;
    Eigen::VectorXd right = Eigen::VectorXd::Zero(unknowns.count);
    for (std::size_t n = 0; n < model.nodes.size(); ++n)
        if (unknowns.ofNode[n] >= 0 && n < nodeLoads.size())
            right[unknowns.ofNode[n]] += nodeLoads[n][axis];
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const double q = densities[m];
        const int ends[2] = {model.members[m].first, model.members[m].second};
        for (int side = 0; side < 2; ++side) {
            const int here = unknowns.ofNode[ends[side]];
            const int there = unknowns.ofNode[ends[1 - side]];
            if (here < 0)
                continue;
            entries.emplace_back(here, here, q);
            if (there < 0)
                right[here] += q * model.nodes[ends[1 - side]].position[axis];
            else if (there < here)
                entries.emplace_back(here, there, -q);
        }
    }
    AxisSystem system;
    system.matrix.resize(unknowns.count, unknowns.count);
    system.matrix.setFromTriplets(entries.begin(), entries.end());
    system.right = std::move(right);
    return system;
}

// The forms of one model for force densities that change from round to round: its
// systems keep their pattern, ordered and analysed once.
class Forms {
  public:
    Forms(const Model& model, const std::vector<Point>& nodeLoads)
        : model_(model), nodeLoads_(nodeLoads) {
        for (std::size_t axis = 0; axis < 3; ++axis) {
            unknowns_[axis] = unknownsAlong(model, axis);
            alike_[axis] = 0;
            while (unknowns_[alike_[axis]].ofNode != unknowns_[axis].ofNode)
                ++alike_[axis];
        }
    }

    // The model with its free coordinates found for the force densities.
    Model formFor(const std::vector<double>& densities) {
        Model form = model_;
        for (std::size_t axis = 0; axis < 3; ++axis)
            if (unknowns_[axis].count > 0)
                place(form, densities, axis);
        for (std::size_t m = 0; m < form.members.size(); ++m) {
            const double length = lengthOf(form, form.members[m]);
            if (!(length >= shortestLength))
                throw FormRefused(memberName(m) +
                                  " has no length in the form found: its nodes meet");
            form.members[m].initialForce = densities[m] * length;
            form.members[m].unstressedLength.reset();
        }
        return form;
    }

  private:
    // An axis whose nodes are held as an earlier one's has its matrix: its factorisation
    // serves both, so that a net held in every direction at its supports costs one.
    void place(Model& form, const std::vector<double>& densities, std::size_t axis) {
        const AxisUnknowns& unknowns = unknowns_[axis];
        const AxisSystem system = systemAlong(model_, densities, unknowns, axis, nodeLoads_);
        std::unique_ptr<TangentFactor>& factor = factors_[alike_[axis]];
        if (alike_[axis] == axis) {
            refuseFloatingNodes(model_, densities, unknowns, axis);
            if (!factor)
                factor = std::make_unique<TangentFactor>(system.matrix);
            if (!factor->factorize(system.matrix, false).positiveDefinite())
                throw FormRefused("no stable form: the members in compression (" +
                                  compressionMembers(densities) +
                                  ") outweigh the members in tension that hold their nodes");
        }
        const Eigen::VectorXd found = factor->solve(system.right);
        for (std::size_t n = 0; n < form.nodes.size(); ++n)
            if (unknowns.ofNode[n] >= 0)
                form.nodes[n].position[axis] = found[unknowns.ofNode[n]];
    }

    const Model& model_;
    const std::vector<Point>& nodeLoads_;
    std::array<AxisUnknowns, 3> unknowns_;
    std::array<std::size_t, 3> alike_{}; // the first axis whose nodes are held as this one's
    std::array<std::unique_ptr<TangentFactor>, 3> factors_;
};

// The member whose force in the form lies farthest from its target, relative to it.
std::pair<std::size_t, double> farthestFromForce(const Model& form,
                                                 const std::vector<double>& targets) {
    std::pair<std::size_t, double> farthest{0, 0};
    for (std::size_t m = 0; m < targets.size(); ++m) {
        const double off = std::abs(form.members[m].initialForce - targets[m]) /
                           std::max(std::abs(targets[m]), std::numeric_limits<double>::min());
        if (!(off <= farthest.second))
            farthest = {m, off};
    }
    return farthest;
}

// Forces that the form cannot take (two in line at a node without others) leave the
// farthest as far off round after round; those it can take come closer, if slowly: the
// rounds alone by some 5 % a round on a saddle.
bool stalled(const std::vector<double>& offs) {
    constexpr std::ptrdiff_t rounds = 20;
    return std::ssize(offs) > rounds && !(*std::min_element(offs.end() - rounds, offs.end()) <
                                          *std::min_element(offs.begin(), offs.end() - rounds));
}

// The rounds q <- N / L alone close in on the forces by a few per cent a round. Anderson's
// mixing of the last few rounds (Walker and Ni, 2011) takes the densities whose changes
// cancel as far as the rounds tell; where that would turn a density against its force, the
// round is taken as it is and the mixing starts again.
class Mixing {
  public:
    explicit Mixing(const std::vector<double>& forces)
        : forces_(Eigen::Map<const Eigen::VectorXd>(forces.data(), Eigen::Index(forces.size()))) {}

    // gaining: whether the last round came closer to the forces than the one before; where
    // it did not, the mixing starts again from a round taken as it is.
    std::vector<double> next(const std::vector<double>& densities, const std::vector<double>& asked,
                             bool gaining) {
        const Eigen::VectorXd mapped = toVector(asked);
        const Eigen::VectorXd change = mapped - toVector(densities);
        if (!gaining) {
            changes_.clear();
            mappedChanges_.clear();
        } else if (lastMapped_.size() > 0) {
            changes_.emplace_back(change - lastChange_);
            mappedChanges_.emplace_back(mapped - lastMapped_);
            if (changes_.size() > depth) {
                changes_.pop_front();
                mappedChanges_.pop_front();
            }
        }
        lastChange_ = change;
        lastMapped_ = mapped;
        if (changes_.empty())
            return asked;
        const Eigen::VectorXd mixed = mix(change, mapped);
        if (((mixed.array() * forces_.array()) < 0).any() ||
            ((mixed.array() == 0) && (forces_.array() != 0)).any()) {
            changes_.clear();
            mappedChanges_.clear();
            return asked;
        }
        return {mixed.begin(), mixed.end()};
    }

  private:
    static Eigen::VectorXd toVector(const std::vector<double>& values) {
        return Eigen::Map<const Eigen::VectorXd>(values.data(), Eigen::Index(values.size()));
    }

    Eigen::VectorXd mix(const Eigen::VectorXd& change, const Eigen::VectorXd& mapped) const {
        const auto columns = Eigen::Index(changes_.size());
        Eigen::MatrixXd changes(change.size(), columns), mappedChanges(change.size(), columns);
        for (Eigen::Index k = 0; k < columns; ++k) {
            changes.col(k) = changes_[std::size_t(k)];
            mappedChanges.col(k) = mappedChanges_[std::size_t(k)];
        }
        const Eigen::VectorXd weights = changes.colPivHouseholderQr().solve(change);
        return mapped - mappedChanges * weights;
    }

    static constexpr std::size_t depth = 5;
    Eigen::VectorXd forces_;
    std::deque<Eigen::VectorXd> changes_, mappedChanges_;
    Eigen::VectorXd lastChange_, lastMapped_;
};

} // namespace

Model findForm(const Model& model, FormTarget target, const std::vector<Point>& nodeLoads) {
    std::vector<double> forces, densities;
    for (const Member& member : model.members) {
        forces.push_back(forceGiven(model, member));
        densities.push_back(forces.back() / lengthOf(model, member));
    }
    Forms forms(model, nodeLoads);
    Model form = forms.formFor(densities);
    if (target == FormTarget::ForceDensities)
        return form;
    Mixing mixing(forces);
    std::vector<double> offs;
    for (int round = 1;; ++round) {
        const auto [member, off] = farthestFromForce(form, forces);
        if (off <= formForcePrecision)
            return form;
        offs.push_back(off);
        if (round == mostFormRounds || stalled(offs))
            throw FormRefused("the forces cannot be reached: " + memberName(member) + " has " +
                              showNumber(form.members[member].initialForce) + " against the " +
                              showNumber(forces[member]) + " asked, after " +
                              std::to_string(round) +
                              " rounds. Forces alone may leave a flat net's form open; give "
                              "force densities (each member's force over its length) instead");
        std::vector<double> asked(densities.size());
        for (std::size_t m = 0; m < densities.size(); ++m)
            asked[m] = forces[m] / lengthOf(form, form.members[m]);
        densities = mixing.next(densities, asked, offs.size() < 2 || off < offs[offs.size() - 2]);
        form = forms.formFor(densities);
    }
}

} // namespace ombrix
