// The output file's reports, in the language and list type the engineer chose: the
// structure (Prepare), the loading (Forces) and each load case's results (Solve).
// "Short" gives a summary; "Complete" adds the tables of nodes and members, or of
// displacements, axial forces and reactions. Lines end in CR LF.
#pragma once

#include "loads.h"
#include "messages.h"
#include "model.h"
#include "solver.h"

#include <map>
#include <string>

namespace ombrix {

enum class ListType { Short, Complete };

// "Complete" (or any word starting with C) is Complete; anything else is Short.
ListType listTypeNamed(std::string_view name);

struct ReportStyle {
    Language language = Language::English;
    ListType listType = ListType::Short;
};

std::string structureReport(const Model& model, const std::string& geometryFile, ReportStyle style);

// unusable: the cases that cannot be solved, by case number. Each case that can is shown
// with the resultant of its forces and what its weight, temperature, settlement, snow and
// pressure applied.
std::string loadingReport(const Model& model, const Loading& loading,
                          const std::string& loadingFile,
                          const std::map<int, std::string>& unusable, ReportStyle style);

// "a limit point" or "a bifurcation", as the messages name them.
std::string criticalPointName(CriticalPoint point, Language language);
// The load factor of the critical point, with the digits its precision supports.
std::string criticalLoadFactorText(const Solution& solution);

// `held`: of a case that comes after another, the loads it holds from the cases before it.
std::string caseReport(const Model& model, const LoadCase& loadCase, const Solution& solution,
                       ReportStyle style, const AppliedLoads& held = {});

} // namespace ombrix
