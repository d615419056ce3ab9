// Tick values that a reader takes in at a glance: multiples of 1, 2, 2.5 or 5 times a power
// of ten, labelled with as many decimals as the step needs.
#pragma once

#include <string>
#include <vector>

namespace ombrix {

struct Ticks {
    std::vector<double> values; // rising, each a multiple of the step, within the range
    double step = 0;            // 0 when the range is a single value
};

// At most `most` ticks between low and high (at least two asked for).
Ticks ticksOf(double low, double high, int most);

// "0.25", "-1.5", "120", or "2.5e6" beside values of a million or more or steps below 1e-4.
std::string tickLabel(double value, double step);

// The value to as many significant digits: "0.0123", "-4.745", "1.2e+06".
std::string significantText(double value, int digits);

} // namespace ombrix
