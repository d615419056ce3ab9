// Charts' window: a solved case's load-displacement path of a node and its members' axial
// forces, drawn at the window's size and the system's DPI. The Chart menu (B, P, F, Tab)
// shows both charts or either; the Node menu picks the node by its number (N or a digit
// opens the dialog, the arrow keys step from node to node, Home goes back to the node that
// moved farthest) and the component of its displacement (X, Y, Z, U); the Case menu and
// Page Up / Page Down pick the solved case; Save writes the picture as PNG (Ctrl+S).
#pragma once

#include "charts.h"
#include "view_files.h"

#include <functional>
#include <string>
#include <vector>

namespace ombrix {

struct ChartsWindow {
    std::string title;  // the program's, for its messages
    std::string name;   // the geometry file's
    std::string folder; // where Save offers to put the picture
    std::vector<SolvedCase> cases;
    std::function<CaseCharts(int caseNumber)> chartsOfCase; // throws FileRefused
    CaseCharts first;                                       // of the first case
};

// Shows the window until it is closed.
void showChartsWindow(ChartsWindow contents);

// The picture cleared and the charts drawn on it.
void drawChartsAnew(Raster& picture, const CaseCharts& charts, const ChartOptions& options);

} // namespace ombrix
