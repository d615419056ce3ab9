#include "charts.h"

#include "viewer_arguments.h"

namespace ombrix {
namespace {

constexpr int shownDigits = 4;

// "converged", or where and why the path stopped.
std::string endingOf(const CasePath& path) {
    if (path.converged)
        return "converged";
    const double last = path.states.empty() ? 0 : path.states.back().loadFactor;
    const std::string at = "load factor " + significantText(last, shownDigits);
    switch (path.stoppedAt) {
    case CriticalPoint::LimitPoint:
        return "NOT converged: unstable at a limit point, " + at + ", no stable state beyond";
    case CriticalPoint::Bifurcation:
        return "NOT converged: unstable at a bifurcation, " + at + ", no stable state beyond";
    case CriticalPoint::None: break;
    }
    return "NOT converged: the last state in equilibrium at " + at;
}

} // namespace

CaseCharts readCaseCharts(const Storage& storage, const SolvedAnalysis& solved, int caseNumber) {
    return {solved.analysis.model.heading, fileNameOf(solved.analysis.geometryFile),
            solved.analysis.model.nodes.size(), readCasePath(storage, solved, caseNumber),
            readCaseResults(storage, solved, caseNumber).axialForces};
}

ChartOptions firstOptions(const CasePath& path, ChartLayout layout, double pixel) {
    const std::size_t node = nodeOfLargestDisplacement(path);
    return {layout, node, componentOfLargestChange(path, node), pixel};
}

void drawCharts(Raster& raster, TextPainter& painter, const CaseCharts& charts,
                const ChartOptions& options) {
    const double pixel = options.pixel, gap = 16 * pixel;
    const double left = 10 * pixel, right = raster.width() - 10 * pixel;
    const std::string caseLine = charts.fileName + ", load case " +
                                 std::to_string(charts.path.loadCase) + ": " +
                                 endingOf(charts.path);
    const double top = drawLines(painter, {left, 8 * pixel}, {charts.heading, caseLine}) + gap;
    const double bottom = raster.height() - 6 * pixel;
    const bool both = options.layout == ChartLayout::Both;
    const double middle = both ? (top + bottom) / 2 : bottom;
    if (options.layout != ChartLayout::Forces)
        drawPathChart(raster, painter, {{left, top}, {right, middle}}, charts.path, options.node,
                      options.component, pixel);
    if (options.layout != ChartLayout::Path)
        drawForceChart(raster, painter, {{left, both ? middle + gap : top}, {right, bottom}},
                       charts.axialForces, pixel);
}

} // namespace ombrix
