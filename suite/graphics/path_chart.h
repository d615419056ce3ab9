// The load-displacement path of a node: the load factor, upwards, against a component of
// the node's displacement or its length, from the unloaded state through each state the
// solver accepted. A snap-through or a departure from the path at a bifurcation is dashed,
// the critical point before it marked with its load factor, and so is the critical point
// where a case that did not converge stopped.
#pragma once

#include "chart_plot.h"
#include "path_file.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ombrix {

inline constexpr Colour pathColour{20, 120, 70};
inline constexpr Colour criticalColour{215, 95, 0};
inline constexpr Colour stopColour{200, 20, 20};

enum class Component { X, Y, Z, Length };

std::string componentName(Component component); // "ux", "uy", "uz", "|u|"

struct PathPoint {
    double displacement = 0;
    double loadFactor = 0;
    CriticalPoint passed = CriticalPoint::None; // on the way from the point before
};

// The node's path (an index into the model's nodes): where it starts, then each state.
std::vector<PathPoint> nodePath(const CasePath& path, std::size_t node, Component component);

// The node that moved farthest in the last state (the first node when none moved).
std::size_t nodeOfLargestDisplacement(const CasePath& path);

// The component of the node's displacement that changes most along the path.
Component componentOfLargestChange(const CasePath& path, std::size_t node);

// A critical point on the path: the point where the path reached it, and where from it the
// structure came to rest again, which may take it more than one state at the same load.
struct CriticalMark {
    std::size_t point = 0;  // into a node's path
    std::size_t landed = 0; // likewise; the point itself where the case stopped
    CriticalPoint kind = CriticalPoint::LimitPoint;
    bool stopped = false; // the case did not converge beyond it
};
std::vector<CriticalMark> criticalMarks(const CasePath& path);

// The chart in a panel of the picture, its caption naming the node and the component.
void drawPathChart(Raster& raster, TextPainter& painter, const Box& panel, const CasePath& path,
                   std::size_t node, Component component, double pixel);

} // namespace ombrix
