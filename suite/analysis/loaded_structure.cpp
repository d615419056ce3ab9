#include "loaded_structure.h"

#include <algorithm>
#include <cmath>

namespace ombrix {

double largest(const Eigen::VectorXd& forces) {
    return forces.size() ? forces.lpNorm<Eigen::Infinity>() : 0;
}

namespace {

std::vector<Eigen::Vector3d> vectorsOf(const std::vector<Point>& points) {
    std::vector<Eigen::Vector3d> vectors;
    vectors.reserve(points.size());
    for (const Point& point : points)
        vectors.emplace_back(point[0], point[1], point[2]);
    return vectors;
}

// The unknowns of the displacements given, or zero where none are.
Eigen::VectorXd unknownsOf(const Structure& structure, const std::vector<Point>& displacements) {
    Eigen::VectorXd unknowns = Eigen::VectorXd::Zero(structure.unknownCount());
    if (!displacements.empty())
        for (int k = 0; k < structure.unknownCount(); ++k)
            unknowns[k] = displacements[structure.unknown(k).node][structure.unknown(k).axis];
    return unknowns;
}

} // namespace

// A settlement moves its supports before the first load step, the forces it makes in the
// state started from held as the out-of-balance force of initial forces is, and released
// with the load: the load path ends under the full settlement and the full load. A case
// that comes after another starts from that case's end state under its loads, which the
// same out-of-balance force holds: the load factor adds this case's own loads alone.
LoadedStructure::LoadedStructure(const Model& model, const LoadCase& loadCase,
                                 const SolverOptions& options, const CaseStart& start)
    : options_(options), model_(model),
      applied_(withHeld(appliedLoads(model, loadCase), start.held)), structure_(model, applied_),
      nodeLoads_(vectorsOf(applied_.forces)), load_(structure_.freePart(nodeLoads_)),
      start_(unknownsOf(structure_, start.displacements)),
      imbalance_(structure_.freePart(structure_.sumsAt(start_).nodeForces)) {
    setTolerances();
}

// The forces that set the tolerance, fixed by the problem alone.
void LoadedStructure::setTolerances() {
    for (const Eigen::Vector3d& load : nodeLoads_)
        largestLoad_ = std::max(largestLoad_, load.cwiseAbs().maxCoeff());
    for (double force : structure_.sumsAt(start_).axialForces) {
        largestInitialForce_ = std::max(largestInitialForce_, std::abs(force));
        slackAtStart_ = slackAtStart_ || force == 0;
    }
    loadMoves_ = largest(load_ - imbalance_) > targetAt(0);
}

// The out-of-balance force aimed at: a part in 1e9 of the largest load applied or initial
// member force, so that a state under a small part of the load is balanced as finely.
double LoadedStructure::targetAt(double loadFactor) const {
    return options_.relativeTolerance * std::max(loadFactor * largestLoad_, largestInitialForce_);
}
// The load at a load factor. Initial forces that are not in equilibrium in the geometry
// given are released with the load: until the full load the rest of their out-of-balance
// force still holds the structure where it was, so that a load step is small in every way.
Eigen::VectorXd LoadedStructure::appliedAt(double loadFactor) const {
    return loadFactor * load_ + (1 - loadFactor) * imbalance_;
}

State LoadedStructure::stateAt(Eigen::VectorXd unknowns, double loadFactor) const {
    State state;
    state.sums = structure_.sumsAt(unknowns);
    state.unknowns = std::move(unknowns);
    state.loadFactor = loadFactor;
    const Eigen::VectorXd applied = appliedAt(loadFactor);
    state.residual = applied - structure_.freePart(state.sums.nodeForces);
    const double work = applied.dot(state.unknowns);
    state.potential = state.sums.strainEnergy - work;
    state.rounding =
        options_.energyRounding *
        (std::abs(state.sums.strainEnergy) + applied.cwiseProduct(state.unknowns).cwiseAbs().sum());
    return state;
}

// Balanced to the force aimed at, or, where the iterations have stopped gaining, to what
// the rounding of the forces allows where that is larger. Such a state may be an answer
// only once its members too stiff to be resolved take their forces from the balance.
bool LoadedStructure::converged(const State& state, bool stalled) const {
    const double target = targetAt(state.loadFactor);
    const Eigen::ArrayXd force = state.residual.cwiseAbs().array();
    return (force <= target).all() ||
           (stalled && (force <= roundingFloors(state).array().max(target)).all());
}

// Per unknown, the rounding of the forces of its node's members.
Eigen::VectorXd LoadedStructure::roundingFloors(const State& state) const {
    const std::vector<double> roundings = structure_.forceRoundings(state.unknowns);
    std::vector<double> atNodes(model_.nodes.size(), 0);
    for (std::size_t m = 0; m < model_.members.size(); ++m) {
        atNodes[model_.members[m].first] += roundings[m];
        atNodes[model_.members[m].second] += roundings[m];
    }
    Eigen::VectorXd floors(structure_.unknownCount());
    for (int k = 0; k < structure_.unknownCount(); ++k)
        floors[k] = options_.roundingFloorFactor * atNodes[structure_.unknown(k).node];
    return floors;
}

// The one merit of a trial state: a fall of the potential energy by a part of what the step
// promised. Where the energies cannot tell the states apart, the fall is the work of the
// mean out-of-balance force over the step; where that too is lost in rounding, the
// out-of-balance force itself must fall.
bool LoadedStructure::improves(const State& trial, const State& now, double promised) const {
    if (!std::isfinite(trial.potential) || !trial.residual.allFinite())
        return false;
    double fall = now.potential - trial.potential;
    if (std::abs(fall) <= std::max(now.rounding, trial.rounding)) {
        const Eigen::VectorXd work =
            (now.residual + trial.residual).cwiseProduct(trial.unknowns - now.unknowns) / 2;
        fall = work.sum();
        if (std::abs(fall) <= options_.energyRounding * work.cwiseAbs().sum())
            return largest(trial.residual) < largest(now.residual);
    }
    return fall > 0 && fall >= options_.sufficientFall * promised;
}

// A displacement a hundred times the size of the structure is one that nothing resists.
bool LoadedStructure::runsAway(const State& state) const {
    return state.unknowns.size() > 0 &&
           !(state.unknowns.lpNorm<Eigen::Infinity>() <= options_.runawaySize * structure_.size());
}

Point pointOf(const Eigen::Vector3d& vector) {
    return {vector[0], vector[1], vector[2]};
}

std::vector<Point> LoadedStructure::displacementsAt(const State& state) const {
    std::vector<Point> displacements;
    const std::vector<Eigen::Vector3d> moved = structure_.displacements(state.unknowns);
    for (std::size_t node = 0; node < moved.size(); ++node)
        displacements.push_back(pointOf(
            moved[node] + Eigen::Map<const Eigen::Vector3d>(applied_.settlements[node].data())));
    return displacements;
}

} // namespace ombrix
