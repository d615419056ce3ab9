// The axial forces of a case's members as a bar chart, in member order: tension rising
// above the zero line, compression falling below it, each bar in the colour the structure
// shows its member in. Where the members outnumber the plot's pixel columns, each column
// shows the largest tension and compression of the members that fall in it.
#pragma once

#include "chart_plot.h"

#include <cstddef>
#include <vector>

namespace ombrix {

// The extremes of the forces of the members in a column, zero included: the bars of a
// column all rise or fall from zero.
struct ForceColumn {
    double least = 0;
    double most = 0;

    friend bool operator==(const ForceColumn&, const ForceColumn&) = default;
};

// The members spread evenly over the columns, member m (from 0) in column
// m * columns / members.
std::vector<ForceColumn> forceColumns(const std::vector<double>& forces, std::size_t columns);

// The chart in a panel of the picture, its caption naming the largest tension and
// compression and their members.
void drawForceChart(Raster& raster, TextPainter& painter, const Box& panel,
                    const std::vector<double>& forces, double pixel);

} // namespace ombrix
