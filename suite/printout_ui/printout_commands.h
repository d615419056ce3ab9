// The commands of Printout's menus and its child windows, by id: shared by the program and
// the test that drives it.
#pragma once

namespace ombrix {

enum PrintoutCommand : unsigned {
    OpenText = 101,
    SaveTextAs,
    PrintText,
    ExitPrintout,
    NextPage,
    PreviousPage,
    FirstPage,
    LastPage,
    LargerType,
    SmallerType,
};

enum PrintoutChild : int {
    TypedText = 201, // the edit control of a new text
    StatusBar = 202, // its first part: "Page <n> of <m>, <p> pt"
};

} // namespace ombrix
