// The commands of the graph programs' menus, by the ids that WM_COMMAND carries: shared
// by the windows and their tests.
#pragma once

namespace ombrix {

enum ViewerCommand : unsigned {
    SavePicture = 101,
    Close,
    Fit,
    TopView,
    FrontView,
    SideView,
    IsometricView,
    NodeNumbers,
    MemberNumbers,
    Reactions,
    TrueScale,
    NextCase,
    PreviousCase,
    ExportCase,
    FirstCase = 200,  // PlotterD: the solved cases, in their order, from here on
    BothCharts = 401, // Charts
    PathChart,
    ForceChart,
    NextChart,
    ChooseNode,
    NextNode,
    PreviousNode,
    FarthestNode,
    ComponentX,
    ComponentY,
    ComponentZ,
    DisplacementLength,
};

} // namespace ombrix
