// The head of a loading file, which the shell and Forces read alike: comment lines "//",
// a heading line, then the line whose first value is N, the number of numbered load
// cases (1 to N, at most 99), and the line whose first value Z is not 0 when a case 0
// comes first. The rest of each count line is free.
#pragma once

#include "handoff/text_lines.h"

#include <string>
#include <string_view>

namespace handoff {

enum class HeadProblem {
    none,
    utf16,                // the file is saved as UTF-16
    noHeading,            // the file ends before its heading
    noCaseCount,          // the file ends before the line of N
    blankCaseCount,       // the line of N is blank
    caseCountNotWhole,    // N is not a whole number
    caseCountOutOfRange,  // N is not between 0 and 99
    noCaseZeroMark,       // the file ends before the line of Z
    blankCaseZeroMark,    // the line of Z is blank
    caseZeroMarkNotWhole, // Z is not a whole number
};

struct LoadingHead {
    TextLine heading;
    int caseCount = 0; // N
    bool hasCaseZero = false;
    HeadProblem problem = HeadProblem::none;
    int problemLine = 0;    // where the problem lies, counted from 1
    std::string wrongValue; // the value that is not a whole number
};

// Reads the head from the cursor, which is left after the line of Z. When a problem is
// found, the counts after it are not read.
LoadingHead readLoadingHead(LineCursor& lines);
LoadingHead readLoadingHead(std::string_view text);

} // namespace handoff
