// What every window of the suite's programs is made with: the system's DPI, the size a
// main window opens at, the system's message font, the window class and the procedure that
// hands each message to the window's own handler, menus, the message loop, a problem told
// in a message box with the program's title, and a picture copied to the window.
#pragma once

#include "annotation.h"
#include "raster.h"

#include <windows.h>

#include <exception>
#include <initializer_list>
#include <optional>
#include <string>

namespace ombrix {

// Pixels to a point of a 96 dpi screen.
double systemPixel();

// 1100 x 800 points, or four fifths of a smaller screen.
SIZE windowSize(double pixel);

// The system's message font, or its bold; the caller deletes it.
HFONT createMessageFont(bool bold = false);

// A control's text.
std::string textOf(HWND control);

// The title of the programs' windows and messages: "OMBRIX - Glance".
std::string titleOf(const std::string& programName);

// An error told in a message box under the program's title.
void tellProblem(HWND owner, const std::string& title, const std::string& message);

// The window class's name, registered with the procedure and, when given, the brush its
// background is painted with (none: the window paints all of it).
const char* registeredClass(const char* name, WNDPROC procedure, HBRUSH background = nullptr);

// The procedure of a window made with a State* as its creation parameter: each message
// goes to handle(window, state, ...). Nothing may unwind through the system's code: a
// failure leaves the message unhandled.
template <typename State, LRESULT (*handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!state)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        return handle(window, *state, message, wParam, lParam);
    } catch (const std::exception&) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A handler whose failure is told to the user, under the State's title, and the message
// left unhandled.
template <typename State>
LRESULT handleTellingFailures(HWND window, State& state, UINT message, WPARAM wParam,
                              LPARAM lParam) {
    try {
        return handle(window, state, message, wParam, lParam);
    } catch (const std::exception& failure) {
        tellProblem(window, state.title, failure.what());
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// An item of a menu: its command and its text; a separator where the command is 0.
struct MenuItem {
    UINT_PTR command = 0;
    const char* text = nullptr;
};
HMENU popupMenu(std::initializer_list<MenuItem> items);
void addSubmenu(HMENU bar, HMENU menu, const char* name);

// The program's main window, of the class, with the menu, at the size in pixels (frame
// included; CW_USEDEFAULT lets the system choose), its procedure given `state`: null when
// it cannot be made.
HWND createMainWindow(const char* windowClass, const std::string& title, SIZE size, HMENU menu,
                      void* state, DWORD extendedStyle = 0);

// The window shown, and the program's messages served until it is closed: through the
// keys when given; a window that holds a form (WS_EX_CONTROLPARENT) takes Tab, Enter and
// Escape between its controls as a dialog does. Nothing happens without a window.
void showUntilClosed(HWND window, HACCEL keys = nullptr);

// The window's picture, at the size of its client area: the memory of the last one while
// the size stays.
Raster& pictureSized(HWND window, std::optional<Raster>& picture);

// The picture copied to the device at the point.
void copyPicture(HDC dc, POINT at, const Raster& picture);

// On WM_PAINT: the picture put on the window.
void paintWith(HWND window, const Raster& picture);

} // namespace ombrix
