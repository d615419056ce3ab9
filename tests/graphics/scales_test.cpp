// Tick values and their labels, and the colours of axial forces with their legend.

#include "colour_map.h"
#include "ticks.h"

#include <gtest/gtest.h>

namespace ombrix {
namespace {

struct TickCase {
    double low, high;
    int most;
    std::vector<std::string> labels;
};

TEST(Ticks, AreRoundValuesWithTheDecimalsTheirStepNeeds) {
    const TickCase cases[] = {
        {0, 10, 6, {"0", "2", "4", "6", "8", "10"}},
        {0, 1, 5, {"0", "0.25", "0.50", "0.75", "1.00"}},
        {-3.7, 12.2, 5, {"0", "5", "10"}},
        {-0.013, 0.004, 4, {"-0.010", "-0.005", "0"}},
        {1e6, 5.5e6, 5, {"1e6", "2e6", "3e6", "4e6", "5e6"}},
        {0, 2.5e-5, 3, {"0", "1e-5", "2e-5"}},
        {-250, 0, 3, {"-200", "-100", "0"}},
        {7.5, 7.5, 4, {"7.5"}},
    };
    for (const TickCase& row : cases) {
        const Ticks ticks = ticksOf(row.low, row.high, row.most);
        std::vector<std::string> labels;
        for (double value : ticks.values)
            labels.push_back(tickLabel(value, ticks.step));
        EXPECT_EQ(labels, row.labels) << row.low << " to " << row.high;
    }
}

TEST(ForceColours, RunFromBlueThroughGreyToRedEachSideOnItsOwnScale) {
    const ForceScale scale = forceScaleOf({-10, 0, 40, 1000});
    EXPECT_EQ(scale.compression, -10);
    EXPECT_EQ(scale.tension, 1000);
    EXPECT_EQ(forceColour(-10, scale), (Colour{59, 76, 192})) << "the largest compression";
    EXPECT_EQ(forceColour(-5, scale), (Colour{105, 135, 235})) << "half of it";
    EXPECT_EQ(forceColour(0, scale), (Colour{140, 140, 140}));
    EXPECT_EQ(forceColour(500, scale), (Colour{235, 120, 90})) << "half the largest tension";
    EXPECT_EQ(forceColour(1000, scale), (Colour{180, 4, 38}));
    EXPECT_EQ(forceColour(-1, ForceScale{0, 1000}), forceColour(0, scale)) << "no compression";
}

TEST(ForceColours, LegendTicksInTheModelsUnitsEachSideApart) {
    std::vector<std::pair<std::string, double>> ticks;
    for (const LegendTick& tick : legendTicks({-40, 250}, 4))
        ticks.emplace_back(tick.label, tick.position);
    const std::vector<std::pair<std::string, double>> expected{
        {"-40", -1}, {"-20", -0.5}, {"0", 0}, {"100", 0.4}, {"200", 0.8}};
    EXPECT_EQ(ticks, expected);
    EXPECT_EQ(legendTicks({0, 0}, 4).size(), 1u) << "zero alone when no member carries a force";
}

} // namespace
} // namespace ombrix
