#pragma once

#include "platform/platform.h"
#include "text/fixed_text.h"

#include <array>

// The load cases the user has chosen for the solver: the labels of the selected items
// of the case list, in list order ("7 ", "12", "0 "). Zero at start, never saved.
inline constexpr int maxCaseCount = 100;
// Case numbers, result file names and labels have at most two digits.
inline constexpr int highestCaseNumber = 99;

struct CaseSelection {
    int caseCount = 0; // the items the last reading of the cases put into the list
    int selectedCaseCount = 0;
    std::array<CaseLabelText, maxCaseCount> selectedCaseLabels;
};

extern CaseSelection caseSelection;

// After the loading processor has run: the case list offers case 0 when the loading file
// has one, and each numbered case whose result file "<n>.unf" lies in the working
// directory that "work_dir.dat" names; none is selected and I T E R is disabled. A
// loading file that cannot be opened is said on standard output and another is asked
// for, until one opens or the user cancels. What cannot be read is told in one message,
// and the list offers what could be known.
void readLoadCases(platform::Dialog dialog);

// Handler of the case list's selection changes: the selection, its caption and I T E R.
void updateCaseSelection(platform::Dialog dialog, int controlId, platform::ControlEvent event);

// Handler of the All box: selects every case the loading file declares, or, unchecked,
// deselects them when all of them were selected.
void onAllCases(platform::Dialog dialog, int controlId, platform::ControlEvent event);

// Empties the case list for a new input file and disables I T E R, so that a stale
// selection cannot be solved; the selection is rebuilt at the next change.
void resetCaseList(platform::Dialog dialog);
