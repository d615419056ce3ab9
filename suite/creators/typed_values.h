// What the engineer types into the makers' fields, read by the rules of the suite's files
// ('.' the decimal point; values separated by blanks, tabs or commas), or Refused naming
// the field.
#pragma once

#include "families.h"
#include "loading_plan.h"

#include <string>
#include <vector>

namespace ombrix {

// One number, or Refused naming the field.
double numberTyped(const std::string& text, const std::string& field);

// The values of a family's parameters, typed in the order of its parameters.
std::vector<double> valuesTyped(const Family& family, const std::vector<std::string>& texts);

// A case row as typed: the force's components, the box's corners "x y z x y z" or the
// node numbers, and the load steps (empty: the solver chooses).
struct CaseTexts {
    LoadedNodes nodes = LoadedNodes::everyFreeNode;
    std::string force; // "Fx Fy Fz"
    std::string where; // the box or the nodes; unused for every free node
    std::string steps;
    bool operator==(const CaseTexts&) const = default;
};

CaseRow caseRowTyped(const CaseTexts& texts, const std::string& caseName);

} // namespace ombrix
