// The first guess of a load step: the last step carried on in proportion, and for a net of
// cables the least of the energy along that line, or along the shape of a string net.
#pragma once

#include "factorizations.h"
#include "loaded_structure.h"

#include <optional>

namespace ombrix {

class FirstGuess {
  public:
    FirstGuess(const LoadedStructure& loaded, Factorizations& factors);

    State from(const State& current, double increment, double loadFactor);
    // Each state accepted on the path, and the one it followed: their difference is the
    // step the next guess carries on.
    void accepted(const State& before, const State& after);
    // Past a critical point the path so far says nothing of the next step.
    void forget();

  private:
    bool startsWithSlackMembers(const State& current) const;
    std::optional<Eigen::VectorXd> stringNetShape(const State& current, double loadFactor);

    const LoadedStructure& loaded_;
    Factorizations& factors_;
    Eigen::VectorXd lastIncrement_;
    double lastLoadIncrement_ = 0;
};

} // namespace ombrix
