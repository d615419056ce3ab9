#include "cases/case_selection.h"

#include "ids.h"

CaseSelection caseSelection;

void resetCaseList(platform::Dialog dialog) {
    platform::removeAllItems(dialog, IDC_CASE_LIST);
    platform::setText(dialog, IDC_CASE_CAPTION, "Select Cases");
    platform::setEnabled(dialog, IDC_ITER, false);
}
