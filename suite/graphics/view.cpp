#include "view.h"

namespace ombrix {

// The key and the force legend take a column at the picture's right, beside the
// structure rather than over it.
Camera fittedTo(const View& view, const Camera& camera, const Viewport& viewport,
                const ViewOptions& options) {
    const double keyColumn = 100 * options.pixel;
    const Viewport beside{viewport.width - keyColumn, viewport.height};
    return panned(fitted(camera, view.extent(options), beside, 60 * options.pixel),
                  {-keyColumn / 2, 0});
}

Camera firstCamera(const View& view, const Viewport& viewport, const ViewOptions& options) {
    return fittedTo(view, viewed({}, suitableView(view.extent(options))), viewport, options);
}

} // namespace ombrix
