// The von Mises two-bar truss and its equilibrium in closed form: bars of 2 m at 65 degrees,
// EA = 210e9 Pa x 2.5e-3 m2, the apex (node 2) loaded downwards; for the tests of the solver
// and of the path Solve records.
#pragma once

#include "numbers.h"

#include <cmath>
#include <numbers>
#include <string>

namespace ombrix {

inline const double vonMisesX = 2 * std::cos(65 * std::numbers::pi / 180);
inline const double vonMisesZ = 2 * std::sin(65 * std::numbers::pi / 180);
inline constexpr double vonMisesEA = 210e9 * 2.5e-3;

// The load that holds the apex w below where it was given.
inline double vonMisesLoad(double w) {
    const double l = std::hypot(vonMisesZ - w, vonMisesX);
    return 2 * vonMisesEA * (2 - l) / 2 * (vonMisesZ - w) / l;
}

// The upright truss carries most where dP/dw = 0, at a bar length l with l^3 = 2 X^2.
inline double vonMisesLimit() {
    const double l = std::cbrt(2 * vonMisesX * vonMisesX);
    return vonMisesLoad(vonMisesZ - std::sqrt(l * l - vonMisesX * vonMisesX));
}

inline std::string vonMises() {
    const std::string x = exactNumber(vonMisesX), z = exactNumber(vonMisesZ);
    return "Von Mises truss\n3 2\n1 0 0 0 1 1 1\n2 " + x + " 0 " + z + " 0 1 0\n3 " +
           exactNumber(2 * vonMisesX) + " 0 0 1 1 1\n1 1 2 B 5.25e8 0\n2 2 3 B 5.25e8 0\n";
}

} // namespace ombrix
