#include "form_window.h"

#include "file_dialogs.h"
#include "form_controls.h"
#include "geometry_view.h"

#include <cmath>

namespace ombrix {

namespace {

HFONT messageFont() {
    static HFONT font = createMessageFont();
    return font;
}

int scaled(LONG points) {
    return static_cast<int>(std::lround(points * systemPixel()));
}

} // namespace

HWND addControl(HWND parent, const char* windowClass, const std::string& text, DWORD style,
                RECT place, int id, DWORD extendedStyle) {
    HWND control = CreateWindowExA(
        extendedStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, scaled(place.left),
        scaled(place.top), scaled(place.right), scaled(place.bottom), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont()), TRUE);
    return control;
}

HWND addEdit(HWND parent, const std::string& text, RECT place, int id) {
    return addControl(parent, "EDIT", text, WS_TABSTOP | ES_AUTOHSCROLL, place, id,
                      WS_EX_CLIENTEDGE);
}

HWND addLabel(HWND parent, const std::string& text, RECT place, int id) {
    return addControl(parent, "STATIC", text, SS_LEFT | SS_NOPREFIX, place, id);
}

HWND addButton(HWND parent, const char* text, RECT place, int id, bool isDefault) {
    return addControl(parent, "BUTTON", text,
                      WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), place, id);
}

HWND addDropDown(HWND parent, RECT place, int id) {
    place.bottom = 300; // room for the list when it drops down
    return addControl(parent, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, place,
                      id);
}

void addChoice(HWND dropDown, const std::string& text) {
    SendMessageA(dropDown, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int chosenIndex(HWND dropDown) {
    return static_cast<int>(SendMessageA(dropDown, CB_GETCURSEL, 0, 0));
}

HWND addListTable(HWND parent, RECT place, int id, const std::vector<ListColumn>& columns) {
    HWND table = addControl(parent, WC_LISTVIEWA, "",
                            WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, place, id,
                            WS_EX_CLIENTEDGE);
    SendMessageA(table, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (std::size_t k = 0; k < columns.size(); ++k) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[k].name);
        column.cx = static_cast<int>(columns[k].points * systemPixel());
        SendMessageA(table, LVM_INSERTCOLUMNA, k, reinterpret_cast<LPARAM>(&column));
    }
    return table;
}

void setListCell(HWND table, int row, int column, const std::string& text) {
    LVITEMA cell{};
    cell.mask = LVIF_TEXT;
    cell.iItem = row;
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(table, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
}

int selectedListRow(HWND table) {
    return static_cast<int>(
        SendMessageA(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void selectListRow(HWND table, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(table, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
}

namespace {

// The Yes and No buttons of the message box about to be shown, named by what they do.
LRESULT CALLBACK nameSaveButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        SetDlgItemTextA(box, IDYES, "&Save");
        SetDlgItemTextA(box, IDNO, "Do&n't save");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool saveAsked(HWND window, const std::string& title, const char* filter, const char* extension,
               const std::string& suggested, const std::string& text) {
    const auto name = askSaveName(window, filter, extension, suggested);
    if (!name)
        return false;
    const bool saved = saveText(window, title, *name, text);
    SetDlgItemTextA(window, StatusText, (saved ? "Saved as " + *name : "Not saved").c_str());
    return saved;
}

void refuseSaving(HWND window, const std::string& title, const std::string& reason) {
    SetDlgItemTextA(window, StatusText, ("Not saved: " + reason).c_str());
    tellProblem(window, title, reason);
}

bool mayClose(HWND window, const std::string& title, bool unsaved,
              const std::function<bool()>& save, const std::string& work) {
    if (!unsaved)
        return true;
    const std::string question = "Save " + work + " before closing?";
    HHOOK hook = SetWindowsHookExA(WH_CBT, nameSaveButtons, nullptr, GetCurrentThreadId());
    const int answer =
        MessageBoxA(window, question.c_str(), title.c_str(), MB_YESNOCANCEL | MB_ICONWARNING);
    if (hook)
        UnhookWindowsHookEx(hook);
    switch (answer) {
    case IDYES: return save();
    case IDNO: return true;
    default: return false;
    }
}

namespace {

void paintPreview(HDC dc, const RECT& area, const Model& model) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    const GeometryView view(model);
    ViewOptions options;
    options.pixel = systemPixel();
    Raster picture(width, height, paper);
    drawAnew(picture, view, firstCamera(view, {double(width), double(height)}, options), options);
    copyPicture(dc, {area.left, area.top}, picture);
}

} // namespace

RECT previewArea(HWND window, LONG formPoints) {
    RECT client{};
    GetClientRect(window, &client);
    const int margin = scaled(12);
    return {scaled(formPoints), margin, client.right - margin, client.bottom - margin};
}

namespace {

void paintBesideForm(HWND window, const Preview& preview) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    const RECT area = previewArea(window, preview.formPoints);
    if (preview.structure)
        paintPreview(dc, area, *preview.structure);
    RECT edge = area;
    InflateRect(&edge, 2, 2);
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    EndPaint(window, &paint);
}

} // namespace

LRESULT handleOther(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                    const Preview& preview) {
    switch (message) {
    case WM_PAINT: paintBesideForm(window, preview); return 0;
    case WM_SIZE: InvalidateRect(window, nullptr, TRUE); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void runWindow(const std::string& title, WNDPROC procedure, void* state, SIZE points) {
    const char* windowClass =
        registeredClass("OmbrixCreator", procedure, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT frame{0, 0, scaled(points.cx), scaled(points.cy)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT);
    showUntilClosed(createMainWindow(windowClass, title,
                                     {frame.right - frame.left, frame.bottom - frame.top}, nullptr,
                                     state, WS_EX_CONTROLPARENT));
}

} // namespace ombrix
