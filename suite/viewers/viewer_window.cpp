#include "viewer_window.h"

#include "case_export.h"
#include "gdiplus_painter.h"
#include "picture_menus.h"
#include "program_window.h"
#include "viewer_commands.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace ombrix {
namespace {

constexpr double orbitStep = std::numbers::pi / 36; // an arrow key: 5 degrees
constexpr double orbitPerPixel = 0.01;              // dragged with the mouse, radians
constexpr double zoomStep = 1.25;                   // a notch of the wheel, + and -

struct Viewer {
    OpenView opened;
    std::string title;         // the program's
    std::size_t shownCase = 0; // of opened.cases
    Camera camera;
    ViewOptions options;
    bool placed = false; // the camera fitted to the window
    enum class Drag { None, Orbit, Pan } drag = Drag::None;
    POINT last{};
    std::optional<Raster> picture; // as last shown; its memory serves the next frame
};

Viewport viewportOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {static_cast<double>(client.right), static_cast<double>(client.bottom)};
}

void redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

const Raster& drawnPicture(HWND window, Viewer& viewer) {
    Raster& picture = pictureSized(window, viewer.picture);
    drawAnew(picture, *viewer.opened.view, viewer.camera, viewer.options);
    return picture;
}

// " case 2" when the window shows one of several cases.
std::string caseSuffix(const Viewer& viewer) {
    return viewer.opened.cases.empty()
               ? std::string()
               : " case " + std::to_string(viewer.opened.cases[viewer.shownCase].number);
}

std::string windowTitle(const Viewer& viewer) {
    return viewer.title + " - " + viewer.opened.name + caseSuffix(viewer);
}

std::string pictureName(const Viewer& viewer) {
    const std::string& name = viewer.opened.name;
    return name.substr(0, name.rfind('.')) + caseSuffix(viewer) + ".png";
}

// The case of the index, when its results can be read; otherwise the case shown stays and
// the user is told why.
void showCase(HWND window, Viewer& viewer, std::size_t index) {
    const std::vector<SolvedCase>& cases = viewer.opened.cases;
    if (index >= cases.size() || index == viewer.shownCase)
        return;
    try {
        viewer.opened.view = viewer.opened.viewOfCase(cases[index].number);
    } catch (const FileRefused& refused) {
        MessageBoxA(window, refused.what(), viewer.title.c_str(), MB_OK | MB_ICONERROR);
        return;
    }
    viewer.shownCase = index;
    checkCase(window, cases.size(), index);
    SetWindowTextA(window, windowTitle(viewer).c_str());
}

void toggle(HWND window, UINT command, bool& option) {
    option = !option;
    CheckMenuItem(GetMenu(window), command, option ? MF_CHECKED : MF_UNCHECKED);
}

void fit(HWND window, Viewer& viewer) {
    viewer.camera =
        fittedTo(*viewer.opened.view, viewer.camera, viewportOf(window), viewer.options);
}

void show(HWND window, Viewer& viewer, StandardView view) {
    viewer.camera = viewed(viewer.camera, view);
    fit(window, viewer);
}

// A command of a solved case's view: its reactions and the scale of its displacements.
void onResultsCommand(HWND window, Viewer& viewer, UINT command) {
    if (!viewer.opened.view->showsResults())
        return;
    if (command == Reactions) {
        toggle(window, command, viewer.options.reactions);
    } else {
        toggle(window, command, viewer.options.trueScale);
        fit(window, viewer);
    }
    redraw(window);
}

void exportShownCase(HWND window, const Viewer& viewer) {
    if (viewer.opened.solved)
        exportCaseAs(window, viewer.title, *viewer.opened.solved,
                     viewer.opened.cases[viewer.shownCase].number);
}

void onCommand(HWND window, Viewer& viewer, UINT command) {
    if (command >= FirstCase && command < FirstCase + viewer.opened.cases.size()) {
        showCase(window, viewer, command - FirstCase);
        redraw(window);
        return;
    }
    switch (command) {
    case SavePicture:
        savePictureAs(window, drawnPicture(window, viewer), pictureName(viewer),
                      viewer.opened.folder, viewer.title);
        return;
    case ExportCase: exportShownCase(window, viewer); return;
    case Close: DestroyWindow(window); return;
    case Fit: fit(window, viewer); break;
    case TopView: show(window, viewer, StandardView::Top); break;
    case FrontView: show(window, viewer, StandardView::Front); break;
    case SideView: show(window, viewer, StandardView::Side); break;
    case IsometricView: show(window, viewer, StandardView::Isometric); break;
    case NodeNumbers: toggle(window, command, viewer.options.nodeNumbers); break;
    case MemberNumbers: toggle(window, command, viewer.options.memberNumbers); break;
    case Reactions:
    case TrueScale: onResultsCommand(window, viewer, command); return;
    case NextCase: showCase(window, viewer, viewer.shownCase + 1); break;
    case PreviousCase: showCase(window, viewer, viewer.shownCase - 1); break;
    default: return;
    }
    redraw(window);
}

void zoomAboutCentre(HWND window, Viewer& viewer, double factor) {
    const Viewport viewport = viewportOf(window);
    viewer.camera =
        zoomed(viewer.camera, factor, {viewport.width / 2, viewport.height / 2}, viewport);
    redraw(window);
}

void orbit(HWND window, Viewer& viewer, double right, double up) {
    viewer.camera = orbited(viewer.camera, right, up);
    redraw(window);
}

