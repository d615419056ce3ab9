// Make_ForceFile (INCARC File): the load cases of a structure as rows, each a load put on
// every free node, on the nodes inside a box or on listed nodes, saved as a loading file
// that Forces reads.
//   Make_ForceFile <TAB>          started by the shell, in the installation's Exe folder

#include "checked_files.h"
#include "creator_controls.h"
#include "file_dialogs.h"
#include "form_window.h"
#include "messages.h"
#include "numbers.h"
#include "typed_values.h"
#include "view_files.h"
#include "viewer_arguments.h"
#include "win32_storage.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace ombrix {
namespace {

constexpr LONG formWidth = 600; // points; the preview takes the rest of the window

const char* const loadedNodesNames[] = {"every free node", "the nodes inside a box",
                                        "the nodes listed"};

// What a loading file is saved from.
struct Work {
    std::string geometryFile, heading;
    bool caseZero = false;
    std::vector<CaseTexts> rows;
    bool operator==(const Work&) const = default;
};

struct ForceMaker {
    std::string title = titleOf("Make_ForceFile");
    std::string geometryFile;
    std::optional<Model> model;
    std::vector<CaseTexts> rows;
    std::optional<Work> saved; // the work last saved
};

HWND item(HWND window, int id) {
    return GetDlgItem(window, id);
}

bool startsWithCaseZero(HWND window) {
    return SendMessageA(item(window, CaseZeroBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Work workOf(HWND window, const ForceMaker& maker) {
    return {maker.geometryFile, textOf(item(window, HeadingField)), startsWithCaseZero(window),
            maker.rows};
}

// Before the first save, only rows are work to lose.
bool hasUnsavedWork(HWND window, const ForceMaker& maker) {
    const Work work = workOf(window, maker);
    return maker.saved ? work != *maker.saved : !work.rows.empty();
}

int caseNumberOf(HWND window, std::size_t row) {
    return static_cast<int>(row) + (startsWithCaseZero(window) ? 0 : 1);
}

void showRows(HWND window, const ForceMaker& maker) {
    HWND table = item(window, CaseTable);
    SendMessageA(table, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t k = 0; k < maker.rows.size(); ++k) {
        const CaseTexts& row = maker.rows[k];
        const int at = static_cast<int>(k);
        setListCell(table, at, 0, std::to_string(caseNumberOf(window, k)));
        setListCell(table, at, 1, loadedNodesNames[static_cast<int>(row.nodes)]);
        setListCell(table, at, 2, row.force);
        setListCell(table, at, 3, row.nodes == LoadedNodes::everyFreeNode ? "" : row.where);
        setListCell(table, at, 4, row.steps.empty() ? "solver's choice" : row.steps);
    }
}

std::string caseName(HWND window, std::size_t row) {
    return "case " + std::to_string(caseNumberOf(window, row));
}

CaseTexts editedRow(HWND window) {
    return {static_cast<LoadedNodes>(chosenIndex(item(window, LoadedNodesList))),
            textOf(item(window, ForceField)), textOf(item(window, WhereField)),
            textOf(item(window, StepsField))};
}

void showInEditor(HWND window, const CaseTexts& row) {
    SendMessageA(item(window, LoadedNodesList), CB_SETCURSEL, static_cast<WPARAM>(row.nodes), 0);
    SetWindowTextA(item(window, ForceField), row.force.c_str());
    SetWindowTextA(item(window, WhereField), row.where.c_str());
    SetWindowTextA(item(window, StepsField), row.steps.c_str());
}

// The row as edited, when it can be read; otherwise the user is told what is wrong.
std::optional<CaseTexts> checkedRow(HWND window, const ForceMaker& maker, std::size_t at) {
    const CaseTexts row = editedRow(window);
    try {
        caseRowTyped(row, caseName(window, at));
        return row;
    } catch (const Refused& refused) {
        tellProblem(window, maker.title, refused.what());
        return std::nullopt;
    }
}

// A row added, replaced or removed; a row the user must mend stays in the editor as typed.
void onRowCommand(HWND window, ForceMaker& maker, int id) {
    const int selected = selectedListRow(item(window, CaseTable));
    if (id != AddButton && selected < 0)
        return;
    const auto at = static_cast<std::size_t>(id == AddButton ? maker.rows.size() : selected);
    if (id == RemoveButton) {
        maker.rows.erase(maker.rows.begin() + selected);
    } else if (const auto row = checkedRow(window, maker, at)) {
        (id == AddButton ? maker.rows.emplace_back() : maker.rows[at]) = *row;
    } else {
        return;
    }
    showRows(window, maker);
    selectListRow(item(window, CaseTable),
                  std::min(static_cast<int>(at), static_cast<int>(maker.rows.size()) - 1));
}

void showStructure(HWND window, const ForceMaker& maker) {
    const Model& model = *maker.model;
    long long free = 0;
    for (const Node& node : model.nodes)
        free += node.restrained[0] && node.restrained[1] && node.restrained[2] ? 0 : 1;
    SetWindowTextA(item(window, GeometryName), maker.geometryFile.c_str());
    SetDlgItemTextA(window, StatusText,
                    (model.heading + ": " +
                     showInteger(static_cast<long long>(model.nodes.size())) + " nodes, " +
                     showInteger(free) + " of them free, " +
                     showInteger(static_cast<long long>(model.members.size())) + " members")
                        .c_str());
    if (textOf(item(window, HeadingField)).empty())
        SetWindowTextA(item(window, HeadingField), ("Loads on " + model.heading).c_str());
    const RECT area = previewArea(window, formWidth);
    InvalidateRect(window, &area, FALSE);
}

void openGeometry(HWND window, ForceMaker& maker) {
    const auto name = askOpenName(window, "Geometry file (*.dat)\0*.dat\0All files\0*.*\0");
    if (!name)
        return;
    try {
        maker.model = readModelFile(Win32Storage(), *name);
        maker.geometryFile = *name;
    } catch (const FileRefused& refused) {
        tellProblem(window, maker.title, refused.what());
        return;
    }
    showStructure(window, maker);
}

LoadingPlan planTyped(HWND window, const ForceMaker& maker) {
    LoadingPlan plan{textOf(item(window, HeadingField)), std::nullopt, {}};
    for (std::size_t k = 0; k < maker.rows.size(); ++k) {
        const CaseRow row = caseRowTyped(maker.rows[k], caseName(window, k));
        if (k == 0 && startsWithCaseZero(window))
            plan.caseZero = row;
        else
            plan.cases.push_back(row);
    }
    return plan;
}

std::string suggestedName(const std::string& geometryFile) {
    const std::string name = fileNameOf(geometryFile);
    return name.substr(0, name.rfind('.')) + ".inc";
}

bool save(HWND window, ForceMaker& maker) {
    if (!maker.model) {
        refuseSaving(window, maker.title, "Open the geometry file of the structure to load first.");
        return false;
    }
    std::string text;
    try {
        text = loadingFileText(makeLoading(*maker.model, planTyped(window, maker)), *maker.model);
    } catch (const Refused& refused) {
        refuseSaving(window, maker.title, refused.what());
        return false;
    }
    if (!saveAsked(window, maker.title, "Loading file (*.inc)\0*.inc\0", "inc",
                   suggestedName(maker.geometryFile), text))
        return false;
    maker.saved = workOf(window, maker);
    return true;
}

void close(HWND window, ForceMaker& maker) {
    if (mayClose(window, maker.title, hasUnsavedWork(window, maker),
                 [&] { return save(window, maker); }))
        DestroyWindow(window);
}

void addRowEditor(HWND window) {
    addLabel(window, "Load on", {12, 334, 100, 20});
    HWND loadedNodes = addDropDown(window, {116, 330, 200, 23}, LoadedNodesList);
    for (const char* name : loadedNodesNames)
        addChoice(loadedNodes, name);
    addLabel(window, "Force Fx Fy Fz", {12, 364, 100, 20});
    addEdit(window, "0 0 -1", {116, 360, 200, 23}, ForceField);
    addLabel(window, "Box or nodes", {12, 394, 100, 20});
    addEdit(window, "", {116, 390, 468, 23}, WhereField);
    addLabel(window, "a box: x y z of two opposite corners; nodes: their numbers",
             {116, 416, 468, 20});
    addLabel(window, "Load steps", {12, 444, 100, 20});
    addEdit(window, "", {116, 440, 80, 23}, StepsField);
    addLabel(window, "empty: the solver chooses", {204, 444, 300, 20});
    addButton(window, "&Add", {116, 474, 90, 28}, AddButton);
    addButton(window, "&Replace", {212, 474, 90, 28}, ReplaceButton);
    addButton(window, "Re&move", {308, 474, 90, 28}, RemoveButton);
    showInEditor(window, {LoadedNodes::everyFreeNode, "0 0 -1", "", ""});
}

void onCreate(HWND window) {
    addLabel(window, "Geometry file", {12, 16, 100, 20});
    addControl(window, "EDIT", "", ES_AUTOHSCROLL | ES_READONLY, {116, 12, 370, 23}, GeometryName,
               WS_EX_CLIENTEDGE);
    addButton(window, "&Open...", {492, 10, 92, 28}, OpenButton);
    addLabel(window, "Heading", {12, 48, 100, 20});
    addEdit(window, "", {116, 44, 468, 23}, HeadingField);
    addListTable(window, {12, 80, 572, 210}, CaseTable,
                 {{"Case", 44},
                  {"Load on", 150},
                  {"Force Fx Fy Fz", 130},
                  {"Box or nodes", 150},
                  {"Load steps", 90}});
    addControl(window, "BUTTON", "The first row is case &0", WS_TABSTOP | BS_AUTOCHECKBOX,
               {12, 296, 300, 24}, CaseZeroBox);
    addRowEditor(window);
    addLabel(window, "Open the geometry file of the structure to load.", {12, 516, 572, 40},
             StatusText);
    addButton(window, "&Save as...", {12, 572, 100, 28}, SaveButton, true);
    addButton(window, "Close", {120, 572, 100, 28}, CloseButton);
    SetFocus(item(window, OpenButton));
}

void onCommand(HWND window, ForceMaker& maker, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case OpenButton: openGeometry(window, maker); return;
    case AddButton:
    case ReplaceButton:
    case RemoveButton: onRowCommand(window, maker, LOWORD(wParam)); return;
    case CaseZeroBox: showRows(window, maker); return;
    case SaveButton:
    case IDOK: save(window, maker); return;
    case CloseButton:
    case IDCANCEL: close(window, maker); return;
    default: return;
    }
}

void onNotify(HWND window, const ForceMaker& maker, const NMHDR& header) {
    if (header.idFrom != CaseTable || header.code != LVN_ITEMCHANGED)
        return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uNewState & LVIS_SELECTED) && change.iItem >= 0 &&
        static_cast<std::size_t>(change.iItem) < maker.rows.size())
        showInEditor(window, maker.rows[static_cast<std::size_t>(change.iItem)]);
}

LRESULT handle(HWND window, ForceMaker& maker, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(window); return 0;
    case WM_COMMAND: onCommand(window, maker, wParam); return 0;
    case WM_NOTIFY: onNotify(window, maker, *reinterpret_cast<NMHDR*>(lParam)); return 0;
    case WM_CLOSE: close(window, maker); return 0;
    default:
        return handleOther(window, message, wParam, lParam,
                           {formWidth, maker.model ? &*maker.model : nullptr});
    }
}

} // namespace
} // namespace ombrix

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace ombrix;
    return runMaker<ForceMaker>({1100, 620});
}
