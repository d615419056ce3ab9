// Antialiased lines and rings: each covers its area, in the colour asked, and nothing
// outside the picture or from a point that is not finite.

#include "raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace ombrix {
namespace {

constexpr Colour white{255, 255, 255};
constexpr Colour black{0, 0, 0};

// How many pixels' worth of black the raster holds.
double inked(const Raster& raster) {
    double total = 0;
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            total += (255 - raster.at(x, y).green) / 255.0;
    return total;
}

struct LineCase {
    const char* what;
    ScreenPoint from, to;
    double width, dash;
    double area; // the line's area: its length times its width, and its round ends
};

TEST(Raster, LinesCoverTheirArea) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double ends = std::numbers::pi / 4; // two half discs of diameter 1
    const LineCase cases[] = {
        {"across", {10.5, 20.5}, {70.5, 20.5}, 1, 0, 60 + ends},
        {"steep", {30, 5}, {37, 85}, 1, 0, std::hypot(7, 80) + ends},
        {"diagonal, wide", {10, 10}, {70, 70}, 3, 0, std::hypot(60, 60) * 3 + 9 * ends},
        {"dashed: half of it", {10.5, 50.5}, {90.5, 50.5}, 1, 5, 80 / 2.0 + ends},
        {"half outside", {-30.5, 40.5}, {30.5, 40.5}, 1, 0, 30.5 + ends / 2},
        {"a dot", {50, 50}, {50, 50}, 4, 0, 4 * 4 * ends},
        {"far outside", {-5e9, -7e9}, {-3e9, -1e9}, 1, 0, 0},
        {"not finite", {nan, 10}, {50, 50}, 1, 0, 0},
    };
    for (const LineCase& row : cases) {
        Raster raster(100, 100, white);
        raster.line(row.from, row.to, {black, row.width, row.dash});
        EXPECT_NEAR(inked(raster), row.area, 0.03 * row.area + 0.3) << row.what;
    }
}

TEST(Raster, LineTakesItsColourWherePixelsAreWhollyCoveredAndBlendsAtItsEdges) {
    Raster raster(40, 40, white);
    raster.line({5, 10}, {35, 10}, {{220, 110, 20}, 3});
    EXPECT_EQ(raster.at(20, 10), (Colour{220, 110, 20}));
    EXPECT_EQ(raster.at(20, 15), white);
    raster.line({5, 30}, {35, 30}, {black, 1}); // on the edge between rows 29 and 30
    EXPECT_EQ(raster.at(20, 29), raster.at(20, 30));
    EXPECT_NEAR(raster.at(20, 29).green, 128, 2);
}

TEST(Raster, RingCoversItsArea) {
    Raster raster(40, 40, white);
    raster.ring({20, 20}, 8, {black, 2});
    EXPECT_NEAR(inked(raster), 2 * std::numbers::pi * 8 * 2, 1);
    EXPECT_EQ(raster.at(20, 20), white);
}

TEST(Raster, FillStopsAtThePicturesEdges) {
    Raster raster(10, 10, white);
    raster.fill({-5, 2}, {4, 1e12}, black);
    EXPECT_NEAR(inked(raster), 4 * 8, 1e-9);
}

} // namespace
} // namespace ombrix
