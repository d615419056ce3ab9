// What every part of the solver shares: the structure under one load case in numbers (its
// unknowns, its loads, the tolerances they set) and its states along the load path, with
// everything the iterations ask of a state.
#pragma once

#include "applied_loads.h"
#include "loads.h"
#include "model.h"
#include "solver.h"
#include "structure.h"
#include "tangent_factor.h"

#include <optional>
#include <vector>

namespace ombrix {

// One state of the structure at a load factor, with everything the iteration asks of it.
struct State {
    Eigen::VectorXd unknowns;
    double loadFactor = 0;
    MemberSums sums;
    Eigen::VectorXd residual; // load minus resistance, over the free unknowns
    double potential = 0;     // strain energy minus the work of the load
    double rounding = 0;      // of the potential
    // Of a structure with bars, once examined: the inertia of its tangent and, where that is
    // regular, the path's tangent du / d(load factor), and where it is unstable, its
    // critical mode.
    std::optional<Inertia> inertia;
    Eigen::VectorXd pathTangent;
    Eigen::VectorXd criticalMode;
};

double largest(const Eigen::VectorXd& forces);
Point pointOf(const Eigen::Vector3d& vector);

// How an equilibrium iteration, a load step or the path ended. Taken: balanced, and for a
// step on its path in a stable state, so that it is taken; for the path, at the full load.
// Jumped: balanced, but on another branch than the one the step started from. Unstable:
// balanced on the path, in an unstable state. Exhausted: the iterations a case may take
// are spent.
enum class Outcome { Taken, NotConverged, Mechanism, Jumped, Unstable, Exhausted };

class LoadedStructure {
  public:
    LoadedStructure(const Model& model, const LoadCase& loadCase, const SolverOptions& options,
                    const CaseStart& start = {});

    const SolverOptions& options() const { return options_; }
    const Model& model() const { return model_; }
    const Structure& structure() const { return structure_; }
    Structure& structure() { return structure_; }
    const std::vector<Eigen::Vector3d>& nodeLoads() const { return nodeLoads_; }
    // The load that moves the structure along its path, per unit load factor.
    Eigen::VectorXd pathLoad() const { return load_ - imbalance_; }
    // The unknowns of the state the path starts from: zero from rest.
    const Eigen::VectorXd& startUnknowns() const { return start_; }
    bool slackAtStart() const { return slackAtStart_; }
    bool loadMoves() const { return loadMoves_; }

    Eigen::VectorXd appliedAt(double loadFactor) const;
    State stateAt(Eigen::VectorXd unknowns, double loadFactor) const;
    double targetAt(double loadFactor) const;
    bool converged(const State& state, bool stalled) const;
    bool improves(const State& trial, const State& now, double promised) const;
    bool runsAway(const State& state) const;
    // Of every node, the settled supports' included.
    std::vector<Point> displacementsAt(const State& state) const;

  private:
    void setTolerances();
    Eigen::VectorXd roundingFloors(const State& state) const;

    const SolverOptions options_;
    const Model& model_;
    const AppliedLoads applied_;
    Structure structure_;
    std::vector<Eigen::Vector3d> nodeLoads_;
    Eigen::VectorXd load_;
    Eigen::VectorXd start_;
    Eigen::VectorXd imbalance_; // of the member forces in the state started from
    double largestLoad_ = 0;
    double largestInitialForce_ = 0;
    bool slackAtStart_ = false; // some member carries no force in the state started from
    bool loadMoves_ = false;    // the load changes the forces by more than the balance can tell
};

} // namespace ombrix
