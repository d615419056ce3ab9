#pragma once

#include "platform/platform.h"
#include "text/fixed_text.h"

#include <array>

// The load cases the user has chosen for the solver: the labels of the selected items
// of the case list, in list order ("7 ", "12"). Zero at start, never saved.
inline constexpr int maxCaseCount = 100;

struct CaseSelection {
    int caseCount = 0;
    int selectedCaseCount = 0;
    std::array<CaseLabelText, maxCaseCount> selectedCaseLabels;
};

extern CaseSelection caseSelection;

// Empties the case list for a new input file and disables I T E R, so that a stale
// selection cannot be solved; the selection is rebuilt at the next change.
void resetCaseList(platform::Dialog dialog);
