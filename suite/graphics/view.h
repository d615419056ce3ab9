// A picture of a structure that can be turned, zoomed and saved: what each 3-D graph
// program shows, drawn anew for each camera. The viewer window shows one on Windows.
#pragma once

#include "annotation.h"

#include <vector>

namespace ombrix {

struct ViewOptions {
    bool nodeNumbers = false;
    bool memberNumbers = false;
    bool reactions = false; // a solved case's reactions, as arrows
    bool trueScale = false; // a solved case's displacements at their true size
    double pixel = 1;       // pixels to a point of a 96 dpi screen: sizes and widths scale with it
};

class View {
  public:
    virtual ~View() = default;
    // What the picture must show whole.
    virtual const std::vector<Point>& extent(const ViewOptions& options) const = 0;
    virtual void draw(Raster& raster, TextPainter& painter, const Camera& camera,
                      const ViewOptions& options) const = 0;
    // Whether the view shows a solved case, so that its reactions and the scale of its
    // displacements can be chosen.
    virtual bool showsResults() const { return false; }
};

// The camera, turned as it is, scaled and moved to show the view whole with room around
// it for the title and the key.
Camera fittedTo(const View& view, const Camera& camera, const Viewport& viewport,
                const ViewOptions& options);

// The camera that shows the view whole, from its suitable standard view.
Camera firstCamera(const View& view, const Viewport& viewport, const ViewOptions& options);

} // namespace ombrix
