// The plot of a chart: two ranges of values mapped onto a box of the picture, x to the right
// and y upwards, with a light grid at the ticks, the zero lines in ink, a frame, the ticks'
// labels and the axes' captions.
#pragma once

#include "annotation.h"
#include "ticks.h"

#include <string>
#include <vector>

namespace ombrix {

inline constexpr Colour gridColour{228, 228, 228};

struct ValueRange {
    double low = 0;
    double high = 1;
};

// The range of the values and zero, a twentieth wider on each side that has values, so
// that nothing drawn touches the frame; a single value gets a range around it.
ValueRange rangeAround(const std::vector<double>& values);

// A tick of an axis: where it stands, in the axis's values, and what it reads.
struct AxisMark {
    double value = 0;
    std::string label;
};

// Round values over the range, as many as fit along a length of the picture `spacing`
// pixels apart or more.
std::vector<AxisMark> marksOver(const ValueRange& range, double length, double spacing);

// The panel's caption, written at its top left; returns the room below it.
Box belowCaption(TextPainter& painter, const Box& panel, const std::string& caption, double pixel);

class Plot {
  public:
    Plot(const Box& box, ValueRange x, ValueRange y);
    const Box& box() const { return box_; }
    double width() const { return box_.bottomRight.x - box_.topLeft.x; }
    const ValueRange& xRange() const { return x_; }
    const ValueRange& yRange() const { return y_; }
    double screenX(double x) const;
    double screenY(double y) const;
    ScreenPoint at(double x, double y) const { return {screenX(x), screenY(y)}; }

  private:
    Box box_;
    ValueRange x_;
    ValueRange y_;
};

// The room a panel of the picture leaves for its plot, inside the y marks' labels on the
// left and the x marks' labels and the x caption below.
Box plotBox(const Box& panel, const std::vector<AxisMark>& yMarks, const TextPainter& painter,
            double pixel);

// The middle of the pixel a coordinate falls in: a line of one pixel there is crisp.
double crisp(double coordinate);

// Under what the chart shows: the grid at the marks, and the zero lines.
void drawPlotGrid(Raster& raster, const Plot& plot, const std::vector<AxisMark>& xMarks,
                  const std::vector<AxisMark>& yMarks, double pixel);

// Over it: the frame, the marks' labels and the axes' captions.
struct AxisCaptions {
    std::string x; // below the x marks, at the right
    std::string y; // above the y marks, at the left
};
void drawPlotFrame(Raster& raster, TextPainter& painter, const Plot& plot,
                   const std::vector<AxisMark>& xMarks, const std::vector<AxisMark>& yMarks,
                   const AxisCaptions& captions, double pixel);

} // namespace ombrix
