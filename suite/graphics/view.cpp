#include "view.h"

namespace ombrix {

Camera fittedTo(const View& view, const Camera& camera, const Viewport& viewport,
                const ViewOptions& options) {
    return fitted(camera, view.extent(options), viewport, 60 * options.pixel);
}

Camera firstCamera(const View& view, const Viewport& viewport, const ViewOptions& options) {
    return fittedTo(view, viewed({}, suitableView(view.extent(options))), viewport, options);
}

} // namespace ombrix
