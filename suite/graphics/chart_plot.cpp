#include "chart_plot.h"

#include <algorithm>
#include <cmath>

namespace ombrix {
namespace {

constexpr Colour frameColour{150, 150, 150};

bool inside(double value, const ValueRange& range) {
    return value > range.low && value < range.high;
}

double lineHeight(const TextPainter& painter) {
    return painter.extent("0").y;
}

void drawGridLines(Raster& raster, const Plot& plot, const std::vector<AxisMark>& xMarks,
                   const std::vector<AxisMark>& yMarks, double pixel) {
    const Box& box = plot.box();
    for (const AxisMark& mark : xMarks) {
        const double x = crisp(plot.screenX(mark.value));
        raster.line({x, box.topLeft.y}, {x, box.bottomRight.y}, {gridColour, pixel});
    }
    for (const AxisMark& mark : yMarks) {
        const double y = crisp(plot.screenY(mark.value));
        raster.line({box.topLeft.x, y}, {box.bottomRight.x, y}, {gridColour, pixel});
    }
}

void drawZeroLines(Raster& raster, const Plot& plot, double pixel) {
    const Box& box = plot.box();
    if (inside(0, plot.xRange())) {
        const double x = crisp(plot.screenX(0));
        raster.line({x, box.topLeft.y}, {x, box.bottomRight.y}, {ink, pixel});
    }
    if (inside(0, plot.yRange())) {
        const double y = crisp(plot.screenY(0));
        raster.line({box.topLeft.x, y}, {box.bottomRight.x, y}, {ink, pixel});
    }
}

void drawFrame(Raster& raster, const Box& box, double pixel) {
    const double left = crisp(box.topLeft.x), top = crisp(box.topLeft.y);
    const double right = crisp(box.bottomRight.x), bottom = crisp(box.bottomRight.y);
    const Stroke stroke{frameColour, pixel};
    raster.line({left, top}, {right, top}, stroke);
    raster.line({right, top}, {right, bottom}, stroke);
    raster.line({right, bottom}, {left, bottom}, stroke);
    raster.line({left, bottom}, {left, top}, stroke);
}

void labelMarks(TextPainter& painter, const Plot& plot, const std::vector<AxisMark>& xMarks,
                const std::vector<AxisMark>& yMarks, double pixel) {
    const Box& box = plot.box();
    const double half = lineHeight(painter) / 2;
    for (const AxisMark& mark : xMarks)
        painter.paint({{plot.screenX(mark.value), box.bottomRight.y + 4 * pixel + half},
                       mark.label,
                       ink,
                       Anchor::Centre});
    for (const AxisMark& mark : yMarks)
        painter.paint({{box.topLeft.x - 6 * pixel, plot.screenY(mark.value) - half},
                       mark.label,
                       ink,
                       Anchor::TopRight});
}

} // namespace

ValueRange rangeAround(const std::vector<double>& values) {
    ValueRange range{0, 0};
    for (double value : values)
        if (std::isfinite(value)) {
            range.low = std::min(range.low, value);
            range.high = std::max(range.high, value);
        }
    const double width = range.high - range.low;
    if (!(width > 0))
        return {-1, 1};
    if (range.low < 0)
        range.low -= width / 20;
    if (range.high > 0)
        range.high += width / 20;
    return range;
}

std::vector<AxisMark> marksOver(const ValueRange& range, double length, double spacing) {
    const int most = std::max(2, static_cast<int>(length / spacing) + 1);
    const Ticks ticks = ticksOf(range.low, range.high, most);
    std::vector<AxisMark> marks;
    for (double value : ticks.values)
        marks.push_back({value, tickLabel(value, ticks.step)});
    return marks;
}

Box belowCaption(TextPainter& painter, const Box& panel, const std::string& caption, double pixel) {
    painter.paint({panel.topLeft, caption, ink, Anchor::TopLeft});
    return {{panel.topLeft.x, panel.topLeft.y + lineHeight(painter) + 4 * pixel},
            panel.bottomRight};
}

Plot::Plot(const Box& box, ValueRange x, ValueRange y) : box_(box), x_(x), y_(y) {}

double Plot::screenX(double x) const {
    return box_.topLeft.x +
           (x - x_.low) / (x_.high - x_.low) * (box_.bottomRight.x - box_.topLeft.x);
}

double Plot::screenY(double y) const {
    return box_.bottomRight.y -
           (y - y_.low) / (y_.high - y_.low) * (box_.bottomRight.y - box_.topLeft.y);
}

Box plotBox(const Box& panel, const std::vector<AxisMark>& yMarks, const TextPainter& painter,
            double pixel) {
    double widest = 0;
    for (const AxisMark& mark : yMarks)
        widest = std::max(widest, painter.extent(mark.label).x);
    const double line = lineHeight(painter);
    return {{panel.topLeft.x + widest + 10 * pixel, panel.topLeft.y + line + 6 * pixel},
            {panel.bottomRight.x - 12 * pixel, panel.bottomRight.y - 2 * line - 10 * pixel}};
}

double crisp(double coordinate) {
    return std::floor(coordinate) + 0.5;
}

void drawPlotGrid(Raster& raster, const Plot& plot, const std::vector<AxisMark>& xMarks,
                  const std::vector<AxisMark>& yMarks, double pixel) {
    drawGridLines(raster, plot, xMarks, yMarks, pixel);
    drawZeroLines(raster, plot, pixel);
}

void drawPlotFrame(Raster& raster, TextPainter& painter, const Plot& plot,
                   const std::vector<AxisMark>& xMarks, const std::vector<AxisMark>& yMarks,
                   const AxisCaptions& captions, double pixel) {
    drawFrame(raster, plot.box(), pixel);
    labelMarks(painter, plot, xMarks, yMarks, pixel);
    const Box& box = plot.box();
    painter.paint(
        {{box.topLeft.x, box.topLeft.y - 4 * pixel}, captions.y, ink, Anchor::BottomLeft});
    painter.paint({{box.bottomRight.x, box.bottomRight.y + lineHeight(painter) + 8 * pixel},
                   captions.x,
                   ink,
                   Anchor::TopRight});
}

} // namespace ombrix
