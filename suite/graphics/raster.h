// A picture in memory, drawn with antialiased lines: the structure's members, supports and
// axes. Neither GDI+ nor Direct2D antialiases lines under Wine, and both take seconds for
// the tens of thousands of members of a large net; these lines take milliseconds.
// Pixels are 0x00RRGGBB in rows from the top, as Windows' 32-bit bitmaps hold them.
#pragma once

#include "camera.h"

#include <cstdint>
#include <vector>

namespace ombrix {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Colour&, const Colour&) = default;
};

struct Stroke {
    Colour colour;
    double width = 1; // pixels
    double dash = 0;  // length of each dash and of each gap, pixels; 0 for a solid line
};

class Raster {
  public:
    Raster(int width, int height, Colour background);

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t* pixels() { return pixels_.data(); }
    const std::uint32_t* pixels() const { return pixels_.data(); }
    Colour at(int x, int y) const;

    // A straight line with round ends; parts outside the picture are left out, and so is
    // a line with an end that is not a finite point.
    void line(ScreenPoint from, ScreenPoint to, const Stroke& stroke);
    void ring(ScreenPoint centre, double radius, const Stroke& stroke);
    void dot(ScreenPoint centre, double diameter, Colour colour);
    void fill(ScreenPoint corner, ScreenPoint opposite, Colour colour);

  private:
    std::uint32_t& pixelAt(int x, int y) {
        return pixels_[static_cast<std::size_t>(y) * width_ + x];
    }
    static void blend(std::uint32_t& pixel, Colour colour, double coverage);

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

} // namespace ombrix
