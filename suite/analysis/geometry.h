// The geometry file: a heading line; "NN NE [E|G]"; NN node lines "n x y z rx ry rz";
// NE member lines "m i j kind EA N0 [L0]". The prepared model that Prepare leaves for
// Forces and Solve is a geometry file too, written by writeGeometry.
#pragma once

#include "model.h"

#include <string>
#include <string_view>

namespace ombrix {

inline constexpr int mostNodes = 1'000'000;
inline constexpr int mostMembers = 4'000'000;

// The model, or InputError naming the first line that cannot be accepted.
Model readGeometry(std::string_view text);

// The model in the geometry file's format, every number exact, lines ending in CR LF.
std::string writeGeometry(const Model& model);

} // namespace ombrix
