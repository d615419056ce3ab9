#include "table_window.h"

#include "file_dialogs.h"
#include "program_window.h"
#include "view_files.h"
#include "win32_storage.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace ombrix {
namespace {

constexpr int listId = 1;

struct Peaks {
    const TableWindow& contents;
    std::size_t shown = 0; // the sheet
    HWND list = nullptr;
    HFONT font = nullptr;
    HFONT boldFont = nullptr; // the last row, when it is in bold
    SIZE tableSize{};         // pixels
};

const TableSheet& shownSheet(const Peaks& peaks) {
    return peaks.contents.sheets[peaks.shown];
}

LRESULT sendList(const Peaks& peaks, UINT message, WPARAM wParam, const void* lParam) {
    return SendMessageA(peaks.list, message, wParam, reinterpret_cast<LPARAM>(lParam));
}

void addColumns(const Peaks& peaks) {
    const TableRow& columns = shownSheet(peaks).table.columns;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.fmt = k == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.pszText = const_cast<char*>(columns[k].c_str());
        sendList(peaks, LVM_INSERTCOLUMNA, k, &column);
    }
}

// The list holds no texts of its own: it asks for those of the rows it shows, so that a
// table of many thousand rows (CompoundPost's) is shown at once.
void showCell(const Peaks& peaks, LVITEMA& item) {
    if (item.mask & LVIF_TEXT)
        item.pszText = const_cast<char*>(
            shownSheet(peaks)
                .table
                .rows[static_cast<std::size_t>(item.iItem)][static_cast<std::size_t>(item.iSubItem)]
                .c_str());
}

