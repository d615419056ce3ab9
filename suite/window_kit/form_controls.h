// The controls that every form of the suite's programs has, by id: Save, Close and the
// status line that says what was saved or what is wrong. For the programs and for the tests
// that drive them; each program numbers its own controls from 110 on.
#pragma once

namespace ombrix {

enum FormControl : int {
    SaveButton = 101,
    CloseButton = 102,
    StatusText = 103,
};

} // namespace ombrix
