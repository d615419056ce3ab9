// What the graph programs' windows share: the size they open at, the system's DPI, their
// picture put on the screen, the Save As dialog, the Case menu, the window class and the
// procedure that hands each message to the window's own handler.
#pragma once

#include "raster.h"
#include "view_files.h"

#include <windows.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace ombrix {

// Pixels to a point of a 96 dpi screen.
double systemPixel();

// 1100 x 800 points, or four fifths of a smaller screen.
SIZE windowSize(double pixel);

// The window's picture, at the size of its client area: the memory of the last one while
// the size stays.
Raster& pictureSized(HWND window, std::optional<Raster>& picture);

// On WM_PAINT: the picture put on the window.
void paintWith(HWND window, const Raster& picture);

// The file the user chose to save to, offered `name` in `folder` (the current folder when
// empty); nothing when the dialog was cancelled. filter: "PNG picture (*.png)\0*.png\0".
std::optional<std::string> askFileToSave(HWND owner, const std::string& name,
                                         const std::string& folder, const char* filter,
                                         const char* extension);

// Writes the picture the user asked for, or tells why it could not be written.
void savePictureAs(HWND owner, const Raster& picture, const std::string& name,
                   const std::string& folder, const std::string& title);

// The File menu of a window that shows a picture: Save as PNG (Ctrl+S) and Exit.
HMENU pictureFileMenu();
void addSubmenu(HMENU bar, HMENU menu, const char* name);

// Next and previous case, then each solved case, from FirstCase on; the first is checked.
HMENU caseMenu(const std::vector<SolvedCase>& cases);
void checkCase(HWND window, std::size_t cases, std::size_t index);

// The window class's name, registered with the procedure.
const char* registeredClass(const char* name, WNDPROC procedure);

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

// Serves the program's messages until its window is closed, through the keys when given.
void serveMessages(HWND window, HACCEL keys = nullptr);

// A window of the class, with the menu, at the size, its procedure given `state`: shown
// and served until it is closed.
void showUntilClosed(const char* windowClass, const std::string& title, SIZE size, HMENU menu,
                     void* state);

} // namespace ombrix
