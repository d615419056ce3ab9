#include "prepared_view.h"

#include "member_law.h"

namespace ombrix {

std::vector<double> initialForces(const Model& model) {
    std::vector<double> forces;
    forces.reserve(model.members.size());
    for (const Member& member : model.members)
        forces.push_back(MemberLaw::of(model, member).at(lengthOf(model, member), 0).force);
    return forces;
}

PreparedView::PreparedView(Model model)
    : model_(std::move(model)), positions_(positionsOf(model_)),
      forces_(model_, initialForces(model_)) {}

void PreparedView::draw(Raster& raster, TextPainter& painter, const Camera& camera,
                        const ViewOptions& options) const {
    const Projection projection(camera, {1.0 * raster.width(), 1.0 * raster.height()});
    const std::vector<ScreenPoint> nodes = onScreen(projection, positions_);
    const DrawingSizes sizes = sizesFor(nodes, model_.members, options.pixel);
    drawMembers(raster, nodes, model_.members,
                [&](std::size_t m) { return forces_.strokeOf(m, sizes.memberWidth); });
    drawSupports(raster, projection, nodes, model_, sizes.rod);
    annotate(raster, painter, projection, nodes, model_, forces_, annotations(options.pixel),
             options);
}

ForceAnnotations PreparedView::annotations(double pixel) const {
    return {{model_.heading, countsLine(model_), "Initial axial forces in the geometry given"},
            slackAndSupportKey(model_, forces_, pixel),
            "Initial axial force",
            {}};
}

} // namespace ombrix
