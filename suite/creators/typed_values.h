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

// A row as typed: its case, what it loads, its values (the force's components "Fx Fy Fz",
// or the values after the word), where it loads (the box's corners "x y z x y z", the node
// numbers, or the members of a weight or temperature: empty for all) and the load steps of
// its case (empty: given by another row, or the solver chooses).
enum class RowKind {
    forceOnEveryFreeNode,
    forceInsideBox,
    forceOnListedNodes,
    weight,
    temperature,
    settle,
    snow,
    pressure,
    combine,
    after,
};

struct RowTexts {
    std::string caseNumber;
    RowKind kind = RowKind::forceOnEveryFreeNode;
    std::string values;
    std::string where;
    std::string steps;
    bool operator==(const RowTexts&) const = default;
};

// Whether the row's kind reads what the where field holds.
bool readsWhere(RowKind kind);

// The row, Refused naming it (by `name`) and the field; a word line is checked as the
// reader checks it, except those that need the other cases (combine, after), which saving
// checks.
PlanRow planRowTyped(const RowTexts& texts, const std::string& name);

// A loading file's cases as rows: each case's node loads, those of one force together, then
// a row for each of its lines that begins with a word. Written back, they give the same
// loads.
std::vector<RowTexts> rowsOf(const Loading& loading);

} // namespace ombrix
