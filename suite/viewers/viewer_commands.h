// The commands of the graph programs' menus, by the ids that WM_COMMAND carries: shared
// by the window and its tests.
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
};

} // namespace ombrix
