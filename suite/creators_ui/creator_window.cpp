#include "creator_window.h"

#include "creator_controls.h"
#include "geometry_view.h"
#include "input_error.h"
#include "win32_storage.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cmath>

#include <vector>

namespace ombrix {

namespace {

HFONT messageFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        return CreateFontIndirectA(&metrics.lfMessageFont);
    }();
    return font;
}

int scaled(LONG points) {
    return static_cast<int>(std::lround(points * pointsToPixels()));
}

// The installation's Dat folder, beside the Exe folder the program runs in.
std::string datFolder() {
    char full[MAX_PATH] = {};
    return GetFullPathNameA("..\\Dat", MAX_PATH, full, nullptr) > 0 ? full : "";
}

OPENFILENAMEA fileDialog(HWND owner, const char* filter, char* name) {
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = name;
    dialog.nMaxFile = MAX_PATH;
    return dialog;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether the chosen file may be written: one that exists only when the user says so.
bool mayReplace(HWND owner, const std::string& path) {
    return !exists(path) ||
           MessageBoxA(owner, (path + " already exists.\nDo you want to replace it?").c_str(),
                       "Confirm Save As", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

} // namespace

double pointsToPixels() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

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

std::string textOf(HWND control) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
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
        column.cx = static_cast<int>(columns[k].points * pointsToPixels());
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

void tellProblem(HWND owner, const std::string& title, const std::string& message) {
    MessageBoxA(owner, message.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
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

std::optional<std::string> askSaveName(HWND owner, const char* filter, const char* extension,
                                       const std::string& suggested) {
    char name[MAX_PATH] = {};
    suggested.copy(name, MAX_PATH - 1);
    const std::string folder = datFolder();
    OPENFILENAMEA dialog = fileDialog(owner, filter, name);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = extension;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    do {
        if (!GetSaveFileNameA(&dialog))
            return std::nullopt;
    } while (!mayReplace(owner, name));
    return std::string(name);
}

std::string unusedName(const std::string& stem, const char* extension) {
    const std::string folder = datFolder() + "\\";
    std::string name = stem + "." + extension;
    for (int k = 2; exists(folder + name); ++k)
        name = stem + " " + std::to_string(k) + "." + extension;
    return name;
}

std::optional<std::string> askOpenName(HWND owner, const char* filter,
                                       const std::string& suggested) {
    char name[MAX_PATH] = {};
    suggested.copy(name, MAX_PATH - 1);
    const std::string folder = suggested.empty() ? datFolder() : std::string();
    OPENFILENAMEA dialog = fileDialog(owner, filter, name);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog))
        return std::nullopt;
    return std::string(name);
}

bool saveText(HWND owner, const std::string& title, const std::string& path,
              const std::string& text) {
    if (Win32Storage().replace(path, text))
        return true;
    tellProblem(owner, title, describe(Language::English, path, 0, {Message::CannotWrite, {}}));
    return false;
}

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
    options.pixel = pointsToPixels();
    Raster picture(width, height, paper);
    drawAnew(picture, view, firstCamera(view, {double(width), double(height)}, options), options);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, area.left, area.top, width, height, 0, 0, 0, height, picture.pixels(),
                      &info, DIB_RGB_COLORS);
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
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "OmbrixCreator";
    RegisterClassA(&windowClass);
    RECT frame{0, 0, scaled(points.cx), scaled(points.cy)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT);
    HWND window =
        CreateWindowExA(WS_EX_CONTROLPARENT, windowClass.lpszClassName, title.c_str(),
                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, windowClass.hInstance, state);
    if (!window)
        return;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace ombrix
