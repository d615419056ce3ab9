#include "geometry_view.h"

#include "structure_drawing.h"

#include <algorithm>

namespace ombrix {
namespace {

Colour colourOf(MemberKind kind) {
    return kind == MemberKind::Cable ? cableColour : barColour;
}

} // namespace

GeometryView::GeometryView(Model model)
    : model_(std::move(model)), positions_(positionsOf(model_)) {}

void GeometryView::draw(Raster& raster, TextPainter& painter, const Camera& camera,
                        const ViewOptions& options) const {
    const Projection projection(camera, {1.0 * raster.width(), 1.0 * raster.height()});
    const std::vector<ScreenPoint> nodes = onScreen(projection, positions_);
    const DrawingSizes sizes = sizesFor(nodes, model_.members, options.pixel);
    drawMembers(raster, nodes, model_.members, [&](std::size_t m) {
        return Stroke{colourOf(model_.members[m].kind), sizes.memberWidth};
    });
    if (sizes.memberWidth >= 1.6 * options.pixel) // members long enough to leave room for dots
        drawNodes(raster, nodes, 2.5 * sizes.memberWidth);
    drawSupports(raster, projection, nodes, model_, sizes.rod);
    LabelSpace space(raster.width(), raster.height());
    if (options.nodeNumbers)
        numberNodes(raster, painter, space, nodes, options.pixel);
    if (options.memberNumbers)
        numberMembers(
            raster, painter, space, nodes, model_.members,
            [&](std::size_t m) { return darker(colourOf(model_.members[m].kind)); }, options.pixel);
    const KeyPlace key = drawKey(raster, painter, keyEntries(options.pixel), options.pixel);
    drawTitle(painter, titleLines(), options.pixel, key.left);
    drawAxes(raster, painter, projection, options.pixel);
}

std::vector<std::string> GeometryView::titleLines() const {
    return {model_.heading, countsLine(model_)};
}

std::vector<KeyEntry> GeometryView::keyEntries(double pixel) const {
    const auto has = [&](MemberKind kind) {
        return std::any_of(model_.members.begin(), model_.members.end(),
                           [&](const Member& m) { return m.kind == kind; });
    };
    std::vector<KeyEntry> entries;
    if (has(MemberKind::Bar))
        entries.push_back({{barColour, 2 * pixel}, "bar"});
    if (has(MemberKind::Cable))
        entries.push_back({{cableColour, 2 * pixel}, "cable"});
    if (std::any_of(model_.nodes.begin(), model_.nodes.end(), isHeld))
        entries.push_back({{supportColour, 2 * pixel}, "support"});
    return entries;
}

} // namespace ombrix
