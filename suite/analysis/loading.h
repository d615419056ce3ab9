// The loading file: comment lines, a heading line, a line whose first value is the number
// N of load cases 1..N, a line whose first value Z says (when not 0) that a case 0 comes
// first; then one block per case: "k m s" (case, loaded nodes, load steps, 0 = the
// solver's choice), m lines "n Fx Fy Fz", and any number of lines that begin with a word
// (weight, temperature, settle, snow, pressure: see loads.h; at most one "after c"). The
// case files "<k>.unf"
// that Forces leaves for Solve hold one such block each, in the same words.
#pragma once

#include "input_error.h"
#include "loads.h"
#include "model.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace ombrix {

inline constexpr int mostSteps = 10'000;

// The loading, or InputError naming the first line that cannot be accepted.
Loading readLoading(std::string_view text);

// Why the case cannot be applied to the model, with the line of the load at fault.
struct CaseProblem {
    int line = 0;
    Problem problem;
};
std::optional<CaseProblem> problemOf(const LoadCase& loadCase, const Model& model);

// The words of the lines after a case's node lines, as the file writes them: a combination
// stands alone in its block; "after c" starts the case from the end of case c.
inline constexpr std::string_view combineWord = "combine";
inline constexpr std::string_view afterWord = "after";
std::string_view wordOf(LoadWord word);

// The members a weight or temperature line names, as written after its values: empty for
// all of them.
std::string membersWritten(const MemberChoice& choice);

// Of each case of the loading that cannot be applied to the model, by case number, why: its
// own problem, or that the case it comes after cannot be solved.
std::map<int, CaseProblem> problemsOf(const Loading& loading, const Model& model);

// One case block, as in "<k>.unf"; every number exact, lines ending in CR LF.
std::string writeCase(const LoadCase& loadCase);
LoadCase readCase(std::string_view text, int number);

} // namespace ombrix
