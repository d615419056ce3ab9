// The graph programs' drawing through GDI+: texts on a raster's own pixels, antialiased
// under Windows and Wine alike, and the raster saved as a PNG file. (Direct2D under Wine 8
// draws no text on a bitmap, does not antialias and takes seconds to start; GDI+ does not
// antialias lines under Wine either, which the raster's own lines do.)
#pragma once

#include "view.h"

#include <functional>
#include <memory>
#include <string>

namespace ombrix {

// GDI+ from construction to destruction: one for the program's life.
class GdiplusSession {
  public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    // Whether an installed font can show the texts; when none can, none are drawn.
    bool canShowTexts() const;

  private:
    unsigned long long token_ = 0;
};

class GdiplusPainter : public TextPainter {
  public:
    GdiplusPainter(Raster& raster, double pixel);
    ~GdiplusPainter() override;
    GdiplusPainter(const GdiplusPainter&) = delete;
    GdiplusPainter& operator=(const GdiplusPainter&) = delete;

    ScreenPoint extent(std::string_view text) const override;
    void paint(const Label& label) override;

  private:
    struct Resources;
    std::unique_ptr<Resources> resources_;
    double digitWidth_ = 0; // numbers are measured by their digits: labels are many
    double lineHeight_ = 0;
};

// The picture cleared, and `draw` drawing on it with its texts through GDI+.
void drawAnew(Raster& picture, double pixel, const std::function<void(TextPainter&)>& draw);

// The picture cleared and the view drawn on it with the camera.
void drawAnew(Raster& picture, const View& view, const Camera& camera, const ViewOptions& options);

// False when the file cannot be written.
bool savePng(const Raster& raster, const std::string& path);

} // namespace ombrix
