#include "charts_window.h"

#include "charts_dialog.h"
#include "gdiplus_painter.h"
#include "picture_menus.h"
#include "program_window.h"
#include "viewer_commands.h"

#include <optional>

namespace ombrix {
namespace {

struct Charts {
    ChartsWindow contents;
    std::size_t shownCase = 0; // of contents.cases
    CaseCharts shown;
    ChartOptions options;
    // Chosen by the user, and then kept from case to case; otherwise each case's own.
    bool nodeChosen = false;
    bool componentChosen = false;
    std::optional<Raster> picture; // as last shown; its memory serves the next frame
};

std::string caseName(const Charts& charts) {
    return "case " + std::to_string(charts.contents.cases[charts.shownCase].number);
}

std::string windowTitle(const Charts& charts) {
    return charts.contents.title + " - " + charts.contents.name + " " + caseName(charts);
}

std::string pictureName(const Charts& charts) {
    const std::string& name = charts.contents.name;
    return name.substr(0, name.rfind('.')) + " " + caseName(charts) + " node " +
           std::to_string(charts.options.node + 1) + ".png";
}

const Raster& drawnPicture(HWND window, Charts& charts) {
    Raster& picture = pictureSized(window, charts.picture);
    drawChartsAnew(picture, charts.shown, charts.options);
    return picture;
}

void checkItems(HWND window, const Charts& charts) {
    HMENU menu = GetMenu(window);
    CheckMenuRadioItem(menu, BothCharts, ForceChart,
                       BothCharts + static_cast<UINT>(charts.options.layout), MF_BYCOMMAND);
    CheckMenuRadioItem(menu, ComponentX, DisplacementLength,
                       ComponentX + static_cast<UINT>(charts.options.component), MF_BYCOMMAND);
}

// The node and the component the case opens with, where the user has not chosen them.
void takeCaseDefaults(Charts& charts) {
    if (!charts.nodeChosen)
        charts.options.node = nodeOfLargestDisplacement(charts.shown.path);
    if (!charts.componentChosen)
        charts.options.component = componentOfLargestChange(charts.shown.path, charts.options.node);
}

// The case of the index, when its files can be read; otherwise the case shown stays and the
// user is told why.
void showCase(HWND window, Charts& charts, std::size_t index) {
    const std::vector<SolvedCase>& cases = charts.contents.cases;
    if (index >= cases.size() || index == charts.shownCase)
        return;
    try {
        charts.shown = charts.contents.chartsOfCase(cases[index].number);
    } catch (const FileRefused& refused) {
        MessageBoxA(window, refused.what(), charts.contents.title.c_str(), MB_OK | MB_ICONERROR);
        return;
    }
    charts.shownCase = index;
    takeCaseDefaults(charts);
    checkCase(window, cases.size(), index);
    SetWindowTextA(window, windowTitle(charts).c_str());
}

void showNode(Charts& charts, std::size_t node) {
    if (node >= charts.shown.nodes)
        return;
    charts.options.node = node;
    charts.nodeChosen = true;
    takeCaseDefaults(charts);
}

void showFarthestNode(Charts& charts) {
    charts.nodeChosen = false;
    takeCaseDefaults(charts);
}

struct NodeQuestion {
    std::size_t nodes = 0;
    std::string typed;    // what the edit box starts with
    std::size_t node = 0; // the answer, from 1
};

// The number in the edit box, when it names a node.
std::optional<std::size_t> nodeTyped(HWND dialog, const NodeQuestion& question) {
    BOOL read = FALSE;
    const UINT number = GetDlgItemInt(dialog, IDC_NODE_NUMBER, &read, FALSE);
    if (!read || number < 1 || number > question.nodes)
        return std::nullopt;
    return number;
}

void onNodeAnswer(HWND dialog, NodeQuestion& question) {
    if (const std::optional<std::size_t> node = nodeTyped(dialog, question)) {
        question.node = *node;
        EndDialog(dialog, IDOK);
        return;
    }
    const std::string message =
        "Give a node number from 1 to " + std::to_string(question.nodes) + ".";
    MessageBoxA(dialog, message.c_str(), "Node", MB_OK | MB_ICONWARNING);
    HWND edit = GetDlgItem(dialog, IDC_NODE_NUMBER);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

void startNodeDialog(HWND dialog, const NodeQuestion& question) {
    const std::string prompt = "Node number, 1 to " + std::to_string(question.nodes) + ":";
    SetDlgItemTextA(dialog, IDC_NODE_PROMPT, prompt.c_str());
    HWND edit = GetDlgItem(dialog, IDC_NODE_NUMBER);
    SetWindowTextA(edit, question.typed.c_str());
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, question.typed.size(),
                 static_cast<LPARAM>(question.typed.size()));
}

INT_PTR CALLBACK nodeDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        startNodeDialog(dialog, *reinterpret_cast<NodeQuestion*>(lParam));
        return FALSE; // the focus is set
    }
    auto* question = reinterpret_cast<NodeQuestion*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message != WM_COMMAND || !question)
        return FALSE;
    if (LOWORD(wParam) == IDOK)
        onNodeAnswer(dialog, *question);
    else if (LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, IDCANCEL);
    return TRUE;
}

