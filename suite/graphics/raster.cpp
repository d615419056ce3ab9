#include "raster.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ombrix {
namespace {

std::uint32_t packed(Colour colour) {
    return static_cast<std::uint32_t>(colour.red) << 16 |
           static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

bool isFinite(ScreenPoint point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
}

struct Span {
    double enter = 0; // parameters along the segment, 0 at its start, 1 at its end
    double leave = 1;
};

// The part of the segment from `from` to `to` that lies inside the box (Liang-Barsky).
std::optional<Span> partInside(ScreenPoint from, ScreenPoint to, ScreenPoint low,
                               ScreenPoint high) {
    Span span;
    const double delta[2] = {to.x - from.x, to.y - from.y};
    const double start[2] = {from.x, from.y};
    const double lows[2] = {low.x, low.y};
    const double highs[2] = {high.x, high.y};
    for (int axis = 0; axis < 2; ++axis) {
        if (delta[axis] == 0) {
            if (start[axis] < lows[axis] || start[axis] > highs[axis])
                return std::nullopt;
            continue;
        }
        double a = (lows[axis] - start[axis]) / delta[axis];
        double b = (highs[axis] - start[axis]) / delta[axis];
        if (a > b)
            std::swap(a, b);
        span.enter = std::max(span.enter, a);
        span.leave = std::min(span.leave, b);
    }
    if (span.enter > span.leave)
        return std::nullopt;
    return span;
}

// How much of a pixel a dashed line covers along its length, from the pixel's distance
// along the line: 1 well inside a dash, 0 well inside a gap.
double dashCoverage(double along, double dash) {
    const double phase = std::fmod(std::max(along, 0.0), 2 * dash);
    const double inside =
        phase < dash ? std::min(phase, dash - phase) : -std::min(phase - dash, 2 * dash - phase);
    return std::clamp(inside + 0.5, 0.0, 1.0);
}

// A line in coordinates where the first ("major") one changes at least as fast as the
// second, so that each step of the major coordinate meets a few pixels of the line.
struct LineShape {
    double startMajor, startMinor, deltaMajor, deltaMinor;
    double inverseMajor;          // 1 / deltaMajor, 0 for a dot
    double length, inverseLength; // 0 and 0 for a dot
    double half, dash, thin;
    double edge;                      // no pixel whose centre lies farther is touched
    double exactAcross, wideAcross;   // how far from the middle a column's pixels are covered,
    double lowestMajor, highestMajor; // between the ends, and near them

    // The line's middle in the column whose centre is at `major`.
    double middle(double major) const {
        const double t = std::clamp((major - startMajor) * inverseMajor, 0.0, 1.0);
        return startMinor + t * deltaMinor;
    }

    double across(double major) const {
        return major < lowestMajor + edge || major > highestMajor - edge ? wideAcross : exactAcross;
    }

    // The coverage of the pixel whose centre is at (major, minor): by its distance from
    // the line, round at the ends.
    double coverage(double major, double minor) const {
        const double pm = major - startMajor, pn = minor - startMinor;
        const double along = (pm * deltaMajor + pn * deltaMinor) * inverseLength;
        double distance = 0;
        if (along <= 0) {
            distance = std::sqrt(pm * pm + pn * pn);
        } else if (along >= length) {
            const double em = pm - deltaMajor, en = pn - deltaMinor;
            distance = std::sqrt(em * em + en * en);
        } else {
            distance = std::abs(pm * deltaMinor - pn * deltaMajor) * inverseLength;
        }
        const double covered = std::clamp(half + 0.5 - distance, 0.0, thin);
        return dash > 0 && covered > 0 ? covered * dashCoverage(along, dash) : covered;
    }
};

LineShape shapeOf(ScreenPoint from, ScreenPoint to, const Stroke& stroke, bool steep) {
    const auto major = [&](ScreenPoint p) { return steep ? p.y : p.x; };
    const auto minor = [&](ScreenPoint p) { return steep ? p.x : p.y; };
    const double deltaMajor = major(to) - major(from), deltaMinor = minor(to) - minor(from);
    const double length = std::sqrt(deltaMajor * deltaMajor + deltaMinor * deltaMinor);
    const double slope = deltaMajor != 0 ? deltaMinor / deltaMajor : 0;
    const double edge = stroke.width / 2 + 0.5;
    return {major(from),
            minor(from),
            deltaMajor,
            deltaMinor,
            deltaMajor != 0 ? 1 / deltaMajor : 0,
            length,
            length > 0 ? 1 / length : 0,
            stroke.width / 2,
            stroke.dash,
            std::min(stroke.width, 1.0),
            edge,
            edge * std::sqrt(1 + slope * slope),
            edge * (1 + std::abs(slope)),
            std::min(major(from), major(to)),
            std::max(major(from), major(to))};
}

} // namespace

Raster::Raster(int width, int height, Colour background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, packed(background)) {}

Colour Raster::at(int x, int y) const {
    const std::uint32_t pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
            static_cast<std::uint8_t>(pixel)};
}

