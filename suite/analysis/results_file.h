// The results file "<k>.res" that Solve leaves for each case it solved (docs/file-formats.md),
// written and read back, each read checked against the prepared model it was solved on;
// every number exact and lines ending in CR LF:
//   case k
//   converged yes|no
//   inputs <16 hexadecimal digits>   optional: what the case was solved from
//   load factor <x>                  where the case did not converge: the load factor of
//                                    the state given (left out by files written before)
//   node n ux uy uz                  one line per node, in node order
//   member m N                       one line per member, in member order
//   reaction n Rx Ry Rz              one line per node with a restrained direction
#pragma once

#include "model.h"
#include "solved_case_lines.h"
#include "solver.h"

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

// The results of a case as the solver found them, with the load factor where it did not
// converge.
CaseResults caseResults(int loadCase, const Solution& solution, const std::string& inputs);

// Whether the member is a cable slack in the results: its force is then exactly 0.
bool isSlackCable(const Model& model, const CaseResults& results, std::size_t member);

// The nodes that a support holds in some direction: those with a reaction line.
std::vector<bool> heldNodes(const Model& model);

// The results file's text, with a reaction line for each node `held` marks.
std::string resultsText(const CaseResults& results, const std::vector<bool>& held);

// The results, or InputError naming the first line that cannot be accepted: with an
// origin, also the case line of another case and the inputs line (present or missing) of
// other load cases.
CaseResults readResults(std::string_view text, const Model& model,
                        const std::optional<ResultsOrigin>& origin = std::nullopt);

// The lines before the nodes' only: the case, whether it converged, its inputs.
CaseResults readResultsHead(std::string_view text, const ResultsOrigin& origin);

} // namespace ombrix
