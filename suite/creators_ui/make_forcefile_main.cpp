// Make_ForceFile (INCARC File): the load cases of a structure as rows, each of a case: a
// force put on every free node, on the nodes inside a box or on listed nodes, or a load the
// loading file names by a word (weight, temperature, settlement, snow, pressure), a
// combination of cases, or the case a case starts after; saved as a loading file that
// Forces reads. A loading file opened keeps every line as rows.
//   Make_ForceFile <TAB>          started by the shell, in the installation's Exe folder

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

// What each kind of row loads, in the order of RowKind, with what its values and its where
// field hold (empty: the row has no where).
struct KindText {
    const char* name;
    const char* values;
    const char* where;
};
const KindText kindTexts[] = {
    {"force on every free node", "Fx Fy Fz: the force on each node", ""},
    {"force on the nodes in a box", "Fx Fy Fz: the force on each node",
     "a box: x y z of two opposite corners"},
    {"force on the nodes listed", "Fx Fy Fz: the force on each node", "the node numbers"},
    {"weight of members", "w: weight per unit length, downwards",
     "members: empty for all; cables, bars, or numbers and ranges (1-12 20)"},
    {"temperature of members", "dT alpha: the change and the coefficient of expansion",
     "members: empty for all; cables, bars, or numbers and ranges (1-12 20)"},
    {"settlement of a support", "n dx dy dz: the node and its move where it is held", ""},
    {"snow on the net", "q: per unit of plan area of the net's cells, downwards", ""},
    {"pressure on the net", "p: per unit of area of the net's cells, on their normal", ""},
    {"combination of cases", "f1 c1 f2 c2 ...: factors and the cases they multiply", ""},
    {"after another case", "c: the case from whose end this case starts", ""},
};

const KindText& textOfKind(RowKind kind) {
    return kindTexts[static_cast<std::size_t>(kind)];
}

// What a loading file is saved from.
struct Work {
    std::string geometryFile, heading;
    std::vector<RowTexts> rows;
    bool operator==(const Work&) const = default;
};

struct ForceMaker {
    std::string title = titleOf("Make_ForceFile");
    std::string geometryFile;
    std::optional<Model> model;
    std::vector<RowTexts> rows;
    std::optional<Work> saved; // the work last saved or opened
};

HWND item(HWND window, int id) {
    return GetDlgItem(window, id);
}

Work workOf(HWND window, const ForceMaker& maker) {
    return {maker.geometryFile, textOf(item(window, HeadingField)), maker.rows};
}

// Before the first save, only rows are work to lose.
bool hasUnsavedWork(HWND window, const ForceMaker& maker) {
    const Work work = workOf(window, maker);
    return maker.saved ? work != *maker.saved : !work.rows.empty();
}

void showRows(HWND window, const ForceMaker& maker) {
    HWND table = item(window, CaseTable);
    SendMessageA(table, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t k = 0; k < maker.rows.size(); ++k) {
        const RowTexts& row = maker.rows[k];
        const int at = static_cast<int>(k);
        setListCell(table, at, 0, std::to_string(k + 1));
        setListCell(table, at, 1, row.caseNumber);
        setListCell(table, at, 2, textOfKind(row.kind).name);
        setListCell(table, at, 3, row.values);
        setListCell(table, at, 4, readsWhere(row.kind) ? row.where : "");
        setListCell(table, at, 5, row.steps);
    }
}

std::string rowName(std::size_t row) {
    return "row " + std::to_string(row + 1);
}

RowKind chosenKind(HWND window) {
    return static_cast<RowKind>(chosenIndex(item(window, LoadKindList)));
}

// What the values and the where field of the kind chosen hold; a where field the kind does
// not read is greyed.
void showKindHints(HWND window) {
    const RowKind kind = chosenKind(window);
    SetWindowTextA(item(window, ValuesHint), textOfKind(kind).values);
    SetWindowTextA(item(window, WhereHint), textOfKind(kind).where);
    EnableWindow(item(window, WhereField), readsWhere(kind) ? TRUE : FALSE);
}

RowTexts editedRow(HWND window) {
    return {textOf(item(window, CaseField)), chosenKind(window), textOf(item(window, ValuesField)),
            textOf(item(window, WhereField)), textOf(item(window, StepsField))};
}

void showInEditor(HWND window, const RowTexts& row) {
    SetWindowTextA(item(window, CaseField), row.caseNumber.c_str());
    SendMessageA(item(window, LoadKindList), CB_SETCURSEL, static_cast<WPARAM>(row.kind), 0);
    SetWindowTextA(item(window, ValuesField), row.values.c_str());
    SetWindowTextA(item(window, WhereField), row.where.c_str());
    SetWindowTextA(item(window, StepsField), row.steps.c_str());
    showKindHints(window);
}

