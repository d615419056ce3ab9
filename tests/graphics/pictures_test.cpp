// What the force pictures add to the structure: the legend, whose every tick stands beside
// its own colour, and the factor by which displacements are drawn.

#include "displaced_view.h"
#include "label_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace ombrix {
namespace {

// Measures every character 7 by 14 pixels, and keeps what it is given to paint.
class RecordingPainter : public TextPainter {
  public:
    ScreenPoint extent(std::string_view text) const override {
        return {7.0 * static_cast<double>(text.size()), 14};
    }
    void paint(const Label& label) override { painted.push_back(label); }

    std::vector<Label> painted;
};

// Whether the rows about y hold the colour, give or take a step of the map, left of x.
bool rowsHold(const Raster& raster, double y, double x, Colour colour) {
    for (int row = static_cast<int>(y) - 1; row <= static_cast<int>(y) + 1; ++row)
        for (int column = 0; column < x; ++column) {
            const Colour seen = raster.at(column, row);
            if (std::abs(seen.red - colour.red) + std::abs(seen.green - colour.green) +
                    std::abs(seen.blue - colour.blue) <=
                12)
                return true;
        }
    return false;
}

struct LegendCase {
    ForceScale scale;
    std::vector<std::string> texts; // from the top down
};

TEST(ForceLegend, ShowsEachTickBesideItsColourAndNamesTheSidesThatHaveForces) {
    const LegendCase cases[] = {
        {{-40, 250}, {"Axial force", "tension", "200", "100", "0", "-20", "-40", "compression"}},
        {{0, 3}, {"Axial force", "tension", "3", "2", "1", "0"}},
        {{-2e6, 0}, {"Axial force", "0", "-1e6", "-2e6", "compression"}},
        {{0, 0}, {"Axial force", "0 in every member"}},
    };
    for (const LegendCase& row : cases) {
        Raster raster(400, 500, paper);
        RecordingPainter painter;
        const double bottom = drawForceLegend(raster, painter, row.scale, "Axial force", 20, 1);
        std::sort(painter.painted.begin(), painter.painted.end(),
                  [](const Label& a, const Label& b) { return a.at.y < b.at.y; });
        std::vector<std::string> texts;
        for (const Label& label : painter.painted) {
            texts.push_back(label.text);
            EXPECT_GT(label.at.y, 20) << label.text;
            EXPECT_LT(label.at.y, bottom) << label.text;
        }
        EXPECT_EQ(texts, row.texts) << row.texts[2];
        for (const LegendTick& tick : legendTicks(row.scale, 4))
            for (const Label& label : painter.painted)
                EXPECT_TRUE(label.text != tick.label ||
                            rowsHold(raster, label.at.y + 7, label.at.x,
                                     forceColour(tick.value, row.scale)))
                    << tick.label;
    }
}

struct ScaleCase {
    const char* structure;
    std::vector<Point> extent;
    double largest;
    double factor;
};

// A title wider than the room left of the key goes on below, broken between words.
TEST(Title, BreaksBetweenWordsWhereItWouldRunIntoTheKey) {
    const struct {
        std::string line;
        double right; // where the key begins
        std::vector<std::string> shown;
    } rows[] = {
        {"Cable net: cells 4", 400, {"Cable net: cells 4"}},
        {"Sail: cells 12, side 12, height 3",
         20 + 7 * 22,
         {"Sail: cells 12, side", "12, height 3"}},
        {"Sail: unbreakable_height_value 3",
         20 + 7 * 10,
         {"Sail:", "unbreakable_height_value", "3"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        RecordingPainter painter;
        drawTitle(painter, {row.line}, 1, row.right);
        std::vector<std::string> shown;
        for (const Label& label : painter.painted)
            shown.push_back(label.text);
        EXPECT_EQ(shown, row.shown);
    }
}

TEST(DisplacementScale, DrawsTheLargestAboutATenthOfTheSizeNeverSmallerThanItIs) {
    const std::vector<Point> bridge{{0, 0, 0}, {24, 0, 3}};
    const std::vector<Point> net{{0, 0, 0}, {100, 100, 0}};
    const ScaleCase cases[] = {
        {"a stiff truss", bridge, 0.0151, 100},
        {"a stiffer truss", bridge, 0.004, 500},
        {"a net, a hundredth of its size", net, 1, 10},
        {"a net, a twentieth of its size", net, 4.74, 2},
        {"a net, a tenth of its size", net, 10, 1},
        {"a net, a fifth of its size", net, 20, 1},
        {"nothing moves", bridge, 0, 1},
    };
    for (const ScaleCase& row : cases)
        EXPECT_EQ(automaticScale(row.extent, row.largest), row.factor) << row.structure;
}

// The texts' typeface: the preferred ones first, then any that holds letters, never a
// symbol font; none when nothing that can show letters is installed.
TEST(LabelFont, IsTheFirstPreferredInstalledElseAnyWithLetters) {
    const struct {
        std::vector<std::string> installed;
        std::optional<std::string> chosen;
    } rows[] = {
        {{"Wingdings", "Arial", "Tahoma"}, "Tahoma"},
        {{"tahoma"}, "tahoma"},
        {{"Marlett", "Symbol", "DejaVu Sans", "Courier New"}, "DejaVu Sans"},
        {{"Marlett", "@MS Gothic", "Courier New"}, "Courier New"},
        {{"Marlett", "wingdings 3", "@SimSun"}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(labelFont(row.installed), row.chosen) << row.chosen.value_or("none");
}

} // namespace
} // namespace ombrix
