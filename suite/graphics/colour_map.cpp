#include "colour_map.h"

#include "ticks.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ombrix {
namespace {

// At -1, -0.5, 0, 0.5 and 1: the ends of Moreland's cool-warm map, and a darker middle
// than its light grey, which would fade into the paper.
constexpr std::array<Colour, 5> stops{{
    {59, 76, 192},
    {105, 135, 235},
    {140, 140, 140},
    {235, 120, 90},
    {180, 4, 38},
}};

Colour between(Colour a, Colour b, double t) {
    const auto mix = [t](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(std::lround(x + (y - x) * t));
    };
    return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

// The colour at a position from -1 to 1.
Colour mapped(double position) {
    const double at = (std::clamp(position, -1.0, 1.0) + 1) * 2;
    const auto stop = std::min(static_cast<std::size_t>(at), stops.size() - 2);
    return between(stops[stop], stops[stop + 1], at - static_cast<double>(stop));
}

void addSide(std::vector<LegendTick>& ticks, double largest, int most) {
    if (largest == 0)
        return;
    const Ticks side = ticksOf(std::min(largest, 0.0), std::max(largest, 0.0), most);
    for (double value : side.values)
        if (value != 0)
            ticks.push_back({value, value / std::abs(largest), tickLabel(value, side.step)});
}

} // namespace

ForceScale forceScaleOf(const std::vector<double>& forces) {
    ForceScale scale;
    for (double force : forces)
        if (std::isfinite(force)) {
            scale.compression = std::min(scale.compression, force);
            scale.tension = std::max(scale.tension, force);
        }
    return scale;
}

Colour forceColour(double force, const ForceScale& scale) {
    if (force > 0 && scale.tension > 0)
        return mapped(force / scale.tension);
    if (force < 0 && scale.compression < 0)
        return mapped(force / -scale.compression);
    return mapped(0);
}

std::vector<LegendTick> legendTicks(const ForceScale& scale, int mostPerSide) {
    std::vector<LegendTick> ticks{{0, 0, "0"}};
    addSide(ticks, scale.compression, mostPerSide);
    addSide(ticks, scale.tension, mostPerSide);
    std::sort(ticks.begin(), ticks.end(),
              [](const LegendTick& a, const LegendTick& b) { return a.position < b.position; });
    return ticks;
}

} // namespace ombrix
