#include "force_drawing.h"

#include <algorithm>

namespace ombrix {
namespace {

constexpr int ticksPerSide = 4;

Stroke slackStroke(Colour colour, double width) {
    return {colour, width, 3 * width};
}

// The force at a place of the legend's bar, from -1 (the largest compression) to 1.
double forceAt(double position, const ForceScale& scale) {
    return position > 0 ? position * scale.tension : -position * scale.compression;
}

struct LegendBar {
    double left, right;
    double zero; // where zero lies
    double side; // the length of each side
    double top, bottom;
};

LegendBar legendBar(const ForceScale& scale, double left, double top, double pixel) {
    const bool both = scale.tension > 0 && scale.compression < 0;
    const double side = (both ? 80 : 110) * pixel;
    const double above = scale.tension > 0 ? side : 4 * pixel;
    const double below = scale.compression < 0 ? side : 4 * pixel;
    return {left, left + 14 * pixel, top + above, side, top, top + above + below};
}

void fillBar(Raster& raster, const LegendBar& bar, const ForceScale& scale) {
    for (int row = static_cast<int>(bar.top); row < static_cast<int>(bar.bottom); ++row) {
        const double position = (bar.zero - (row + 0.5)) / bar.side;
        raster.fill({bar.left, 1.0 * row}, {bar.right, row + 1.0},
                    forceColour(forceAt(position, scale), scale));
    }
}

void drawTicks(Raster& raster, TextPainter& painter, const LegendBar& bar,
               const std::vector<LegendTick>& ticks, double pixel) {
    for (const LegendTick& tick : ticks) {
        const double y = bar.zero - tick.position * bar.side;
        raster.line({bar.right - 4 * pixel, y}, {bar.right + 3 * pixel, y}, {ink, pixel});
        const double height = painter.extent(tick.label).y;
        painter.paint({{bar.right + 6 * pixel, y - height / 2}, tick.label, ink, Anchor::TopLeft});
    }
}

} // namespace

MemberForces::MemberForces(const Model& model, std::vector<double> forces)
    : forces_(std::move(forces)), scale_(forceScaleOf(forces_)) {
    colours_.reserve(forces_.size());
    slack_.reserve(forces_.size());
    for (std::size_t m = 0; m < forces_.size(); ++m) {
        colours_.push_back(forceColour(forces_[m], scale_));
        slack_.push_back(model.members[m].kind == MemberKind::Cable && !(forces_[m] > 0));
    }
}

bool MemberForces::anySlack() const {
    return std::find(slack_.begin(), slack_.end(), true) != slack_.end();
}

Stroke MemberForces::strokeOf(std::size_t member, double width) const {
    return slack_[member] ? slackStroke(colours_[member], width) : Stroke{colours_[member], width};
}

Colour MemberForces::numberColour(std::size_t member) const {
    return darker(colours_[member]);
}

std::vector<KeyEntry> slackAndSupportKey(const Model& model, const MemberForces& forces,
                                         double pixel) {
    std::vector<KeyEntry> key;
    if (forces.anySlack())
        key.push_back({slackStroke(forceColour(0, forces.scale()), 2 * pixel), "slack cable"});
    if (std::any_of(model.nodes.begin(), model.nodes.end(), isHeld))
        key.push_back({{supportColour, 2 * pixel}, "support"});
    return key;
}

double drawForceLegend(Raster& raster, TextPainter& painter, const ForceScale& scale,
                       const std::string& caption, double top, double pixel) {
    const bool tension = scale.tension > 0, compression = scale.compression < 0;
    const std::vector<std::string> head =
        !tension && !compression ? std::vector<std::string>{caption, "0 in every member"}
        : tension                ? std::vector<std::string>{caption, "tension"}
                                 : std::vector<std::string>{caption};
    const std::vector<std::string> foot =
        compression ? std::vector<std::string>{"compression"} : std::vector<std::string>{};
    const std::vector<LegendTick> ticks = legendTicks(scale, ticksPerSide);
    double width = 0;
    for (const LegendTick& tick : ticks)
        width = std::max(width, 20 * pixel + painter.extent(tick.label).x);
    for (const std::vector<std::string>& lines : {head, foot})
        for (const std::string& line : lines)
            width = std::max(width, painter.extent(line).x);
    const double left = raster.width() - 10 * pixel - width;
    const double gap = painter.extent(caption).y / 2;
    const double belowHead = drawLines(painter, {left, top + gap}, head);
    if (!tension && !compression)
        return belowHead;
    const LegendBar bar = legendBar(scale, left, belowHead + gap, pixel);
    fillBar(raster, bar, scale);
    drawTicks(raster, painter, bar, ticks, pixel);
    return drawLines(painter, {left, bar.bottom + gap}, foot);
}

void annotate(Raster& raster, TextPainter& painter, const Projection& projection,
              const std::vector<ScreenPoint>& nodes, const Model& model, const MemberForces& forces,
              const ForceAnnotations& annotations, const ViewOptions& options) {
    LabelSpace space(raster.width(), raster.height());
    for (const Label& label : annotations.labels)
        placeLabel(raster, painter, space, label, options.pixel);
    if (options.nodeNumbers)
        numberNodes(raster, painter, space, nodes, options.pixel);
    if (options.memberNumbers)
        numberMembers(
            raster, painter, space, nodes, model.members,
            [&](std::size_t m) { return forces.numberColour(m); }, options.pixel);
    const KeyPlace key = drawKey(raster, painter, annotations.key, options.pixel);
    drawTitle(painter, annotations.title, options.pixel, key.left);
    drawForceLegend(raster, painter, forces.scale(), annotations.legendCaption, key.bottom,
                    options.pixel);
    drawAxes(raster, painter, projection, options.pixel);
}

} // namespace ombrix
