#include "annotation.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ombrix {
Box boxOf(const Label& label, const TextPainter& painter) {
    const ScreenPoint size = painter.extent(label.text);
    ScreenPoint corner = label.at;
    switch (label.anchor) {
    case Anchor::TopLeft: break;
    case Anchor::TopRight: corner.x -= size.x; break;
    case Anchor::BottomLeft: corner.y -= size.y; break;
    case Anchor::Centre: corner = {corner.x - size.x / 2, corner.y - size.y / 2}; break;
    }
    return {corner, {corner.x + size.x, corner.y + size.y}};
}

LabelSpace::LabelSpace(int width, int height)
    : columns_((std::max(width, 0) + cell - 1) / cell),
      rows_((std::max(height, 0) + cell - 1) / cell),
      taken_(static_cast<std::size_t>(columns_) * rows_) {}

template <typename Fill> bool LabelSpace::forCells(const Box& box, Fill fill) {
    if (!(box.topLeft.x >= 0 && box.topLeft.y >= 0 && box.bottomRight.x <= columns_ * cell &&
          box.bottomRight.y <= rows_ * cell))
        return false;
    const int left = static_cast<int>(box.topLeft.x) / cell;
    const int top = static_cast<int>(box.topLeft.y) / cell;
    const int right = std::min(static_cast<int>(std::ceil(box.bottomRight.x)) / cell, columns_ - 1);
    const int bottom = std::min(static_cast<int>(std::ceil(box.bottomRight.y)) / cell, rows_ - 1);
    for (int row = top; row <= bottom; ++row) {
        const auto first = taken_.begin() + static_cast<std::ptrdiff_t>(row) * columns_;
        if (!fill(first + left, first + right + 1))
            return false;
    }
    return true;
}

bool LabelSpace::claim(const Box& box) {
    using Cell = std::vector<bool>::iterator;
    const auto free = [](Cell from, Cell to) {
        return std::none_of(from, to, [](bool taken) { return taken; });
    };
    if (!forCells(box, free))
        return false;
    take(box);
    return true;
}

void LabelSpace::take(const Box& box) {
    using Cell = std::vector<bool>::iterator;
    forCells(box, [](Cell from, Cell to) {
        std::fill(from, to, true);
        return true;
    });
}

double drawLines(TextPainter& painter, ScreenPoint at, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        painter.paint({at, line, ink, Anchor::TopLeft});
        at.y += painter.extent(line).y;
    }
    return at.y;
}

// The line in pieces no wider than the width, each as many of its words as fit (a word
// wider than that alone).
std::vector<std::string> wrapped(const TextPainter& painter, const std::string& line,
                                 double width) {
    std::vector<std::string> pieces;
    std::size_t start = 0, fits = std::string::npos; // of the piece, and the end of what fits
    for (std::size_t blank = line.find(' ');; blank = line.find(' ', blank + 1)) {
        const std::size_t end = std::min(blank, line.size());
        if (fits != std::string::npos &&
            painter.extent(line.substr(start, end - start)).x > width) {
            pieces.push_back(line.substr(start, fits - start));
            start = fits + 1;
        }
        fits = end;
        if (blank == std::string::npos)
            break;
    }
    pieces.push_back(line.substr(start));
    return pieces;
}

void drawTitle(TextPainter& painter, const std::vector<std::string>& lines, double pixel,
               double right) {
    const ScreenPoint corner{10 * pixel, 8 * pixel};
    std::vector<std::string> shown;
    for (const std::string& line : lines)
        for (std::string& piece : wrapped(painter, line, right - 10 * pixel - corner.x))
            shown.push_back(std::move(piece));
    drawLines(painter, corner, shown);
}

KeyPlace drawKey(Raster& raster, TextPainter& painter, const std::vector<KeyEntry>& entries,
                 double pixel) {
    const double sample = 24 * pixel, gap = 6 * pixel;
    double widest = 0;
    for (const KeyEntry& entry : entries)
        widest = std::max(widest, painter.extent(entry.text).x);
    const double left = raster.width() - 10 * pixel - widest - gap - sample;
    double top = 8 * pixel;
    for (const KeyEntry& entry : entries) {
        const double height = painter.extent(entry.text).y;
        raster.line({left, top + height / 2}, {left + sample, top + height / 2}, entry.stroke);
        painter.paint({{left + sample + gap, top}, entry.text, ink, Anchor::TopLeft});
        top += height;
    }
    return {left, top};
}

void drawAxes(Raster& raster, TextPainter& painter, const Projection& projection, double pixel) {
    const double length = 28 * pixel;
    const ScreenPoint origin{18 * pixel + length, raster.height() - 18 * pixel - length};
    constexpr std::array<const char*, 3> names{"x", "y", "z"};
    for (int axis = 0; axis < 3; ++axis) {
        Point unit{};
        unit[axis] = 1;
        const ScreenPoint image = projection.along(unit);
        if (std::hypot(image.x, image.y) < 0.3) { // towards the viewer or away
            raster.line(origin, origin, {ink, 4 * pixel});
            painter.paint(
                {{origin.x - 4 * pixel, origin.y + 4 * pixel}, names[axis], ink, Anchor::TopRight});
            continue;
        }
        const ScreenPoint end{origin.x + image.x * length, origin.y + image.y * length};
        raster.line(origin, end, {ink, 1.2 * pixel});
        const ScreenPoint beyond{end.x + image.x * 10 * pixel, end.y + image.y * 10 * pixel};
        painter.paint({beyond, names[axis], ink, Anchor::Centre});
    }
}

} // namespace ombrix
