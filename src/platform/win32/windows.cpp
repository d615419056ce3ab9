#include "platform/platform.h"
#include "platform/win32/win32.h"

#include <map>
#include <string>

namespace platform {

namespace {

// The procedure serving each registered class, looked up by the window's class atom.
std::map<ATOM, WindowProcedure>& classProcedures() {
    static std::map<ATOM, WindowProcedure> procedures;
    return procedures;
}

WindowProcedure procedureOf(HWND hwnd) {
    const auto atom = static_cast<ATOM>(GetClassLongPtrA(hwnd, GCW_ATOM));
    const auto found = classProcedures().find(atom);
    return found == classProcedures().end() ? nullptr : found->second;
}

Window toWindow(HWND hwnd) {
    return reinterpret_cast<Window>(hwnd);
}
HWND toHwnd(Window window) {
    return reinterpret_cast<HWND>(window);
}

void notify(HWND hwnd, WindowEvent event, Canvas canvas = nullptr) {
    if (WindowProcedure procedure = procedureOf(hwnd))
        procedure(toWindow(hwnd), event, canvas);
}

LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: notify(hwnd, WindowEvent::Created); return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        notify(hwnd, WindowEvent::Paint, win32::canvasOf(paint.hdc));
        EndPaint(hwnd, &paint);
        notify(hwnd, WindowEvent::Painted);
        return 0;
    }
    case WM_PRINTCLIENT:
        notify(hwnd, WindowEvent::Paint, win32::canvasOf(reinterpret_cast<HDC>(wParam)));
        return 0;
    case WM_TIMER: notify(hwnd, WindowEvent::Timer); return 0;
    case WM_LBUTTONDOWN: notify(hwnd, WindowEvent::LeftClick); return 0;
    case WM_CLOSE: notify(hwnd, WindowEvent::CloseRequest); break;
    case WM_DESTROY: notify(hwnd, WindowEvent::Destroyed); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Nothing may unwind through the system's code.
LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return handleMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace

bool registerWindowClass(const std::string& className, Icon icon, WindowProcedure procedure) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = win32::instance();
    windowClass.hIcon = reinterpret_cast<HICON>(icon);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    const ATOM atom = RegisterClassA(&windowClass);
    if (atom)
        classProcedures()[atom] = procedure;
    return atom != 0;
}

// Created in its place: a move after the creation is one more round to the window system
// before the window shows.
Window createPopupWindow(const std::string& className, const std::string& title,
                         const Rect& place) {
    return toWindow(CreateWindowExA(0, className.c_str(), title.c_str(),
                                    WS_POPUP | WS_CAPTION | WS_SYSMENU, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, nullptr,
                                    nullptr, win32::instance(), nullptr));
}

void showWindow(Window window, int showCommand) {
    ShowWindow(toHwnd(window), showCommand);
}
void destroyWindow(Window window) {
    DestroyWindow(toHwnd(window));
}

void startTimer(Window window, int timerId, int milliseconds) {
    SetTimer(toHwnd(window), static_cast<UINT_PTR>(timerId), static_cast<UINT>(milliseconds),
             nullptr);
}

Rect desktopRect() {
    RECT rect{};
    GetWindowRect(GetDesktopWindow(), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void runWindowLoop(Window window, const bool& done) {
    MSG message;
    // A fetch that fails (the window has gone) ends the loop as well.
    while (!done && GetMessageA(&message, toHwnd(window), 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace platform