// Asks for a node, the edit box starting with what was typed.
void chooseNode(HWND window, Charts& charts, const std::string& typed) {
    NodeQuestion question{charts.shown.nodes, typed, 0};
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_NODE), window, nodeDialog,
                        reinterpret_cast<LPARAM>(&question)) == IDOK)
        showNode(charts, question.node - 1);
}

void showComponent(Charts& charts, Component component) {
    charts.options.component = component;
    charts.componentChosen = true;
}

ChartLayout nextLayout(ChartLayout layout) {
    switch (layout) {
    case ChartLayout::Both: return ChartLayout::Path;
    case ChartLayout::Path: return ChartLayout::Forces;
    case ChartLayout::Forces: break;
    }
    return ChartLayout::Both;
}

// The commands that change what the charts show; false for any other.
bool changeCharts(HWND window, Charts& charts, UINT command) {
    switch (command) {
    case BothCharts: charts.options.layout = ChartLayout::Both; return true;
    case PathChart: charts.options.layout = ChartLayout::Path; return true;
    case ForceChart: charts.options.layout = ChartLayout::Forces; return true;
    case NextChart: charts.options.layout = nextLayout(charts.options.layout); return true;
    case ChooseNode: chooseNode(window, charts, ""); return true;
    case NextNode: showNode(charts, charts.options.node + 1); return true;
    case PreviousNode: showNode(charts, charts.options.node - 1); return true;
    case FarthestNode: showFarthestNode(charts); return true;
    case ComponentX: showComponent(charts, Component::X); return true;
    case ComponentY: showComponent(charts, Component::Y); return true;
    case ComponentZ: showComponent(charts, Component::Z); return true;
    case DisplacementLength: showComponent(charts, Component::Length); return true;
    case NextCase: showCase(window, charts, charts.shownCase + 1); return true;
    case PreviousCase: showCase(window, charts, charts.shownCase - 1); return true;
    default: return false;
    }
}

