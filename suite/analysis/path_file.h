// The path file "<k>.pth" that Solve writes as it solves a case, a state at a time, and
// Charts reads back for the chart of its load path:
//   case k
//   inputs <digest>          the digest of the "Forces.rec" the case was solved from
//   nodes NN
//   state x [snap-through|bifurcation]   a state the solver accepted, at load factor x,
//   ux uy uz                             then one line per node, in node order
//   ...
//   end converged|stopped [at limit point|at bifurcation]
// "end stopped" when the case did not converge: its last state is the last in equilibrium,
// and with a critical point the one where the structure became unstable, no stable state
// being found beyond. The path starts from the unloaded state, which is not written; a case
// that comes after another starts from that case's end state, written as its first state,
// at load factor 0.
// Numbers carry 7 significant digits, plenty for a chart; lines end in CR LF.
#pragma once

#include "model.h"
#include "solved_case_lines.h"
#include "solver.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

std::string pathHead(int caseNumber, std::size_t nodes, const std::string& inputs);
std::string pathStateText(const PathState& state);
std::string pathEnd(const Solution& solution);

// The states along a case's path, after the state where it starts.
struct CasePath {
    int loadCase = 0;
    std::vector<Point> start; // per node: where a case that comes after another starts
    std::vector<PathState> states;
    bool converged = false;
    CriticalPoint stoppedAt = CriticalPoint::None; // where a case that did not converge ended
};

// The path, or InputError naming the first line that cannot be accepted; a path of other
// load cases or of another model is refused as the results are.
CasePath readPath(std::string_view text, const Model& model, const ResultsOrigin& origin);

} // namespace ombrix