// The keys of the menu's commands, and those that turn and zoom.
void onKey(HWND window, Viewer& viewer, WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_LEFT: orbit(window, viewer, -orbitStep, 0); return;
    case VK_RIGHT: orbit(window, viewer, orbitStep, 0); return;
    case VK_UP: orbit(window, viewer, 0, orbitStep); return;
    case VK_DOWN: orbit(window, viewer, 0, -orbitStep); return;
    case VK_ADD:
    case VK_OEM_PLUS: zoomAboutCentre(window, viewer, zoomStep); return;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: zoomAboutCentre(window, viewer, 1 / zoomStep); return;
    case VK_HOME: onCommand(window, viewer, Fit); return;
    case 'T': onCommand(window, viewer, TopView); return;
    case 'F': onCommand(window, viewer, FrontView); return;
    case 'S': onCommand(window, viewer, control ? SavePicture : SideView); return;
    case 'E':
        if (control)
            onCommand(window, viewer, ExportCase);
        return;
    case 'I': onCommand(window, viewer, IsometricView); return;
    case 'N': onCommand(window, viewer, NodeNumbers); return;
    case 'M': onCommand(window, viewer, MemberNumbers); return;
    case 'R': onCommand(window, viewer, Reactions); return;
    case 'D': onCommand(window, viewer, TrueScale); return;
    case VK_NEXT: onCommand(window, viewer, NextCase); return;
    case VK_PRIOR: onCommand(window, viewer, PreviousCase); return;
    default: return;
    }
}

void startDrag(HWND window, Viewer& viewer, Viewer::Drag drag, LPARAM point) {
    viewer.drag = drag;
    viewer.last = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    SetCapture(window);
}

void onMouseMove(HWND window, Viewer& viewer, LPARAM point) {
    const POINT now{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const double dx = now.x - viewer.last.x, dy = now.y - viewer.last.y;
    viewer.last = now;
    if (viewer.drag == Viewer::Drag::Orbit)
        orbit(window, viewer, dx * orbitPerPixel, dy * orbitPerPixel);
    else if (viewer.drag == Viewer::Drag::Pan) {
        viewer.camera = panned(viewer.camera, {dx, dy});
        redraw(window);
    }
}

void onWheel(HWND window, Viewer& viewer, WPARAM wParam, LPARAM lParam) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(window, &at);
    const double notches = GET_WHEEL_DELTA_WPARAM(wParam) / static_cast<double>(WHEEL_DELTA);
    viewer.camera =
        zoomed(viewer.camera, std::pow(zoomStep, notches),
               {static_cast<double>(at.x), static_cast<double>(at.y)}, viewportOf(window));
    redraw(window);
}

void onSize(HWND window, Viewer& viewer) {
    const Viewport viewport = viewportOf(window);
    if (!viewer.placed && viewport.width > 0 && viewport.height > 0) {
        viewer.camera = firstCamera(*viewer.opened.view, viewport, viewer.options);
        viewer.placed = true;
    }
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT handle(HWND window, Viewer& viewer, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: paintWith(window, drawnPicture(window, viewer)); return 0;
    case WM_ERASEBKGND: return 1; // the picture covers the whole window
    case WM_SIZE: onSize(window, viewer); return 0;
    case WM_COMMAND: onCommand(window, viewer, LOWORD(wParam)); return 0;
    case WM_KEYDOWN: onKey(window, viewer, wParam); return 0;
    case WM_LBUTTONDOWN: startDrag(window, viewer, Viewer::Drag::Orbit, lParam); return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: startDrag(window, viewer, Viewer::Drag::Pan, lParam); return 0;
    case WM_MOUSEMOVE: onMouseMove(window, viewer, lParam); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: ReleaseCapture(); return 0;
    case WM_CAPTURECHANGED: viewer.drag = Viewer::Drag::None; return 0;
    case WM_MOUSEWHEEL: onWheel(window, viewer, wParam, lParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void addItem(HMENU menu, UINT command, const char* text, bool checked = false) {
    AppendMenuA(menu, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), command, text);
}

HMENU viewMenu(const Viewer& viewer) {
    HMENU view = CreatePopupMenu();
    addItem(view, Fit, "&Fit in the window\tHome");
    AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
    addItem(view, TopView, "&Top\tT");
    addItem(view, FrontView, "&Front\tF");
    addItem(view, SideView, "&Side\tS");
    addItem(view, IsometricView, "&Isometric\tI");
    AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
    addItem(view, NodeNumbers, "&Node numbers\tN", viewer.options.nodeNumbers);
    addItem(view, MemberNumbers, "&Member numbers\tM", viewer.options.memberNumbers);
    if (viewer.opened.view->showsResults()) {
        AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
        addItem(view, Reactions, "&Reactions\tR", viewer.options.reactions);
        addItem(view, TrueScale, "Displacements at their true si&ze\tD", viewer.options.trueScale);
    }
    return view;
}

HMENU makeMenu(const Viewer& viewer) {
    HMENU bar = CreateMenu();
    addSubmenu(bar, pictureFileMenu(viewer.opened.solved != nullptr), "&File");
    addSubmenu(bar, viewMenu(viewer), "&View");
    if (!viewer.opened.cases.empty())
        addSubmenu(bar, caseMenu(viewer.opened.cases), "&Case");
    return bar;
}

} // namespace

void showViewerWindow(const std::string& title, OpenView opened) {
    Viewer viewer{std::move(opened), title, 0, {}, {}, false, Viewer::Drag::None, {}, {}};
    viewer.options = viewer.opened.options;
    viewer.options.pixel = systemPixel();
    showUntilClosed(createMainWindow(
        registeredClass("OmbrixViewer", windowProcedure<Viewer, handle>), windowTitle(viewer),
        windowSize(viewer.options.pixel), makeMenu(viewer), &viewer));
}

} // namespace ombrix
