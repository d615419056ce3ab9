// What a picture says besides the structure: texts, a key, the axes. The texts are drawn
// by the system (GDI+ on Windows) through a TextPainter, onto the same raster.
#pragma once

#include "raster.h"

#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

inline constexpr Colour paper{255, 255, 255};
inline constexpr Colour ink{40, 40, 40};

// Which point of the text's box lies at the label's point.
enum class Anchor { TopLeft, TopRight, BottomLeft, Centre };

struct Label {
    ScreenPoint at;
    std::string text;
    Colour colour;
    Anchor anchor = Anchor::TopLeft;
};

class TextPainter {
  public:
    virtual ~TextPainter() = default;
    virtual ScreenPoint extent(std::string_view text) const = 0; // width and height, pixels
    virtual void paint(const Label& label) = 0;
};

struct Box {
    ScreenPoint topLeft;
    ScreenPoint bottomRight;
};

Box boxOf(const Label& label, const TextPainter& painter);

// The picture's room for labels: each label takes its box, and a label whose box is not
// wholly free and inside the picture is left out, so that the labels shown can be read.
class LabelSpace {
  public:
    LabelSpace(int width, int height);
    bool claim(const Box& box); // true when the box was free, and now is taken
    void take(const Box& box);  // free or not: what is drawn there must stay seen

  private:
    // Calls fill for the rows of cells the box covers, with their first and last column:
    // false when the box is not wholly inside the picture.
    template <typename Fill> bool forCells(const Box& box, Fill fill);

    static constexpr int cell = 4; // pixels
    int columns_;
    int rows_;
    std::vector<bool> taken_;
};

// A line of the key: a short line drawn with the stroke, and what it stands for.
struct KeyEntry {
    Stroke stroke;
    std::string text;
};

// Lines of text one below the other from a top left corner; returns where a next line
// would go.
double drawLines(TextPainter& painter, ScreenPoint at, const std::vector<std::string>& lines);

// Lines of text from the top left corner, the first the picture's title, each broken
// between words where it would run on to `right`, where the key stands.
void drawTitle(TextPainter& painter, const std::vector<std::string>& lines, double pixel,
               double right);

// The key in the top right corner: its left edge, and where below it the picture is free
// again.
struct KeyPlace {
    double left = 0;
    double bottom = 0;
};
KeyPlace drawKey(Raster& raster, TextPainter& painter, const std::vector<KeyEntry>& entries,
                 double pixel);

// The model's x, y and z axes as they are seen, in the bottom left corner.
void drawAxes(Raster& raster, TextPainter& painter, const Projection& projection, double pixel);

} // namespace ombrix