// Each column as wide as its widest text, its name included, with a margin. Only a text
// longer than all above it in its column is measured: one of the same length is, in the
// digits of the tables, as wide.
int sizeColumns(const Peaks& peaks) {
    const PeakTable& table = shownSheet(peaks).table;
    HDC dc = GetDC(peaks.list);
    HGDIOBJ previous = SelectObject(dc, peaks.font);
    const auto widthOf = [dc](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    SIZE margin{};
    GetTextExtentPoint32A(dc, "0000", 4, &margin);
    int total = 0;
    for (std::size_t k = 0; k < table.columns.size(); ++k) {
        int widest = widthOf(table.columns[k]);
        std::size_t longest = 0;
        for (const TableRow& row : table.rows)
            if (row[k].size() > longest) {
                longest = row[k].size();
                widest = std::max(widest, widthOf(row[k]));
            }
        SendMessageA(peaks.list, LVM_SETCOLUMNWIDTH, k, widest + margin.cx);
        total += widest + margin.cx;
    }
    SelectObject(dc, previous);
    ReleaseDC(peaks.list, dc);
    return total;
}

// The height of the list's header and rows of its longest table, with a row to spare.
LONG tableHeight(const Peaks& peaks) {
    RECT area{0, 0, 1000, 1000}, row{};
    WINDOWPOS header{};
    HDLAYOUT layout{&area, &header};
    SendMessageA(reinterpret_cast<HWND>(SendMessageA(peaks.list, LVM_GETHEADER, 0, 0)), HDM_LAYOUT,
                 0, reinterpret_cast<LPARAM>(&layout));
    row.left = LVIR_BOUNDS;
    SendMessageA(peaks.list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    std::size_t longest = 0; // of the tables, so that the window fits each of them
    for (const TableSheet& sheet : peaks.contents.sheets)
        longest = std::max(longest, sheet.table.rows.size());
    return header.cy + static_cast<LONG>(longest + 1) * (row.bottom - row.top);
}

// The list of the sheet shown: its columns, sized, and as many rows as it has.
void fillList(Peaks& peaks) {
    addColumns(peaks);
    SendMessageA(peaks.list, LVM_SETITEMCOUNT, shownSheet(peaks).table.rows.size(), 0);
    peaks.tableSize = {sizeColumns(peaks), tableHeight(peaks)};
}

void createList(HWND window, Peaks& peaks) {
    peaks.list = CreateWindowExA(
        0, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, 0, 0,
        0, 0, window, reinterpret_cast<HMENU>(listId), GetModuleHandleA(nullptr), nullptr);
    peaks.font = createMessageFont();
    peaks.boldFont = createMessageFont(true);
    SendMessageA(peaks.list, WM_SETFONT, reinterpret_cast<WPARAM>(peaks.font), FALSE);
    SendMessageA(peaks.list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    fillList(peaks);
}

// The last row in bold, when it sums up those above it (PeakFinder's envelope).
LRESULT onCustomDraw(const Peaks& peaks, NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && shownSheet(peaks).lastRowInBold &&
        draw.nmcd.dwItemSpec + 1 == shownSheet(peaks).table.rows.size()) {
        SelectObject(draw.nmcd.hdc, peaks.boldFont);
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

LRESULT onNotify(HWND window, const Peaks& peaks, NMHDR& notice) {
    if (notice.hwndFrom == peaks.list && notice.code == NM_CUSTOMDRAW)
        return onCustomDraw(peaks, reinterpret_cast<NMLVCUSTOMDRAW&>(notice));
    if (notice.hwndFrom == peaks.list && notice.code == LVN_GETDISPINFOA) {
        showCell(peaks, reinterpret_cast<NMLVDISPINFOA&>(notice).item);
        return 0;
    }
    return DefWindowProcA(window, WM_NOTIFY, notice.idFrom, reinterpret_cast<LPARAM>(&notice));
}

// The window as large as the table, within the screen; a table wider than the screen
// gets its horizontal scroll bar below the last row.
void fitToTable(HWND window, const Peaks& peaks) {
    RECT screen{0, 0, 1280, 1024};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    RECT frame{0, 0, peaks.tableSize.cx + GetSystemMetrics(SM_CXVSCROLL), peaks.tableSize.cy};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    const LONG width = std::min(frame.right - frame.left, screen.right - screen.left);
    if (width < frame.right - frame.left)
        frame.bottom += GetSystemMetrics(SM_CYHSCROLL);
    SetWindowPos(window, nullptr, 0, 0, width,
                 std::min(frame.bottom - frame.top, screen.bottom - screen.top),
                 SWP_NOMOVE | SWP_NOZORDER);
}

std::vector<std::size_t> chosenRows(const Peaks& peaks) {
    std::vector<std::size_t> rows;
    for (LRESULT row = -1;
         (row = SendMessageA(peaks.list, LVM_GETNEXTITEM, row, LVNI_SELECTED)) >= 0;)
        rows.push_back(static_cast<std::size_t>(row));
    return rows;
}

void copyRows(HWND window, const Peaks& peaks) {
    const std::string text = tabText(shownSheet(peaks).table, chosenRows(peaks));
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory)
        return;
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboard(window)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

void selectAllRows(const Peaks& peaks, bool selected = true) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    sendList(peaks, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &item);
}

void saveTable(HWND window, const Peaks& peaks) {
    const std::optional<std::string> file =
        askFileToSave(window, peaks.contents.tableName, peaks.contents.folder,
                      "CSV table (*.csv)\0*.csv\0", "csv");
    if (!file)
        return;
    try {
        Win32Storage storage;
        writeOutputFile(storage, *peaks.contents.analysis, *file, csvTextOf(peaks.contents.sheets));
    } catch (const FileRefused& refused) {
        tellProblem(window, peaks.contents.title, refused.what());
    }
}

// The sheet in the list instead of the one shown, and checked in the View menu.
void showSheet(HWND window, Peaks& peaks, std::size_t index) {
    selectAllRows(peaks, false);
    for (std::size_t k = shownSheet(peaks).table.columns.size(); k > 0; --k)
        SendMessageA(peaks.list, LVM_DELETECOLUMN, k - 1, 0);
    peaks.shown = index;
    fillList(peaks);
    CheckMenuRadioItem(GetMenu(window), FirstSheet, FirstSheet + peaks.contents.sheets.size() - 1,
                       FirstSheet + index, MF_BYCOMMAND);
    InvalidateRect(peaks.list, nullptr, TRUE);
}

// The row chosen in the first sheet, when it is shown, for PeakFinder's export.
void exportChosenRow(HWND window, const Peaks& peaks) {
    const std::vector<std::size_t> rows =
        peaks.shown == 0 ? chosenRows(peaks) : std::vector<std::size_t>{};
    peaks.contents.exportRow(window, rows.empty() ? std::nullopt : std::optional(rows.front()));
}

void onCommand(HWND window, Peaks& peaks, UINT command) {
    if (command >= FirstSheet && command < FirstSheet + peaks.contents.sheets.size()) {
        showSheet(window, peaks, command - FirstSheet);
        return;
    }
    switch (command) {
    case ExportRow:
        if (peaks.contents.exportRow)
            exportChosenRow(window, peaks);
        return;
    case SaveTable: saveTable(window, peaks); return;
    case CopyRows: copyRows(window, peaks); return;
    case SelectAllRows: selectAllRows(peaks); return;
    case CloseTable: DestroyWindow(window); return;
    default: return;
    }
}

LRESULT handle(HWND window, Peaks& peaks, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: createList(window, peaks); return 0;
    case WM_SIZE: MoveWindow(peaks.list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(peaks.list); return 0;
    case WM_COMMAND: onCommand(window, peaks, LOWORD(wParam)); return 0;
    case WM_NOTIFY: return onNotify(window, peaks, *reinterpret_cast<NMHDR*>(lParam));
    case WM_DESTROY:
        DeleteObject(peaks.font);
        DeleteObject(peaks.boldFont);
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

HMENU fileMenu(const TableWindow& contents) {
    HMENU menu =
        popupMenu({{SaveTable, contents.sheets.size() > 1 ? "&Save the tables as CSV...\tCtrl+S"
                                                          : "&Save table as CSV...\tCtrl+S"}});
    if (contents.exportRow)
        AppendMenuA(menu, MF_STRING, ExportRow,
                    "&Export the chosen case as CSV, DXF or VTK...\tCtrl+E");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, CloseTable, "E&xit");
    return menu;
}

// The tables, the first checked, each with Ctrl and its number; none for a single table.
HMENU viewMenu(const TableWindow& contents) {
    HMENU menu = CreatePopupMenu();
    for (std::size_t k = 0; k < contents.sheets.size(); ++k) {
        const std::string text = contents.sheets[k].name + "\tCtrl+" + std::to_string(k + 1);
        AppendMenuA(menu, MF_STRING, FirstSheet + k, text.c_str());
    }
    CheckMenuRadioItem(menu, FirstSheet, FirstSheet + contents.sheets.size() - 1, FirstSheet,
                       MF_BYCOMMAND);
    return menu;
}

HMENU makeMenu(const TableWindow& contents) {
    HMENU bar = CreateMenu();
    addSubmenu(bar, fileMenu(contents), "&File");
    addSubmenu(bar,
               popupMenu({{CopyRows, "&Copy\tCtrl+C"}, {SelectAllRows, "Select &all\tCtrl+A"}}),
               "&Edit");
    if (contents.sheets.size() > 1)
        addSubmenu(bar, viewMenu(contents), "&View");
    return bar;
}

HACCEL makeKeys(const TableWindow& contents) {
    std::vector<ACCEL> keys{{FCONTROL | FVIRTKEY, 'S', SaveTable},
                            {FCONTROL | FVIRTKEY, 'C', CopyRows},
                            {FCONTROL | FVIRTKEY, 'A', SelectAllRows},
                            {FCONTROL | FVIRTKEY, 'E', ExportRow}};
    for (std::size_t k = 0; k < contents.sheets.size() && k < 9; ++k)
        keys.push_back(
            {FCONTROL | FVIRTKEY, static_cast<WORD>('1' + k), static_cast<WORD>(FirstSheet + k)});
    return CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
}

} // namespace

std::string csvTextOf(const std::vector<TableSheet>& sheets) {
    std::vector<PeakTable> tables;
    tables.reserve(sheets.size());
    for (const TableSheet& sheet : sheets)
        tables.push_back(sheet.table);
    return csvText(tables);
}

void showTableWindow(const TableWindow& contents) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    Peaks peaks{contents};
    HWND window = createMainWindow(registeredClass("OmbrixPeaks", windowProcedure<Peaks, handle>),
                                   contents.title, {CW_USEDEFAULT, CW_USEDEFAULT},
                                   makeMenu(contents), &peaks);
    if (!window)
        return;
    fitToTable(window, peaks);
    HACCEL keys = makeKeys(contents);
    showUntilClosed(window, keys);
    DestroyAcceleratorTable(keys);
}

} // namespace ombrix
