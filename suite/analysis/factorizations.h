// The solver's factorisations of the tangent. They share the ordering and symbolic analysis
// of one pattern, so they are made in turn in one factor, which holds the latest: what that
// is decides what it may still be used for.
#pragma once

#include "loaded_structure.h"

#include <vector>

namespace ombrix {

class Factorizations {
  public:
    explicit Factorizations(Structure& structure);

    // The tangent at the state, shifted, and with the slack cables given counted taut.
    Inertia ofTangent(const State& state, double shift, const std::vector<int>& drawnTaut = {});
    // The tangent of the structure at the unknowns with every member pulled by `pull` times
    // its EA, as a net of strings.
    Inertia ofStringNet(const Eigen::VectorXd& unknowns, double pull);
    Eigen::VectorXd solve(const Eigen::VectorXd& right) const { return factor_.solve(right); }

    // Whether the latest factorisation is of a tangent as it is, positive definite.
    bool holdsRegularTangent() const { return factor_.holdsRegularTangent(); }
    // The latest factorisation where it is of a tangent as it is, positive definite, and the
    // solves spent with it since have cost less than a new one: the preconditioner of the
    // tangents of the states after its own. Null where there is none.
    const TangentFactor* earlierRegularTangent() const;
    // Solves spent with the latest factorisation beyond the one a step takes anyway.
    void spendExtraSolves(double solves) { extraSolves_ += solves; }
    int count() const { return factor_.factorizations(); }

  private:
    Structure& structure_;
    TangentFactor factor_;
    double extraSolves_ = 0; // since the latest factorisation
};

} // namespace ombrix
