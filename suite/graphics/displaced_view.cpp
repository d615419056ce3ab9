#include "displaced_view.h"

#include "ticks.h"

#include <algorithm>
#include <cmath>

namespace ombrix {
namespace {

constexpr int shownDigits = 4;

std::vector<Point> displacedBy(const std::vector<Point>& given,
                               const std::vector<Point>& displacements, double factor) {
    std::vector<Point> positions = given;
    for (std::size_t n = 0; n < positions.size(); ++n)
        for (int axis = 0; axis < 3; ++axis)
            positions[n][axis] += factor * displacements[n][axis];
    return positions;
}

// The largest side of the box around the points.
double sizeOf(const std::vector<Point>& points) {
    double size = 0;
    for (int axis = 0; axis < 3; ++axis) {
        const auto [low, high] = std::minmax_element(
            points.begin(), points.end(),
            [axis](const Point& a, const Point& b) { return a[axis] < b[axis]; });
        if (low != points.end())
            size = std::max(size, (*high)[axis] - (*low)[axis]);
    }
    return size;
}

// The largest of 1, 2 and 5 times a power of ten that is not above the value.
double roundedDown(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    const double leading = value / power;
    return (leading >= 5 ? 5 : leading >= 2 ? 2 : 1) * power;
}

double lengthOfVector(const Point& v) {
    return std::hypot(v[0], v[1], v[2]);
}

// An arrow whose head touches `head`, from `tail`.
void drawArrow(Raster& raster, ScreenPoint tail, ScreenPoint head, const Stroke& stroke) {
    const double dx = head.x - tail.x, dy = head.y - tail.y;
    const double length = std::hypot(dx, dy);
    if (!(length > 1))
        return;
    raster.line(tail, head, stroke);
    const double barb = std::min(10 * stroke.width, 0.4 * length) / length;
    for (const double side : {-1.0, 1.0})
        raster.line(head,
                    {head.x - barb * (dx * 0.9 - side * dy * 0.45),
                     head.y - barb * (dy * 0.9 + side * dx * 0.45)},
                    stroke);
}

} // namespace

double automaticScale(const std::vector<Point>& positions, double largestDisplacement) {
    const double raw = sizeOf(positions) / 10 / largestDisplacement;
    return std::isfinite(raw) && raw > 1 ? roundedDown(raw) : 1;
}

DisplacedView::DisplacedView(Model model, const CaseResults& results)
    : model_(std::move(model)), given_(positionsOf(model_)), reactions_(results.reactions),
      forces_(model_, results.axialForces), peaks_(peaksOf(model_, results)) {
    const double enlarged = automaticScale(given_, peaks_.displacement.value);
    for (std::size_t k = 0; k < displaced_.size(); ++k) {
        Displaced& displaced = displaced_[k];
        displaced.factor = k == 0 ? enlarged : 1;
        displaced.positions = displacedBy(given_, results.displacements, displaced.factor);
        displaced.extent = given_;
        displaced.extent.insert(displaced.extent.end(), displaced.positions.begin(),
                                displaced.positions.end());
    }
}

const DisplacedView::Displaced& DisplacedView::displacedAt(const ViewOptions& options) const {
    return displaced_[options.trueScale ? 1 : 0];
}

const std::vector<Point>& DisplacedView::extent(const ViewOptions& options) const {
    return displacedAt(options).extent;
}

void DisplacedView::draw(Raster& raster, TextPainter& painter, const Camera& camera,
                         const ViewOptions& options) const {
    const Projection projection(camera, {1.0 * raster.width(), 1.0 * raster.height()});
    const std::vector<ScreenPoint> nodes = onScreen(projection, displacedAt(options).positions);
    const DrawingSizes sizes = sizesFor(nodes, model_.members, options.pixel);
    const Stroke given{givenGeometryColour, sizes.memberWidth};
    drawMembers(raster, onScreen(projection, given_), model_.members,
                [&](std::size_t) { return given; });
    drawSupports(raster, projection, nodes, model_, sizes.rod);
    drawMembers(raster, nodes, model_.members,
                [&](std::size_t m) { return forces_.strokeOf(m, sizes.memberWidth); });
    ForceAnnotations notes = annotations(options);
    if (options.reactions)
        drawReactions(raster, projection, nodes, notes.labels, options.pixel);
    annotate(raster, painter, projection, nodes, model_, forces_, notes, options);
}

// Each reaction an arrow onto its node, as long as its share of the largest.
void DisplacedView::drawReactions(Raster& raster, const Projection& projection,
                                  const std::vector<ScreenPoint>& nodes, std::vector<Label>& labels,
                                  double pixel) const {
    const double largest = peaks_.reaction.value;
    if (!(largest > 0))
        return;
    const double perForce = 50 * pixel / largest;
    const Stroke stroke{reactionColour, 1.5 * pixel};
    for (std::size_t n = 0; n < nodes.size(); ++n) {
        const double size = lengthOfVector(reactions_[n]);
        if (!(size > 0))
            continue;
        const ScreenPoint image = projection.along(reactions_[n]);
        const ScreenPoint tail{nodes[n].x - image.x * perForce, nodes[n].y - image.y * perForce};
        drawArrow(raster, tail, nodes[n], stroke);
        labels.push_back({tail, significantText(size, shownDigits), reactionColour,
                          image.y < 0 ? Anchor::TopLeft : Anchor::BottomLeft});
    }
}

ForceAnnotations DisplacedView::annotations(const ViewOptions& options) const {
    const double pixel = options.pixel;
    const Peak& largest = peaks_.displacement;
    const double factor = displacedAt(options).factor;
    std::string state =
        peaks_.converged ? "converged" : "NOT converged: the last state in equilibrium";
    if (peaks_.loadFactor)
        state += ", at load factor " + significantText(*peaks_.loadFactor, shownDigits);
    std::string scale =
        factor == 1 ? "Displacements at their true size"
                    : "Displacements drawn " + significantText(factor, 6) + " times their size";
    if (largest.found)
        scale += "; the largest " + significantText(largest.value, shownDigits) + " at node " +
                 std::to_string(largest.item);
    ForceAnnotations notes{
        {model_.heading, "Load case " + std::to_string(peaks_.loadCase) + ", " + state, scale},
        {{{givenGeometryColour, 2 * pixel}, "geometry given"}},
        "Axial force",
        {}};
    for (KeyEntry& entry : slackAndSupportKey(model_, forces_, pixel))
        notes.key.push_back(std::move(entry));
    if (options.reactions)
        notes.key.push_back({{reactionColour, 2 * pixel}, "reaction"});
    return notes;
}

} // namespace ombrix
