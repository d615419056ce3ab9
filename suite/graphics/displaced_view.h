// PlotterD's picture of a solved case: the structure displaced, its members coloured by
// their axial forces and a slack cable dashed, over the geometry given in grey. The
// displacements are drawn enlarged so that the largest shows clearly, or at their true
// size, which a cable net's large displacements need; the reactions as arrows on request.
#pragma once

#include "force_drawing.h"
#include "peaks.h"

#include <array>

namespace ombrix {

inline constexpr Colour givenGeometryColour{205, 205, 205};
inline constexpr Colour reactionColour{150, 30, 150};

class DisplacedView : public View {
  public:
    DisplacedView(Model model, const CaseResults& results);

    const std::vector<Point>& extent(const ViewOptions& options) const override;
    void draw(Raster& raster, TextPainter& painter, const Camera& camera,
              const ViewOptions& options) const override;
    bool showsResults() const override { return true; }

  private:
    // The displaced structure at one scale of the displacements.
    struct Displaced {
        double factor = 1;
        std::vector<Point> positions;
        std::vector<Point> extent; // the given and the displaced positions
    };
    const Displaced& displacedAt(const ViewOptions& options) const;
    void drawReactions(Raster& raster, const Projection& projection,
                       const std::vector<ScreenPoint>& nodes, std::vector<Label>& labels,
                       double pixel) const;
    ForceAnnotations annotations(const ViewOptions& options) const;

    Model model_;
    std::vector<Point> given_;
    std::vector<Point> reactions_;
    MemberForces forces_;
    CasePeaks peaks_;
    std::array<Displaced, 2> displaced_; // enlarged, and at true size
};

// The factor that draws the largest displacement about a tenth of the structure's size:
// 1, 2 or 5 times a power of ten, and never less than 1, the true size.
double automaticScale(const std::vector<Point>& positions, double largestDisplacement);

} // namespace ombrix
