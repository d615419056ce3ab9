#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the shell reads of a loading file: comment lines "//" ahead of a heading line, the
// heading, then two lines whose first free-form values are N, the number of numbered
// load cases (1 to N), and Z, which is not 0 when the file also has a case 0. A value
// may follow blanks; it ends at a blank, a comma or the line's end, and the rest of the
// line is ignored. Nothing after the two count lines is read.
struct LoadingHead {
    // Each count that could be read; a count that could not leaves its cases unknown.
    std::optional<int> numberedCases;
    std::optional<bool> hasCaseZero;
    // Why a count could not be read, naming its line; empty when both were read.
    std::string problem;
};

LoadingHead readLoadingHead(std::string_view contents);
