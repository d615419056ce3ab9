#include "path_chart.h"

#include <algorithm>
#include <cmath>

namespace ombrix {
namespace {

constexpr Colour fullLoadColour{120, 120, 120};
constexpr int shownDigits = 4;

// Equal to the seven digits the path file gives.
bool sameLoad(double a, double b) {
    return std::abs(a - b) <= 1e-6 * std::max(std::abs(a), std::abs(b));
}

double valueOf(const Point& displacement, Component component) {
    switch (component) {
    case Component::X: return displacement[0];
    case Component::Y: return displacement[1];
    case Component::Z: return displacement[2];
    case Component::Length: break;
    }
    return std::hypot(displacement[0], displacement[1], displacement[2]);
}

double changeAlong(const std::vector<PathPoint>& points) {
    const auto [least, most] = std::minmax_element(
        points.begin(), points.end(),
        [](const PathPoint& a, const PathPoint& b) { return a.displacement < b.displacement; });
    return most->displacement - least->displacement;
}

std::string markText(const CriticalMark& mark, double loadFactor) {
    const std::string at = ", load factor " + significantText(loadFactor, shownDigits);
    const char* kind = mark.kind == CriticalPoint::LimitPoint ? "limit point" : "bifurcation";
    return mark.stopped ? std::string("unstable at a ") + kind + at : kind + at;
}

// The label on a clear ground at the first of the places where it lies in the plot and
// has room: its box's top left corners.
void placeInPlot(Raster& raster, TextPainter& painter, LabelSpace& space, const Plot& plot,
                 const std::string& text, Colour colour, const std::vector<ScreenPoint>& places,
                 double pixel) {
    const Box& room = plot.box();
    const ScreenPoint size = painter.extent(text);
    const double margin = 3 * pixel;
    for (const ScreenPoint& corner : places) {
        const Box box{corner, {corner.x + size.x, corner.y + size.y}};
        if (box.topLeft.x < room.topLeft.x + margin || box.topLeft.y < room.topLeft.y + margin ||
            box.bottomRight.x > room.bottomRight.x - margin ||
            box.bottomRight.y > room.bottomRight.y - margin)
            continue;
        if (space.claim({{box.topLeft.x - margin, box.topLeft.y - margin},
                         {box.bottomRight.x + margin, box.bottomRight.y + margin}})) {
            raster.fill(box.topLeft, box.bottomRight, paper);
            painter.paint({corner, text, colour, Anchor::TopLeft});
            return;
        }
    }
}

// The corners of a label of the size around a point: above and below it, to its right and
// to its left, then farther out.
std::vector<ScreenPoint> placesAround(ScreenPoint point, ScreenPoint size, double pixel) {
    std::vector<ScreenPoint> places;
    for (const double gap : {8 * pixel, 16 * pixel, 28 * pixel})
        for (const double top : {point.y - gap - size.y, point.y + gap})
            for (const double left : {point.x + gap, point.x - gap - size.x, point.x - size.x / 2})
                places.push_back({left, top});
    return places;
}

void labelPoint(Raster& raster, TextPainter& painter, LabelSpace& space, const Plot& plot,
                ScreenPoint point, const std::string& text, Colour colour, double pixel) {
    placeInPlot(raster, painter, space, plot, text, colour,
                placesAround(point, painter.extent(text), pixel), pixel);
}

void drawFullLoadLine(Raster& raster, const Plot& plot, double pixel) {
    const double y = crisp(plot.screenY(1));
    raster.line({plot.box().topLeft.x, y}, {plot.box().bottomRight.x, y},
                {fullLoadColour, pixel, 4 * pixel});
}

void labelFullLoad(Raster& raster, TextPainter& painter, LabelSpace& space, const Plot& plot,
                   double pixel) {
    const std::string text = "full load";
    const ScreenPoint size = painter.extent(text);
    const double right = plot.box().bottomRight.x - 6 * pixel - size.x, y = plot.screenY(1);
    placeInPlot(raster, painter, space, plot, text, fullLoadColour,
                {{right, y - 2 * pixel - size.y}, {right, y + 2 * pixel}}, pixel);
}

// No label may hide the curve: the space along it is taken before they are placed.
void keepCurveClear(LabelSpace& space, const Plot& plot, const std::vector<PathPoint>& points,
                    double pixel) {
    const double reach = 4 * pixel;
    for (std::size_t k = 1; k < points.size(); ++k) {
        const ScreenPoint from = plot.at(points[k - 1].displacement, points[k - 1].loadFactor);
        const ScreenPoint to = plot.at(points[k].displacement, points[k].loadFactor);
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        const int samples = static_cast<int>(length / reach) + 1;
        for (int s = 0; s <= samples; ++s) {
            const double t = static_cast<double>(s) / samples;
            const ScreenPoint at{from.x + t * (to.x - from.x), from.y + t * (to.y - from.y)};
            space.take({{at.x - reach, at.y - reach}, {at.x + reach, at.y + reach}});
        }
    }
}

void drawCurve(Raster& raster, const Plot& plot, const std::vector<PathPoint>& points,
               double pixel) {
    for (std::size_t k = 1; k < points.size(); ++k) {
        const bool jump = points[k].passed != CriticalPoint::None;
        raster.line(plot.at(points[k - 1].displacement, points[k - 1].loadFactor),
                    plot.at(points[k].displacement, points[k].loadFactor),
                    {pathColour, 2 * pixel, jump ? 5 * pixel : 0});
    }
    for (std::size_t k = 1; k < points.size(); ++k)
        raster.dot(plot.at(points[k].displacement, points[k].loadFactor), 5 * pixel, pathColour);
}

void drawCriticalMarks(Raster& raster, TextPainter& painter, LabelSpace& space, const Plot& plot,
                       const CasePath& path, const std::vector<PathPoint>& points, double pixel) {
    for (const CriticalMark& mark : criticalMarks(path)) {
        const PathPoint& point = points[mark.point];
        const ScreenPoint at = plot.at(point.displacement, point.loadFactor);
        const Colour colour = mark.stopped ? stopColour : criticalColour;
        raster.ring(at, 6 * pixel, {colour, 2 * pixel});
        labelPoint(raster, painter, space, plot, at, markText(mark, point.loadFactor), colour,
                   pixel);
        if (mark.kind == CriticalPoint::LimitPoint && !mark.stopped) {
            const PathPoint& landed = points[mark.landed];
            const ScreenPoint to = plot.at(landed.displacement, landed.loadFactor);
            labelPoint(raster, painter, space, plot, {(at.x + to.x) / 2, (at.y + to.y) / 2},
                       "snap-through", pathColour, pixel);
        }
    }
}

} // namespace

std::string componentName(Component component) {
    switch (component) {
    case Component::X: return "ux";
    case Component::Y: return "uy";
    case Component::Z: return "uz";
    case Component::Length: break;
    }
    return "|u|";
}

std::vector<PathPoint> nodePath(const CasePath& path, std::size_t node, Component component) {
    const double start = path.start.empty() ? 0 : valueOf(path.start[node], component);
    std::vector<PathPoint> points{{start, 0, CriticalPoint::None}};
    points.reserve(path.states.size() + 1);
    for (const PathState& state : path.states)
        points.push_back(
            {valueOf(state.displacements[node], component), state.loadFactor, state.passed});
    return points;
}

std::size_t nodeOfLargestDisplacement(const CasePath& path) {
    if (path.states.empty())
        return 0;
    const std::vector<Point>& last = path.states.back().displacements;
    const auto largest =
        std::max_element(last.begin(), last.end(), [](const Point& a, const Point& b) {
            return valueOf(a, Component::Length) < valueOf(b, Component::Length);
        });
    return static_cast<std::size_t>(largest - last.begin());
}

Component componentOfLargestChange(const CasePath& path, std::size_t node) {
    Component best = Component::Z; // on a tie: loads are most often vertical
    double most = changeAlong(nodePath(path, node, best));
    for (const Component component : {Component::X, Component::Y}) {
        const double change = changeAlong(nodePath(path, node, component));
        if (change > most) {
            best = component;
            most = change;
        }
    }
    return best;
}

std::vector<CriticalMark> criticalMarks(const CasePath& path) {
    std::vector<CriticalMark> marks;
    const std::vector<PathState>& states = path.states;
    for (std::size_t k = 0; k < states.size(); ++k) {
        if (states[k].passed == CriticalPoint::None)
            continue;
        if (!marks.empty() && marks.back().landed == k &&
            sameLoad(states[k - 1].loadFactor, states[k].loadFactor))
            marks.back().landed = k + 1;
        else
            marks.push_back({k, k + 1, states[k].passed, false});
    }
    if (!path.converged && path.stoppedAt != CriticalPoint::None)
        marks.push_back({states.size(), states.size(), path.stoppedAt, true});
    return marks;
}

void drawPathChart(Raster& raster, TextPainter& painter, const Box& panel, const CasePath& path,
                   std::size_t node, Component component, double pixel) {
    const std::string nodeName = "node " + std::to_string(node + 1);
    const Box below = belowCaption(painter, panel, "Load-displacement path of " + nodeName, pixel);
    const std::vector<PathPoint> points = nodePath(path, node, component);
    std::vector<double> displacements, loadFactors{1};
    for (const PathPoint& point : points) {
        displacements.push_back(point.displacement);
        loadFactors.push_back(point.loadFactor);
    }
    const ValueRange y = rangeAround(loadFactors);
    const std::vector<AxisMark> yMarks =
        marksOver(y, below.bottomRight.y - below.topLeft.y, 40 * pixel);
    const Plot plot(plotBox(below, yMarks, painter, pixel), rangeAround(displacements), y);
    const std::vector<AxisMark> xMarks = marksOver(plot.xRange(), plot.width(), 90 * pixel);
    drawPlotGrid(raster, plot, xMarks, yMarks, pixel);
    drawFullLoadLine(raster, plot, pixel);
    drawCurve(raster, plot, points, pixel);
    LabelSpace space(raster.width(), raster.height());
    keepCurveClear(space, plot, points, pixel);
    drawCriticalMarks(raster, painter, space, plot, path, points, pixel);
    labelFullLoad(raster, painter, space, plot, pixel);
    drawPlotFrame(raster, painter, plot, xMarks, yMarks,
                  {componentName(component) + " of " + nodeName, "load factor"}, pixel);
}

} // namespace ombrix
