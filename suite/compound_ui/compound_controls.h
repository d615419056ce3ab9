// The controls of Compound's window, by id, beside the form's Save, Close and status:
// for the program and for the tests that drive it.
#pragma once

#include "form_controls.h"

namespace ombrix {

enum CompoundControl : int {
    PartTable = 140,
    AddPartButton = 141,
    RemovePartButton = 142,
    ShiftXField = 143,
    ShiftYField = 144,
    ShiftZField = 145,
    RotationField = 146,
    ToleranceField = 147,
};

} // namespace ombrix
