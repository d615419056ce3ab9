// The stability of the states along the path, and the way past a critical point: past a
// limit point the structure snaps through, past a bifurcation it leaves the unstable path
// along its critical mode.
#pragma once

#include "factorizations.h"
#include "loaded_structure.h"
#include "newton.h"

namespace ombrix {

class CriticalPoints {
  public:
    CriticalPoints(const LoadedStructure& loaded, Factorizations& factors, Newton& newton);

    // Examines the state where the structure has bars; whether it is unstable.
    bool examineUnstable(State& state);
    // At a critical point, the finest step beyond it from the load factor given in trial: a
    // step that jumped past a limit point or ended unstable past a bifurcation. The critical
    // point passed on the way to trial, which is then a stable state; None where there is
    // no such step or no stable state beside it.
    CriticalPoint pass(Outcome outcome, double fromLoadFactor, State& trial);

    // The first critical point passed, and its load factor.
    CriticalPoint first() const { return first_; }
    double firstLoadFactor() const { return firstLoadFactor_; }

  private:
    Eigen::VectorXd criticalMode() const;
    bool leaveAlongCriticalMode(State& state);

    const LoadedStructure& loaded_;
    Factorizations& factors_;
    Newton& newton_;
    CriticalPoint first_ = CriticalPoint::None;
    double firstLoadFactor_ = 0;
};

} // namespace ombrix
