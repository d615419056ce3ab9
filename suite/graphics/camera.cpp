#include "camera.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace ombrix {
namespace {

constexpr double pole = std::numbers::pi / 2;

double dot(const Point& a, const Point& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Point difference(const Point& a, const Point& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

// The screen's axes in the model: right, up, and towards the viewer.
struct ViewAxes {
    Point right;
    Point up;
    Point towardsViewer;
};

ViewAxes axesOf(const Camera& camera) {
    const double ca = std::cos(camera.azimuth), sa = std::sin(camera.azimuth);
    const double ce = std::cos(camera.elevation), se = std::sin(camera.elevation);
    return {{ca, sa, 0}, {-sa * se, ca * se, ce}, {sa * ce, -ca * ce, se}};
}

} // namespace

Camera viewed(Camera camera, StandardView view) {
    switch (view) {
    case StandardView::Top: camera.azimuth = 0, camera.elevation = pole; break;
    case StandardView::Front: camera.azimuth = 0, camera.elevation = 0; break;
    case StandardView::Side: camera.azimuth = pole, camera.elevation = 0; break;
    case StandardView::Isometric:
        camera.azimuth = std::numbers::pi / 4;
        camera.elevation = std::asin(1 / std::sqrt(3.0));
        break;
    }
    return camera;
}

StandardView suitableView(const std::vector<Point>& points) {
    if (points.empty())
        return StandardView::Isometric;
    const auto flatIn = [&](int axis) {
        return std::all_of(points.begin(), points.end(),
                           [&](const Point& p) { return p[axis] == points[0][axis]; });
    };
    if (flatIn(2))
        return StandardView::Top;
    if (flatIn(1))
        return StandardView::Front;
    if (flatIn(0))
        return StandardView::Side;
    return StandardView::Isometric;
}

Camera orbited(Camera camera, double right, double up) {
    camera.azimuth = std::remainder(camera.azimuth - right, 2 * std::numbers::pi);
    camera.elevation = std::clamp(camera.elevation + up, -pole, pole);
    return camera;
}

Camera zoomed(Camera camera, double factor, ScreenPoint about, const Viewport& viewport) {
    const ViewAxes axes = axesOf(camera);
    const double dx = (about.x - viewport.width / 2) / camera.scale;
    const double dy = (viewport.height / 2 - about.y) / camera.scale;
    // The model point under `about` stays: the target moves towards it by 1 - 1/factor.
    const double move = 1 - 1 / factor;
    for (int axis = 0; axis < 3; ++axis)
        camera.target[axis] += move * (dx * axes.right[axis] + dy * axes.up[axis]);
    camera.scale *= factor;
    return camera;
}

Camera panned(Camera camera, ScreenPoint shift) {
    const ViewAxes axes = axesOf(camera);
    for (int axis = 0; axis < 3; ++axis)
        camera.target[axis] -=
            (shift.x * axes.right[axis] - shift.y * axes.up[axis]) / camera.scale;
    return camera;
}

Camera fitted(Camera camera, const std::vector<Point>& points, const Viewport& viewport,
              double margin) {
    if (points.empty())
        return camera;
    const ViewAxes axes = axesOf(camera);
    const std::array<Point, 3> basis{axes.right, axes.up, axes.towardsViewer};
    std::array<double, 3> low{}, high{};
    low.fill(std::numeric_limits<double>::infinity());
    high.fill(-std::numeric_limits<double>::infinity());
    for (const Point& point : points)
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], dot(point, basis[axis]));
            high[axis] = std::max(high[axis], dot(point, basis[axis]));
        }
    const double across = (viewport.width - 2 * margin) / (high[0] - low[0]);
    const double down = (viewport.height - 2 * margin) / (high[1] - low[1]);
    const double scale = std::min(across, down); // infinite along a direction of no extent
    if (std::isfinite(scale) && scale > 0)
        camera.scale = scale;
    camera.target = {};
    for (int axis = 0; axis < 3; ++axis)
        for (int k = 0; k < 3; ++k)
            camera.target[k] += (low[axis] + high[axis]) / 2 * basis[axis][k];
    return camera;
}

Projection::Projection(const Camera& camera, const Viewport& viewport)
    : target_(camera.target),
      scale_(camera.scale), centre_{viewport.width / 2, viewport.height / 2} {
    const ViewAxes axes = axesOf(camera);
    right_ = axes.right;
    up_ = axes.up;
}

ScreenPoint Projection::operator()(const Point& point) const {
    const Point d = difference(point, target_);
    return {centre_.x + scale_ * dot(d, right_), centre_.y - scale_ * dot(d, up_)};
}

ScreenPoint Projection::along(const Point& vector) const {
    return {dot(vector, right_), -dot(vector, up_)};
}

} // namespace ombrix
