#include "window_parts.h"

#include "gdiplus_painter.h"
#include "input_error.h"
#include "viewer_commands.h"

#include <commdlg.h>

#include <algorithm>

namespace ombrix {

double systemPixel() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

SIZE windowSize(double pixel) {
    RECT screen{0, 0, 1280, 1024};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    return {std::min<LONG>(static_cast<LONG>(1100 * pixel), (screen.right - screen.left) * 4 / 5),
            std::min<LONG>(static_cast<LONG>(800 * pixel), (screen.bottom - screen.top) * 4 / 5)};
}

Raster& pictureSized(HWND window, std::optional<Raster>& picture) {
    RECT client{};
    GetClientRect(window, &client);
    if (!picture || picture->width() != client.right || picture->height() != client.bottom)
        picture.emplace(client.right, client.bottom, paper);
    return *picture;
}

void paintWith(HWND window, const Raster& picture) {
    PAINTSTRUCT paintStruct{};
    HDC dc = BeginPaint(window, &paintStruct);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), picture.width(), -picture.height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, 0, 0, picture.width(), picture.height(), 0, 0, 0, picture.height(),
                      picture.pixels(), &info, DIB_RGB_COLORS);
    EndPaint(window, &paintStruct);
}

std::optional<std::string> askFileToSave(HWND owner, const std::string& name,
                                         const std::string& folder, const char* filter,
                                         const char* extension) {
    char chosen[MAX_PATH] = {};
    name.copy(chosen, MAX_PATH - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = extension;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog))
        return std::nullopt;
    return std::string(chosen);
}

void savePictureAs(HWND owner, const Raster& picture, const std::string& name,
                   const std::string& folder, const std::string& title) {
    const std::optional<std::string> file =
        askFileToSave(owner, name, folder, "PNG picture (*.png)\0*.png\0", "png");
    if (file && !savePng(picture, *file))
        MessageBoxA(owner,
                    describe(Language::English, *file, 0, {Message::CannotWrite, {}}).c_str(),
                    title.c_str(), MB_OK | MB_ICONERROR);
}

HMENU pictureFileMenu() {
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, SavePicture, "&Save picture as PNG...\tCtrl+S");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, Close, "E&xit");
    return file;
}

void addSubmenu(HMENU bar, HMENU menu, const char* name) {
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), name);
}

HMENU caseMenu(const std::vector<SolvedCase>& cases) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, NextCase, "&Next case\tPage Down");
    AppendMenuA(menu, MF_STRING, PreviousCase, "&Previous case\tPage Up");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const std::string text = "Case " + std::to_string(cases[k].number) +
                                 (cases[k].converged ? "" : " (not converged)");
        AppendMenuA(menu, MF_STRING, FirstCase + k, text.c_str());
    }
    CheckMenuRadioItem(menu, FirstCase, FirstCase + cases.size() - 1, FirstCase, MF_BYCOMMAND);
    return menu;
}

void checkCase(HWND window, std::size_t cases, std::size_t index) {
    CheckMenuRadioItem(GetMenu(window), FirstCase, FirstCase + cases - 1, FirstCase + index,
                       MF_BYCOMMAND);
}

const char* registeredClass(const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
    return name;
}

void serveMessages(HWND window, HACCEL keys) {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        if (!keys || !TranslateAcceleratorA(window, keys, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
}

void showUntilClosed(const char* windowClass, const std::string& title, SIZE size, HMENU menu,
                     void* state) {
    HWND window = CreateWindowExA(0, windowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, size.cx, size.cy, nullptr, menu,
                                  GetModuleHandleA(nullptr), state);
    if (!window)
        return;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    serveMessages(window);
}

} // namespace ombrix
