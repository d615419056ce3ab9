// The structure on a raster: members, supports and numbers, each from the nodes' places
// on the screen (as given, or displaced).
#pragma once

#include "annotation.h"
#include "model.h"

#include <functional>
#include <string>
#include <vector>

namespace ombrix {

inline constexpr Colour barColour{35, 85, 170};
inline constexpr Colour cableColour{220, 110, 20};
inline constexpr Colour supportColour{20, 140, 60};

// The colour two thirds as bright: a member's number beside its line.
Colour darker(Colour colour);

// Whether a support holds the node in some direction.
bool isHeld(const Node& node);

// "21 nodes, 24 members: 0 bars, 24 cables"
std::string countsLine(const Model& model);

std::vector<Point> positionsOf(const Model& model);
std::vector<ScreenPoint> onScreen(const Projection& projection, const std::vector<Point>& points);

// How wide the members' lines and how long the supports' rods: less where the members are
// short on the screen, so that a dense net still shows its pattern.
struct DrawingSizes {
    double memberWidth = 1; // pixels
    double rod = 20;
};
DrawingSizes sizesFor(const std::vector<ScreenPoint>& nodes, const std::vector<Member>& members,
                      double pixel);

void drawMembers(Raster& raster, const std::vector<ScreenPoint>& nodes,
                 const std::vector<Member>& members,
                 const std::function<Stroke(std::size_t member)>& strokeOf);

// At each restrained direction of a node, a rod on the side of the negative axis with a
// bar across its end; a direction that points at the viewer is a ring round the node.
void drawSupports(Raster& raster, const Projection& projection,
                  const std::vector<ScreenPoint>& nodes, const Model& model, double rod);

// The joints, as dots.
void drawNodes(Raster& raster, const std::vector<ScreenPoint>& nodes, double diameter);

// The label on a clear ground, when it has room with a margin around it.
void placeLabel(Raster& raster, TextPainter& painter, LabelSpace& space, const Label& label,
                double pixel);

// Numbers on a clear ground, where they have room.
void numberNodes(Raster& raster, TextPainter& painter, LabelSpace& space,
                 const std::vector<ScreenPoint>& nodes, double pixel);
void numberMembers(Raster& raster, TextPainter& painter, LabelSpace& space,
                   const std::vector<ScreenPoint>& nodes, const std::vector<Member>& members,
                   const std::function<Colour(std::size_t member)>& colourOf, double pixel);

} // namespace ombrix
