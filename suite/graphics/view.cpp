#include "view.h"

namespace ombrix {

Camera fittedTo(const View& view, const Camera& camera, const Viewport& viewport, double pixel) {
    return fitted(camera, view.extent(), viewport, 60 * pixel);
}

Camera firstCamera(const View& view, const Viewport& viewport, double pixel) {
    return fittedTo(view, viewed({}, suitableView(view.extent())), viewport, pixel);
}

} // namespace ombrix
