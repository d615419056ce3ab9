#include "cases/case_selection.h"

CaseSelection caseSelection;
