// Members coloured by their axial forces on the diverging colour map, a slack cable dashed,
// and the legend that reads the colours in the model's units: what Plotter shows of the
// initial forces and PlotterD of a solved case's.
#pragma once

#include "colour_map.h"
#include "structure_drawing.h"
#include "view.h"

#include <string>
#include <vector>

namespace ombrix {

class MemberForces {
  public:
    MemberForces(const Model& model, std::vector<double> forces); // one per member

    const std::vector<double>& forces() const { return forces_; }
    const ForceScale& scale() const { return scale_; }
    bool anySlack() const;
    // Its colour, dashed for a slack cable (one that carries no force).
    Stroke strokeOf(std::size_t member, double width) const;
    Colour numberColour(std::size_t member) const;

  private:
    std::vector<double> forces_;
    ForceScale scale_;
    std::vector<Colour> colours_;
    std::vector<bool> slack_;
};

// The legend below `top`, at the picture's right: the caption, and a bar from the largest
// tension through zero to the largest compression, each side on its own scale, with its
// ticks. Returns where below it the picture is free again.
double drawForceLegend(Raster& raster, TextPainter& painter, const ForceScale& scale,
                       const std::string& caption, double top, double pixel);

// The key's lines for the slack cables and the supports, of those the model has.
std::vector<KeyEntry> slackAndSupportKey(const Model& model, const MemberForces& forces,
                                         double pixel);

// What Plotter and PlotterD write over the structure alike: the numbers asked for, the
// title, the key with the legend below it, and the axes.
struct ForceAnnotations {
    std::vector<std::string> title;
    std::vector<KeyEntry> key;
    std::string legendCaption;
    std::vector<Label> labels; // placed before the numbers, where they have room
};
void annotate(Raster& raster, TextPainter& painter, const Projection& projection,
              const std::vector<ScreenPoint>& nodes, const Model& model, const MemberForces& forces,
              const ForceAnnotations& annotations, const ViewOptions& options);

} // namespace ombrix
