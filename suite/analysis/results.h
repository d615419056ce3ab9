// The results file "<k>.res" that Solve leaves for the graph and post-processing programs:
//   case k
//   converged yes|no
//   inputs <digest>          the digest of the "Forces.rec" the case was solved from
//   node n ux uy uz          one line per node, in node order
//   member m N               one line per member, in member order
//   reaction n Rx Ry Rz      one line per node with a restrained direction
// Every number exact, lines ending in CR LF.
#pragma once

#include "model.h"
#include "solver.h"

#include <string>

namespace ombrix {

std::string writeResults(int caseNumber, const Model& model, const Solution& solution,
                         const std::string& inputs);

} // namespace ombrix