void refresh(HWND window, const Charts& charts) {
    checkItems(window, charts);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void onCommand(HWND window, Charts& charts, UINT command) {
    if (command >= FirstCase && command < FirstCase + charts.contents.cases.size())
        showCase(window, charts, command - FirstCase);
    else if (command == SavePicture)
        savePictureAs(window, drawnPicture(window, charts), pictureName(charts),
                      charts.contents.folder, charts.contents.title);
    else if (command == Close)
        DestroyWindow(window);
    else if (!changeCharts(window, charts, command))
        return;
    refresh(window, charts);
}

// The command of a key, or 0.
UINT commandOfKey(WPARAM key) {
    switch (key) {
    case VK_TAB: return NextChart;
    case 'B': return BothCharts;
    case 'P': return PathChart;
    case 'F': return ForceChart;
    case 'N': return ChooseNode;
    case VK_RIGHT:
    case VK_UP: return NextNode;
    case VK_LEFT:
    case VK_DOWN: return PreviousNode;
    case VK_HOME: return FarthestNode;
    case 'X': return ComponentX;
    case 'Y': return ComponentY;
    case 'Z': return ComponentZ;
    case 'U': return DisplacementLength;
    case VK_NEXT: return NextCase;
    case VK_PRIOR: return PreviousCase;
    default: return 0;
    }
}

// A digit typed opens the node dialog with it.
std::optional<char> digitOfKey(WPARAM key) {
    if (key >= '0' && key <= '9')
        return static_cast<char>(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return static_cast<char>('0' + (key - VK_NUMPAD0));
    return std::nullopt;
}

void onKey(HWND window, Charts& charts, WPARAM key) {
    if (key == 'S' && GetKeyState(VK_CONTROL) < 0) {
        onCommand(window, charts, SavePicture);
    } else if (const std::optional<char> digit = digitOfKey(key)) {
        chooseNode(window, charts, std::string(1, *digit));
        refresh(window, charts);
    } else if (const UINT command = commandOfKey(key)) {
        onCommand(window, charts, command);
    }
}

LRESULT handle(HWND window, Charts& charts, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: checkItems(window, charts); return 0;
    case WM_PAINT: paintWith(window, drawnPicture(window, charts)); return 0;
    case WM_ERASEBKGND: return 1; // the picture covers the whole window
    case WM_SIZE: InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_COMMAND: onCommand(window, charts, LOWORD(wParam)); return 0;
    case WM_KEYDOWN: onKey(window, charts, wParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void addItem(HMENU menu, UINT command, const char* text) {
    AppendMenuA(menu, MF_STRING, command, text);
}

HMENU chartMenu() {
    HMENU menu = CreatePopupMenu();
    addItem(menu, BothCharts, "&Both charts\tB");
    addItem(menu, PathChart, "Load-displacement &path\tP");
    addItem(menu, ForceChart, "Axial &forces\tF");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    addItem(menu, NextChart, "&Next\tTab");
    return menu;
}

HMENU nodeMenu() {
    HMENU menu = CreatePopupMenu();
    addItem(menu, ChooseNode, "&Choose node...\tN");
    addItem(menu, NextNode, "&Next node\tRight");
    addItem(menu, PreviousNode, "&Previous node\tLeft");
    addItem(menu, FarthestNode, "The node that moved &farthest\tHome");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    addItem(menu, ComponentX, "Displacement u&x\tX");
    addItem(menu, ComponentY, "Displacement u&y\tY");
    addItem(menu, ComponentZ, "Displacement u&z\tZ");
    addItem(menu, DisplacementLength, "Length of the displacement |&u|\tU");
    return menu;
}

HMENU makeMenu(const Charts& charts) {
    HMENU bar = CreateMenu();
    addSubmenu(bar, pictureFileMenu(), "&File");
    addSubmenu(bar, chartMenu(), "C&hart");
    addSubmenu(bar, nodeMenu(), "&Node");
    addSubmenu(bar, caseMenu(charts.contents.cases), "&Case");
    return bar;
}

} // namespace

void drawChartsAnew(Raster& picture, const CaseCharts& charts, const ChartOptions& options) {
    drawAnew(picture, options.pixel,
             [&](TextPainter& painter) { drawCharts(picture, painter, charts, options); });
}

void showChartsWindow(ChartsWindow contents) {
    Charts charts{std::move(contents), 0, {}, {}, false, false, {}};
    charts.shown = charts.contents.first;
    charts.options = firstOptions(charts.shown.path, ChartLayout::Both, systemPixel());
    showUntilClosed(createMainWindow(
        registeredClass("OmbrixCharts", windowProcedure<Charts, handle>), windowTitle(charts),
        windowSize(charts.options.pixel), makeMenu(charts), &charts));
}

} // namespace ombrix
