// Axial forces in colour on a diverging map: compression in blues, tension in reds, a
// middle grey at zero, which shows on white paper. Each side has its own scale, so that a
// compression ten times smaller than the largest tension still shows its full blue.
#pragma once

#include "raster.h"

#include <string>
#include <vector>

namespace ombrix {

struct ForceScale {
    double compression = 0; // the largest compression, as a force (<= 0)
    double tension = 0;     // the largest tension (>= 0)
};

ForceScale forceScaleOf(const std::vector<double>& forces);

Colour forceColour(double force, const ForceScale& scale);

// A tick of the legend, a bar that runs from the largest compression (position -1)
// through zero (0) to the largest tension (1).
struct LegendTick {
    double value = 0; // in the model's units
    double position = 0;
    std::string label;
};

// Zero and at most `mostPerSide` ticks on each side that has forces.
std::vector<LegendTick> legendTicks(const ForceScale& scale, int mostPerSide);

} // namespace ombrix
