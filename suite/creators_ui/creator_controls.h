// The controls of Make_FrameFile's and Make_ForceFile's windows, by id, beside the form's
// Save, Close and status: for the programs and for the tests that drive them.
#pragma once

#include "form_controls.h"

namespace ombrix {

enum CreatorControl : int {
    // Make_FrameFile
    FamilyList = 110,
    FormFindButton = 111,
    FirstParameter = 200, // + the parameter's index; its label at FirstParameterLabel + index
    FirstParameterLabel = 300,
    // Make_ForceFile
    GeometryName = 120,
    OpenButton = 121,
    HeadingField = 122,
    CaseTable = 123,
    CaseField = 124,
    LoadKindList = 125,
    ValuesField = 126,
    WhereField = 127,
    StepsField = 128,
    AddButton = 129,
    ReplaceButton = 130,
    RemoveButton = 131,
    LoadingName = 132,
    OpenLoadingButton = 133,
    ValuesHint = 134,
    WhereHint = 135,
};

} // namespace ombrix
