#pragma once

#include "base/shell_record.h"
#include "handoff/handoff.h"
#include "platform/platform.h"
#include "text/fixed_text.h"

#include <array>

// The load cases the user has chosen for the solver: the labels of the selected items
// of the case list, in list order ("7 ", "12", "0 "). Zero at start, never saved.
inline constexpr int maxCaseCount = handoff::highestCaseNumber + 1;

struct CaseSelection {
    int caseCount = 0; // the items the last reading of the cases put into the list
    int selectedCaseCount = 0;
    std::array<CaseLabelText, maxCaseCount> selectedCaseLabels;
};

extern ShellRecord<CaseSelection> caseSelection;

// After the loading processor has run: the case list offers each case of the loading file
// (case 0 when it has one, then 1 to N) whose case file "<n>.unf" lies in the working
// directory that "work_dir.dat" names; none is selected, the All box is unchecked and
// I T E R is disabled. A loading file that cannot be opened is said on standard output
// and another is asked for, until one opens or the user cancels. With `tellProblems`, what
// cannot be read is told in one message (the loading processor has told them itself when
// it failed), and the list offers what could be known.
void readLoadCases(platform::Dialog dialog, bool tellProblems);

// Handler of the case list's selection changes: the selection, its caption and I T E R.
void updateCaseSelection(platform::Dialog dialog, int controlId, platform::ControlEvent event);

// Handler of the All box: selects every case the loading file declares, as far as the list
// goes, or, unchecked, deselects them when all of them were selected.
void onAllCases(platform::Dialog dialog, int controlId, platform::ControlEvent event);

// Empties the case list for a new analysis, unchecks the All box and disables I T E R, so
// that a stale selection cannot be solved; the selection is rebuilt at the next change.
void resetCaseList(platform::Dialog dialog);
