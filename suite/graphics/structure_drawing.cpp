#include "structure_drawing.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ombrix {
namespace {

constexpr Colour nodeNumberColour{110, 40, 110};

ScreenPoint plus(ScreenPoint a, ScreenPoint b, double factor = 1) {
    return {a.x + factor * b.x, a.y + factor * b.y};
}

// A support in one direction, whose screen image (of the unit vector, at most 1 long) is
// `image`; `rod` is its length across the view.
void drawRod(Raster& raster, ScreenPoint node, ScreenPoint image, double rod) {
    const Stroke stroke{supportColour, std::max(rod / 10, 1.0)};
    const double size = std::hypot(image.x, image.y);
    if (size < 0.35) {
        raster.ring(node, rod / 4, {supportColour, 0.75 * stroke.width});
        return;
    }
    const ScreenPoint end = plus(node, image, -rod);
    const ScreenPoint across{-image.y / size * 0.45 * rod, image.x / size * 0.45 * rod};
    raster.line(node, end, stroke);
    raster.line(plus(end, across, -1), plus(end, across), stroke);
}

} // namespace

Colour darker(Colour colour) {
    return {static_cast<std::uint8_t>(colour.red * 2 / 3),
            static_cast<std::uint8_t>(colour.green * 2 / 3),
            static_cast<std::uint8_t>(colour.blue * 2 / 3)};
}

bool isHeld(const Node& node) {
    return node.restrained[0] || node.restrained[1] || node.restrained[2];
}

std::string countsLine(const Model& model) {
    const auto cables = std::count_if(model.members.begin(), model.members.end(),
                                      [](const Member& m) { return m.kind == MemberKind::Cable; });
    const auto bars = static_cast<long long>(model.members.size()) - cables;
    return std::to_string(model.nodes.size()) + " nodes, " + std::to_string(model.members.size()) +
           " members: " + std::to_string(bars) + " bars, " + std::to_string(cables) + " cables";
}

void placeLabel(Raster& raster, TextPainter& painter, LabelSpace& space, const Label& label,
                double pixel) {
    const Box box = boxOf(label, painter);
    const double margin = 4 * pixel;
    if (!space.claim({{box.topLeft.x - margin, box.topLeft.y - margin},
                      {box.bottomRight.x + margin, box.bottomRight.y + margin}}))
        return;
    raster.fill(box.topLeft, box.bottomRight, paper);
    painter.paint(label);
}

std::vector<Point> positionsOf(const Model& model) {
    std::vector<Point> positions;
    positions.reserve(model.nodes.size());
    for (const Node& node : model.nodes)
        positions.push_back(node.position);
    return positions;
}

std::vector<ScreenPoint> onScreen(const Projection& projection, const std::vector<Point>& points) {
    std::vector<ScreenPoint> screen;
    screen.reserve(points.size());
    for (const Point& point : points)
        screen.push_back(projection(point));
    return screen;
}

DrawingSizes sizesFor(const std::vector<ScreenPoint>& nodes, const std::vector<Member>& members,
                      double pixel) {
    if (members.empty())
        return {pixel, 20 * pixel};
    double total = 0;
    for (const Member& member : members) {
        const double dx = nodes[member.second].x - nodes[member.first].x;
        const double dy = nodes[member.second].y - nodes[member.first].y;
        total += std::sqrt(dx * dx + dy * dy);
    }
    const double average = total / static_cast<double>(members.size()) / pixel;
    return {pixel * std::clamp(average / 8, 0.8, 2.0),
            pixel * std::clamp(average * 0.7, 4.0, 20.0)};
}

void drawMembers(Raster& raster, const std::vector<ScreenPoint>& nodes,
                 const std::vector<Member>& members,
                 const std::function<Stroke(std::size_t member)>& strokeOf) {
    for (std::size_t m = 0; m < members.size(); ++m)
        raster.line(nodes[members[m].first], nodes[members[m].second], strokeOf(m));
}

void drawSupports(Raster& raster, const Projection& projection,
                  const std::vector<ScreenPoint>& nodes, const Model& model, double rod) {
    for (std::size_t n = 0; n < model.nodes.size(); ++n)
        for (int axis = 0; axis < 3; ++axis)
            if (model.nodes[n].restrained[axis]) {
                Point unit{};
                unit[axis] = 1;
                drawRod(raster, nodes[n], projection.along(unit), rod);
            }
}

void drawNodes(Raster& raster, const std::vector<ScreenPoint>& nodes, double diameter) {
    for (const ScreenPoint& node : nodes)
        raster.dot(node, diameter, ink);
}

void numberNodes(Raster& raster, TextPainter& painter, LabelSpace& space,
                 const std::vector<ScreenPoint>& nodes, double pixel) {
    for (std::size_t n = 0; n < nodes.size(); ++n)
        placeLabel(raster, painter, space,
                   {plus(nodes[n], {5 * pixel, -4 * pixel}), std::to_string(n + 1),
                    nodeNumberColour, Anchor::BottomLeft},
                   pixel);
}

void numberMembers(Raster& raster, TextPainter& painter, LabelSpace& space,
                   const std::vector<ScreenPoint>& nodes, const std::vector<Member>& members,
                   const std::function<Colour(std::size_t member)>& colourOf, double pixel) {
    for (std::size_t m = 0; m < members.size(); ++m) {
        const ScreenPoint a = nodes[members[m].first], b = nodes[members[m].second];
        placeLabel(raster, painter, space,
                   {{(a.x + b.x) / 2, (a.y + b.y) / 2},
                    std::to_string(m + 1),
                    colourOf(m),
                    Anchor::Centre},
                   pixel);
    }
}

} // namespace ombrix
