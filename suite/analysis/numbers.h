// Numbers as the analysis programs write them: for the engineer to read, or for another
// program to read back.
#pragma once

#include <string>

namespace ombrix {

// A value as the texts show it: up to 12 significant digits (at least 10 in every file
// that another program reads back).
std::string showNumber(double value);
std::string showInteger(long long value);
// A value known to within `precision`: the decimals down to the first place the precision
// leaves sure, and no further ("0.87654321" for 0.876543211 known to within 2e-9).
std::string showToPrecision(double value, double precision);
// A value of which two significant digits say enough: a ratio, an accuracy ("1.2e+10").
std::string showRoughly(double value);

// A value written for another program to read back: the fewest significant digits that
// read back as the same value, laid out as printf's "%.17g" lays it out.
std::string exactNumber(double value);
// The same, added to the end of the text: for files of many numbers.
void appendExactNumber(std::string& text, double value);

// A value written for a chart to read back: 7 significant digits, as "%.7g" writes them.
std::string chartNumber(double value);

} // namespace ombrix
