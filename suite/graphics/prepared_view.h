// Plotter's picture: the prepared model as the analysis takes it, its members coloured by
// their initial forces in the geometry given (those that the unstressed lengths give,
// where the file gives them), a slack cable dashed.
#pragma once

#include "force_drawing.h"

namespace ombrix {

class PreparedView : public View {
  public:
    explicit PreparedView(Model model);

    const std::vector<Point>& extent(const ViewOptions&) const override { return positions_; }
    void draw(Raster& raster, TextPainter& painter, const Camera& camera,
              const ViewOptions& options) const override;

  private:
    ForceAnnotations annotations(double pixel) const;

    Model model_;
    std::vector<Point> positions_;
    MemberForces forces_;
};

// Each member's axial force in the geometry given, by its law.
std::vector<double> initialForces(const Model& model);

} // namespace ombrix
