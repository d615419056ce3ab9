#include "program_window.h"

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

HFONT createMessageFont(bool bold) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (bold)
        metrics.lfMessageFont.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

std::string textOf(HWND control) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string titleOf(const std::string& programName) {
    return "OMBRIX - " + programName;
}

void tellProblem(HWND owner, const std::string& title, const std::string& message) {
    MessageBoxA(owner, message.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

const char* registeredClass(const char* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
    return name;
}

HMENU popupMenu(std::initializer_list<MenuItem> items) {
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items)
        AppendMenuA(menu, item.command ? MF_STRING : MF_SEPARATOR, item.command, item.text);
    return menu;
}

void addSubmenu(HMENU bar, HMENU menu, const char* name) {
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), name);
}

HWND createMainWindow(const char* windowClass, const std::string& title, SIZE size, HMENU menu,
                      void* state, DWORD extendedStyle) {
    return CreateWindowExA(extendedStyle, windowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, menu,
                           GetModuleHandleA(nullptr), state);
}

namespace {

// Whether the message was taken as one of the window's keys.
bool takenAsKey(HWND window, HACCEL keys, MSG& message) {
    if (keys && TranslateAcceleratorA(window, keys, &message))
        return true;
    const bool holdsForm = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
    return holdsForm && IsDialogMessageA(window, &message);
}

} // namespace

void showUntilClosed(HWND window, HACCEL keys) {
    if (!window)
        return;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        if (!takenAsKey(window, keys, message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
}

Raster& pictureSized(HWND window, std::optional<Raster>& picture) {
    RECT client{};
    GetClientRect(window, &client);
    if (!picture || picture->width() != client.right || picture->height() != client.bottom)
        picture.emplace(client.right, client.bottom, paper);
    return *picture;
}

void copyPicture(HDC dc, POINT at, const Raster& picture) {
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), picture.width(), -picture.height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, at.x, at.y, picture.width(), picture.height(), 0, 0, 0, picture.height(),
                      picture.pixels(), &info, DIB_RGB_COLORS);
}

void paintWith(HWND window, const Raster& picture) {
    PAINTSTRUCT paintStruct{};
    HDC dc = BeginPaint(window, &paintStruct);
    copyPicture(dc, {0, 0}, picture);
    EndPaint(window, &paintStruct);
}

} // namespace ombrix
