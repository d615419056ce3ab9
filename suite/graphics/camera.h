// How a structure is seen: an orthographic view, turned about a target point, at a scale
// in pixels per model unit. The z axis is vertical; screen y grows downwards.
#pragma once

#include "model.h"

#include <vector>

namespace ombrix {

struct ScreenPoint {
    double x = 0;
    double y = 0;
};

struct Viewport {
    double width = 0; // pixels
    double height = 0;
};

enum class StandardView { Top, Front, Side, Isometric };

struct Camera {
    double azimuth = 0;   // radians about z; 0 looks along +y, with x to the right
    double elevation = 0; // radians above the horizontal, from -pi/2 to pi/2
    double scale = 1;     // pixels per model unit
    Point target{};       // the model point at the viewport's centre
};

// The standard view's angles, keeping the camera's scale and target.
Camera viewed(Camera camera, StandardView view);

// The view that shows a structure best: along the normal of a plane structure, otherwise
// isometric.
StandardView suitableView(const std::vector<Point>& points);

// Turned by angles in radians: right turns the structure to the right (the viewer goes
// round it to the left), up raises the viewer. The elevation stops at the poles.
Camera orbited(Camera camera, double right, double up);

// Scaled by factor about a point of the viewport, which stays where it is.
Camera zoomed(Camera camera, double factor, ScreenPoint about, const Viewport& viewport);

// Moved by a shift in pixels.
Camera panned(Camera camera, ScreenPoint shift);

// Scale and target that fit the points in the viewport, a margin in pixels all around,
// at the camera's angles.
Camera fitted(Camera camera, const std::vector<Point>& points, const Viewport& viewport,
              double margin);

class Projection {
  public:
    Projection(const Camera& camera, const Viewport& viewport);

    ScreenPoint operator()(const Point& point) const;
    // The screen's image of a model vector, unscaled: a unit vector's image is 1 long when
    // it lies across the view, and 0 long when it points at the viewer.
    ScreenPoint along(const Point& vector) const;

  private:
    Point right_{};
    Point up_{};
    Point target_{};
    double scale_ = 1;
    ScreenPoint centre_{};
};

} // namespace ombrix
