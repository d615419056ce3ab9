#include "force_chart.h"

#include "colour_map.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ombrix {
namespace {

constexpr int shownDigits = 4;

std::string extremesText(const std::vector<double>& forces) {
    std::string text = "Axial forces of the " + std::to_string(forces.size()) + " members";
    const auto least = std::min_element(forces.begin(), forces.end());
    const auto most = std::max_element(forces.begin(), forces.end());
    const auto memberOf = [&](std::vector<double>::const_iterator at) {
        return " in member " + std::to_string(at - forces.begin() + 1);
    };
    if (most != forces.end() && *most > 0)
        text += ": largest tension " + significantText(*most, shownDigits) + memberOf(most);
    if (least != forces.end() && *least < 0)
        text += std::string(*most > 0 ? ", " : ": ") + "largest compression " +
                significantText(*least, shownDigits) + memberOf(least);
    if (const auto idle = std::count(forces.begin(), forces.end(), 0.0))
        text += "; " + std::to_string(idle) + " with no force";
    return text;
}

// A bar from zero to the force, between two columns of pixels.
void fillBar(Raster& raster, const Plot& plot, double left, double right, double force,
             const ForceScale& scale) {
    raster.fill({std::round(left), std::round(plot.screenY(0))},
                {std::round(right), std::round(plot.screenY(force))}, forceColour(force, scale));
}

void drawBars(Raster& raster, const Plot& plot, const std::vector<double>& forces, double pixel) {
    const ForceScale scale = forceScaleOf(forces);
    const double left = plot.box().topLeft.x, width = plot.width();
    const double slot = width / static_cast<double>(forces.size());
    if (slot >= 2 * pixel) {
        const double gap = slot >= 4 * pixel ? 0.15 * slot : 0;
        for (std::size_t m = 0; m < forces.size(); ++m)
            fillBar(raster, plot, left + static_cast<double>(m) * slot + gap,
                    left + static_cast<double>(m + 1) * slot - gap, forces[m], scale);
        return;
    }
    const double first = std::ceil(left);
    const std::vector<ForceColumn> columns =
        forceColumns(forces, static_cast<std::size_t>(std::max(width, 1.0)));
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const double x = first + static_cast<double>(c);
        fillBar(raster, plot, x, x + 1, columns[c].most, scale);
        fillBar(raster, plot, x, x + 1, columns[c].least, scale);
    }
}

// Every member's number where each has room; otherwise round numbers, as many as fit.
std::vector<AxisMark> memberMarks(std::size_t members, const Plot& plot, const TextPainter& painter,
                                  double pixel) {
    const double label = painter.extent(std::to_string(members)).x + 8 * pixel;
    std::vector<AxisMark> marks;
    if (plot.width() / static_cast<double>(members) >= label) {
        for (std::size_t m = 1; m <= members; ++m)
            marks.push_back({static_cast<double>(m), std::to_string(m)});
        return marks;
    }
    for (const AxisMark& mark :
         marksOver({1, static_cast<double>(members)}, plot.width(), std::max(label, 60 * pixel)))
        if (mark.value == std::round(mark.value))
            marks.push_back({mark.value, std::to_string(static_cast<long long>(mark.value))});
    return marks;
}

} // namespace

std::vector<ForceColumn> forceColumns(const std::vector<double>& forces, std::size_t columns) {
    std::vector<ForceColumn> merged(columns);
    if (columns == 0)
        return merged;
    for (std::size_t m = 0; m < forces.size(); ++m) {
        ForceColumn& column = merged[m * columns / forces.size()];
        column.least = std::min(column.least, forces[m]);
        column.most = std::max(column.most, forces[m]);
    }
    return merged;
}

void drawForceChart(Raster& raster, TextPainter& painter, const Box& panel,
                    const std::vector<double>& forces, double pixel) {
    const Box below = belowCaption(painter, panel, extremesText(forces), pixel);
    const ValueRange y = rangeAround(forces);
    const std::vector<AxisMark> yMarks =
        marksOver(y, below.bottomRight.y - below.topLeft.y, 40 * pixel);
    const Plot plot(plotBox(below, yMarks, painter, pixel),
                    {0.5, static_cast<double>(forces.size()) + 0.5}, y);
    drawPlotGrid(raster, plot, {}, yMarks, pixel);
    drawBars(raster, plot, forces, pixel);
    const double zero = crisp(plot.screenY(0));
    raster.line({plot.box().topLeft.x, zero}, {plot.box().bottomRight.x, zero}, {ink, pixel});
    drawPlotFrame(raster, painter, plot, memberMarks(forces.size(), plot, painter, pixel), yMarks,
                  {"member", "axial force"}, pixel);
}

} // namespace ombrix