// The row as edited, when it can be read; otherwise the user is told what is wrong.
std::optional<RowTexts> checkedRow(HWND window, const ForceMaker& maker, std::size_t at) {
    const RowTexts row = editedRow(window);
    try {
        planRowTyped(row, rowName(at));
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

// A loading file's heading and cases, as rows to change and save again.
void openLoading(HWND window, ForceMaker& maker) {
    const auto name = askOpenName(window, "Loading file (*.inc)\0*.inc\0All files\0*.*\0");
    if (!name)
        return;
    try {
        const Loading loading = readLoadingFile(Win32Storage(), *name);
        maker.rows = rowsOf(loading);
        SetWindowTextA(item(window, HeadingField), loading.heading.c_str());
    } catch (const FileRefused& refused) {
        tellProblem(window, maker.title, refused.what());
        return;
    }
    SetWindowTextA(item(window, LoadingName), name->c_str());
    maker.saved = workOf(window, maker);
    showRows(window, maker);
}

LoadingPlan planTyped(HWND window, const ForceMaker& maker) {
    LoadingPlan plan{textOf(item(window, HeadingField)), {}};
    for (std::size_t k = 0; k < maker.rows.size(); ++k)
        plan.rows.push_back(planRowTyped(maker.rows[k], rowName(k)));
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
        text = loadingFileText(*maker.model, planTyped(window, maker));
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
    addLabel(window, "Case", {12, 322, 100, 20});
    addEdit(window, "", {116, 318, 60, 23}, CaseField);
    addLabel(window, "Load", {192, 322, 50, 20});
    HWND kinds = addDropDown(window, {246, 318, 338, 23}, LoadKindList);
    for (const KindText& kind : kindTexts)
        addChoice(kinds, kind.name);
    addLabel(window, "Values", {12, 352, 100, 20});
    addEdit(window, "", {116, 348, 468, 23}, ValuesField);
    addLabel(window, "", {116, 374, 468, 20}, ValuesHint);
    addLabel(window, "Where", {12, 402, 100, 20});
    addEdit(window, "", {116, 398, 468, 23}, WhereField);
    addLabel(window, "", {116, 424, 468, 20}, WhereHint);
    addLabel(window, "Load steps", {12, 454, 100, 20});
    addEdit(window, "", {116, 450, 80, 23}, StepsField);
    addLabel(window, "of the case; empty: another row gives them, or the solver chooses",
             {204, 454, 380, 20});
    addButton(window, "&Add", {116, 482, 90, 28}, AddButton);
    addButton(window, "&Replace", {212, 482, 90, 28}, ReplaceButton);
    addButton(window, "Re&move", {308, 482, 90, 28}, RemoveButton);
    showInEditor(window, {"1", RowKind::forceOnEveryFreeNode, "0 0 -1", "", ""});
}

void onCreate(HWND window) {
    addLabel(window, "Geometry file", {12, 16, 100, 20});
    addControl(window, "EDIT", "", ES_AUTOHSCROLL | ES_READONLY, {116, 12, 370, 23}, GeometryName,
               WS_EX_CLIENTEDGE);
    addButton(window, "&Open...", {492, 10, 92, 28}, OpenButton);
    addLabel(window, "Loading file", {12, 48, 100, 20});
    addControl(window, "EDIT", "", ES_AUTOHSCROLL | ES_READONLY, {116, 44, 370, 23}, LoadingName,
               WS_EX_CLIENTEDGE);
    addButton(window, "Op&en...", {492, 42, 92, 28}, OpenLoadingButton);
    addLabel(window, "Heading", {12, 80, 100, 20});
    addEdit(window, "", {116, 76, 468, 23}, HeadingField);
    addListTable(
        window, {12, 108, 572, 200}, CaseTable,
        {{"Row", 36}, {"Case", 40}, {"Load", 150}, {"Values", 120}, {"Where", 130}, {"Steps", 50}});
    addRowEditor(window);
    addLabel(window, "Open the geometry file of the structure to load.", {12, 520, 572, 40},
             StatusText);
    addButton(window, "&Save as...", {12, 572, 100, 28}, SaveButton, true);
    addButton(window, "Close", {120, 572, 100, 28}, CloseButton);
    SetFocus(item(window, OpenButton));
}

void onCommand(HWND window, ForceMaker& maker, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case OpenButton: openGeometry(window, maker); return;
    case OpenLoadingButton: openLoading(window, maker); return;
    case AddButton:
    case ReplaceButton:
    case RemoveButton: onRowCommand(window, maker, LOWORD(wParam)); return;
    case LoadKindList:
        if (HIWORD(wParam) == CBN_SELCHANGE)
            showKindHints(window);
        return;
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
