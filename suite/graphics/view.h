// A picture of a structure that can be turned, zoomed and saved: what each 3-D graph
// program shows, drawn anew for each camera. The viewer window shows one on Windows.
#pragma once

#include "annotation.h"

#include <vector>

namespace ombrix {

struct ViewOptions {
    bool nodeNumbers = false;
    bool memberNumbers = false;
    double pixel = 1; // pixels to a point of a 96 dpi screen: sizes and widths scale with it
};

class View {
  public:
    virtual ~View() = default;
    virtual const std::vector<Point>& extent() const = 0; // what the picture must show whole
    virtual void draw(Raster& raster, TextPainter& painter, const Camera& camera,
                      const ViewOptions& options) const = 0;
};

// The camera, turned as it is, scaled and moved to show the view whole with room around
// it for the title and the key.
Camera fittedTo(const View& view, const Camera& camera, const Viewport& viewport, double pixel);

// The camera that shows the view whole, from its suitable standard view.
Camera firstCamera(const View& view, const Viewport& viewport, double pixel);

} // namespace ombrix