void Raster::blend(std::uint32_t& pixel, Colour colour, double coverage) {
    const auto weight = static_cast<std::uint32_t>(coverage * 256);
    const auto mix = [&](int shift, std::uint8_t value) {
        const std::uint32_t old = pixel >> shift & 0xFF;
        return ((old * (256 - weight) + value * weight) >> 8) << shift;
    };
    pixel = mix(16, colour.red) | mix(8, colour.green) | mix(0, colour.blue);
}

void Raster::line(ScreenPoint from, ScreenPoint to, const Stroke& stroke) {
    if (!isFinite(from) || !isFinite(to) || !(stroke.width > 0))
        return;
    const double edge = stroke.width / 2 + 0.5;
    const std::optional<Span> span =
        partInside(from, to, {-edge, -edge}, {width_ + edge, height_ + edge});
    if (!span)
        return;
    const bool steep = std::abs(to.y - from.y) > std::abs(to.x - from.x);
    const LineShape shape = shapeOf(from, to, stroke, steep);
    const double first = shape.startMajor + span->enter * shape.deltaMajor;
    const double last = shape.startMajor + span->leave * shape.deltaMajor;
    const int majorSize = steep ? height_ : width_, minorSize = steep ? width_ : height_;
    const int lowMajor =
        std::max(static_cast<int>(std::ceil(std::min(first, last) - edge - 0.5)), 0);
    const int highMajor =
        std::min(static_cast<int>(std::floor(std::max(first, last) + edge - 0.5)), majorSize - 1);
    for (int m = lowMajor; m <= highMajor; ++m) {
        const double centre = m + 0.5, middle = shape.middle(centre), across = shape.across(centre);
        const int lowMinor = std::max(static_cast<int>(std::ceil(middle - across - 0.5)), 0);
        const int highMinor =
            std::min(static_cast<int>(std::floor(middle + across - 0.5)), minorSize - 1);
        for (int n = lowMinor; n <= highMinor; ++n) {
            const double covered = shape.coverage(centre, n + 0.5);
            if (covered > 0)
                blend(steep ? pixelAt(n, m) : pixelAt(m, n), stroke.colour, covered);
        }
    }
}

void Raster::ring(ScreenPoint centre, double radius, const Stroke& stroke) {
    if (!isFinite(centre) || !(stroke.width > 0))
        return;
    const double outer = radius + stroke.width / 2 + 0.5;
    const int left = std::max(static_cast<int>(std::floor(centre.x - outer)), 0);
    const int right = std::min(static_cast<int>(std::ceil(centre.x + outer)), width_ - 1);
    const int top = std::max(static_cast<int>(std::floor(centre.y - outer)), 0);
    const int bottom = std::min(static_cast<int>(std::ceil(centre.y + outer)), height_ - 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const double dx = x + 0.5 - centre.x, dy = y + 0.5 - centre.y;
            const double distance = std::abs(std::sqrt(dx * dx + dy * dy) - radius);
            const double covered =
                std::clamp(stroke.width / 2 + 0.5 - distance, 0.0, std::min(stroke.width, 1.0));
            if (covered > 0)
                blend(pixelAt(x, y), stroke.colour, covered);
        }
}

void Raster::dot(ScreenPoint centre, double diameter, Colour colour) {
    line(centre, centre, {colour, diameter, 0});
}

void Raster::fill(ScreenPoint corner, ScreenPoint opposite, Colour colour) {
    if (!isFinite(corner) || !isFinite(opposite))
        return;
    const auto clampedX = [&](double x) {
        return static_cast<int>(std::clamp(x, 0.0, 1.0 * width_));
    };
    const auto clampedY = [&](double y) {
        return static_cast<int>(std::clamp(y, 0.0, 1.0 * height_));
    };
    const int left = clampedX(std::min(corner.x, opposite.x));
    const int right = clampedX(std::max(corner.x, opposite.x));
    const int top = clampedY(std::min(corner.y, opposite.y));
    const int bottom = clampedY(std::max(corner.y, opposite.y));
    for (int y = top; y < bottom; ++y)
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left, right - left,
                    packed(colour));
}

} // namespace ombrix
