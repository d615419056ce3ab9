// The reader of the results file "<k>.res" that Solve leaves for each case it solved
// (docs/file-formats.md), checked against the prepared model it was solved on:
//   case k
//   converged yes|no
//   inputs <16 hexadecimal digits>   optional: what the case was solved from
//   load factor <x>                  optional: the load factor of the state given
//   node n ux uy uz                  one line per node, in node order
//   member m N                       one line per member, in member order
//   reaction n Rx Ry Rz              one line per node with a restrained direction
#pragma once

#include "model.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

struct CaseResults {
    int loadCase = 0;
    bool converged = false; // false: the last state in equilibrium
    std::optional<std::string> inputs;
    std::optional<double> loadFactor;
    std::vector<Point> displacements; // per node
    std::vector<double> axialForces;  // per member, tension positive, 0 for a slack cable
    std::vector<Point> reactions;     // per node, zero where no support holds it
};

// The results, or InputError naming the first line that cannot be accepted.
CaseResults readResults(std::string_view text, const Model& model);

} // namespace ombrix
