#include "view.h"

namespace ombrix {

Camera firstCamera(const View& view, const Viewport& viewport, double pixel) {
    const Camera camera = viewed({}, suitableView(view.extent()));
    return fitted(camera, view.extent(), viewport, 60 * pixel);
}

} // namespace ombrix
