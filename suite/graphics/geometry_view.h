// Glance's picture: the structure as its geometry file gives it, before any analysis:
// bars and cables in two colours, the supports by the directions they hold, node and
// member numbers on request.
#pragma once

#include "view.h"

namespace ombrix {

class GeometryView : public View {
  public:
    explicit GeometryView(Model model);

    const std::vector<Point>& extent(const ViewOptions&) const override { return positions_; }
    void draw(Raster& raster, TextPainter& painter, const Camera& camera,
              const ViewOptions& options) const override;

  private:
    std::vector<std::string> titleLines() const;
    std::vector<KeyEntry> keyEntries(double pixel) const;

    Model model_;
    std::vector<Point> positions_;
};

} // namespace ombrix
