// Numbers as the analysis programs write them: for the engineer to read, or for another
// program to read back.
#pragma once

#include <string>

namespace ombrix {

// A value as the texts show it: up to 12 significant digits (at least 10 in every file
// that another program reads back).
std::string showNumber(double value);
std::string showInteger(long long value);

// A value written for another program to read back: the fewest significant digits that
// read back as the same value, laid out as printf's "%.17g" lays it out.
std::string exactNumber(double value);

// A value written for a chart to read back: 7 significant digits, as "%.7g" writes them.
std::string chartNumber(double value);

} // namespace ombrix
