// Charts' picture of a solved case: its title naming the file and the case and how the
// case ended, then the load-displacement path of a node, the members' axial forces as bars,
// or both, one above the other.
#pragma once

#include "force_chart.h"
#include "path_chart.h"
#include "view_files.h"

#include <string>

namespace ombrix {

enum class ChartLayout { Both, Path, Forces };

struct ChartOptions {
    ChartLayout layout = ChartLayout::Both;
    std::size_t node = 0; // into the model's nodes
    Component component = Component::Z;
    double pixel = 1; // pixels to a point of a 96 dpi screen
};

struct CaseCharts {
    std::string heading;  // the model's
    std::string fileName; // the geometry file's
    std::size_t nodes = 0;
    CasePath path;
    std::vector<double> axialForces; // per member, in the state the case ended in
};

// The case's path and results, each refused with FileRefused as view_files.h says.
CaseCharts readCaseCharts(const Storage& storage, const SolvedAnalysis& solved, int caseNumber);

// The options a case opens with: the node that moved farthest, and the component of its
// displacement that changes most.
ChartOptions firstOptions(const CasePath& path, ChartLayout layout, double pixel);

void drawCharts(Raster& raster, TextPainter& painter, const CaseCharts& charts,
                const ChartOptions& options);

} // namespace ombrix
