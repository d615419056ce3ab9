// The camera: standard views, fitting, zooming, orbiting and panning.

#include "camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrix {
namespace {

constexpr double tolerance = 1e-9;
const Viewport viewport{800, 600};

void expectNear(ScreenPoint actual, ScreenPoint expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-3) << what;
}

struct ViewCase {
    StandardView view;
    ScreenPoint x, y, z; // the screen's image of each axis; screen y grows downwards
};

TEST(Camera, StandardViewsShowTheAxesAsDrawingsDo) {
    const double c = std::sqrt(0.5), s = std::sqrt(1.0 / 6), v = std::sqrt(2.0 / 3);
    const ViewCase cases[] = {
        {StandardView::Front, {1, 0}, {0, 0}, {0, -1}},
        {StandardView::Top, {1, 0}, {0, -1}, {0, 0}},
        {StandardView::Side, {0, 0}, {1, 0}, {0, -1}},
        {StandardView::Isometric, {c, s}, {c, -s}, {0, -v}},
    };
    for (const ViewCase& row : cases) {
        const Projection projection(viewed({}, row.view), viewport);
        expectNear(projection.along({1, 0, 0}), row.x, "x");
        expectNear(projection.along({0, 1, 0}), row.y, "y");
        expectNear(projection.along({0, 0, 1}), row.z, "z");
    }
}

TEST(Camera, SuitableViewLooksAlongTheNormalOfAPlaneStructure) {
    const std::vector<Point> horizontal{{0, 0, 2}, {5, 1, 2}, {3, 7, 2}};
    const std::vector<Point> bridge{{0, 1, 0}, {24, 1, 0}, {3, 1, 3}};
    const std::vector<Point> wall{{4, 0, 0}, {4, 5, 0}, {4, 0, 3}};
    const std::vector<Point> tripod{{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0.7, 0.6, 1.5}};
    EXPECT_EQ(suitableView(horizontal), StandardView::Top);
    EXPECT_EQ(suitableView(bridge), StandardView::Front);
    EXPECT_EQ(suitableView(wall), StandardView::Side);
    EXPECT_EQ(suitableView(tripod), StandardView::Isometric);
}

TEST(Camera, FitBringsEveryPointInsideTheMarginAndTouchesIt) {
    const std::vector<Point> points{{-3, 10, 0}, {24, 12, 1}, {3, 11, 30}, {20, 10, -2}};
    for (StandardView view : {StandardView::Front, StandardView::Top, StandardView::Isometric}) {
        const Camera camera = fitted(viewed({}, view), points, viewport, 20);
        const Projection projection(camera, viewport);
        double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
        for (const Point& point : points) {
            const ScreenPoint p = projection(point);
            left = std::min(left, p.x), right = std::max(right, p.x);
            top = std::min(top, p.y), bottom = std::max(bottom, p.y);
        }
        EXPECT_NEAR(left + right, viewport.width, 1e-6) << "centred across";
        EXPECT_NEAR(top + bottom, viewport.height, 1e-6) << "centred down";
        EXPECT_GE(left, 20 - 1e-6);
        EXPECT_GE(top, 20 - 1e-6);
        EXPECT_NEAR(std::min(left, top), 20, 1e-6) << "fills one direction";
    }
}

TEST(Camera, FitKeepsTheScaleOfASinglePoint) {
    const Camera camera = fitted(Camera{0, 0, 7, {}}, {{1, 2, 3}}, viewport, 20);
    EXPECT_EQ(camera.scale, 7);
    expectNear(Projection(camera, viewport)({1, 2, 3}), {400, 300}, "the point in the middle");
}

TEST(Camera, ZoomKeepsThePointUnderTheCursor) {
    const Camera before = viewed(Camera{0, 0, 10, {1, 2, 3}}, StandardView::Isometric);
    const Point point{4, -1, 2};
    const ScreenPoint cursor = Projection(before, viewport)(point);
    const Camera after = zoomed(before, 1.5, cursor, viewport);
    EXPECT_DOUBLE_EQ(after.scale, 15);
    expectNear(Projection(after, viewport)(point), cursor, "the point stays");
}

TEST(Camera, OrbitTurnsAboutTheTargetAndStopsAtThePoles) {
    const Camera front = viewed(Camera{0, 0, 10, {1, 2, 3}}, StandardView::Front);
    const Camera turned = orbited(front, 0.3, 0.2);
    expectNear(Projection(turned, viewport)({1, 2, 3}), {400, 300}, "the target stays");
    EXPECT_NEAR(turned.elevation, 0.2, tolerance);
    // Turned to the right, a point in front of the target moves right.
    EXPECT_GT(Projection(turned, viewport)({1, 1, 3}).x, 400);
    EXPECT_NEAR(orbited(front, 0, 5).elevation, std::acos(0.0), tolerance);
    EXPECT_NEAR(orbited(front, 0, -5).elevation, -std::acos(0.0), tolerance);
}

TEST(Camera, PanMovesThePictureByTheShift) {
    const Camera camera = viewed(Camera{0, 0, 10, {1, 2, 3}}, StandardView::Isometric);
    const Point point{4, -1, 2};
    const ScreenPoint before = Projection(camera, viewport)(point);
    const ScreenPoint after = Projection(panned(camera, {30, -12}), viewport)(point);
    expectNear(after, {before.x + 30, before.y - 12}, "moved with the mouse");
}

} // namespace
} // namespace ombrix
