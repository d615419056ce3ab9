// What Make_FrameFile and Make_ForceFile share around their own controls: a window laid
// out in points like a dialog, in the system's message font, with Tab between its
// controls; a message naming what is wrong; Save as into the installation's Dat folder,
// through the one writer of files; and the structure's preview as Glance draws it.
#pragma once

#include "gdiplus_painter.h"
#include "model.h"
#include "window_parts.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ombrix {

// A control at a place given in points of a 96 dpi screen (x, y, width, height).
HWND addControl(HWND parent, const char* windowClass, const std::string& text, DWORD style,
                RECT place, int id, DWORD extendedStyle = 0);
HWND addEdit(HWND parent, const std::string& text, RECT place, int id);
HWND addLabel(HWND parent, const std::string& text, RECT place, int id = -1);
HWND addButton(HWND parent, const char* text, RECT place, int id, bool isDefault = false);
HWND addDropDown(HWND parent, RECT place, int id); // a list to choose from, no typing
void addChoice(HWND dropDown, const std::string& text);

std::string textOf(HWND control);
int chosenIndex(HWND dropDown);
double pointsToPixels(); // the screen's pixels to a point

// A table of rows, one chosen at a time, with its columns (name, width in points); setting
// a row's column 0 adds the row; -1 when no row is chosen.
struct ListColumn {
    const char* name;
    int points;
};
HWND addListTable(HWND parent, RECT place, int id, const std::vector<ListColumn>& columns);
void setListCell(HWND table, int row, int column, const std::string& text);
int selectedListRow(HWND table);
void selectListRow(HWND table, int row);

void tellProblem(HWND owner, const std::string& title, const std::string& message);

// A name chosen in the standard Save dialog, at first in the installation's Dat folder,
// beside the Exe folder the program runs in. A file that exists is replaced only when the
// user says so, No being the answer that Enter gives; otherwise the dialog comes back.
std::optional<std::string> askSaveName(HWND owner, const char* filter, const char* extension,
                                       const std::string& suggested);
// A name in the Dat folder that no file has, in any case of its letters (Windows compares
// names so): "<stem>.<extension>", or with " 2", " 3", ... after the stem.
std::string unusedName(const std::string& stem, const char* extension);
// At first the suggested file, when there is one, or the Dat folder.
std::optional<std::string> askOpenName(HWND owner, const char* filter,
                                       const std::string& suggested = {});

// True when written; otherwise the user has been told.
bool saveText(HWND owner, const std::string& title, const std::string& path,
              const std::string& text);

// A text saved under a name the user chooses (askSaveName); the status line then says
// where, or that it was not saved. True when saved.
bool saveAsked(HWND window, const std::string& title, const char* filter, const char* extension,
               const std::string& suggested, const std::string& text);
// What stands in the way of saving, told to the user and left on the status line.
void refuseSaving(HWND window, const std::string& title, const std::string& reason);

// Whether the window may close: with work not saved, the user is asked "Save <work> before
// closing?" with the buttons Save, Don't save and Cancel (to stay). `save` says whether it
// saved.
bool mayClose(HWND window, const std::string& title, bool unsaved,
              const std::function<bool()>& save, const std::string& work = "your changes");

// The window's preview, beside the form that takes its first `formPoints` of width: the
// structure, when there is one, drawn as Glance draws it and fitted to the area.
struct Preview {
    LONG formPoints = 0;
    const Model* structure = nullptr;
};
RECT previewArea(HWND window, LONG formPoints);

// What both makers do with the messages they leave: the preview painted, and fitted anew
// to a new size; the program ended with its window.
LRESULT handleOther(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                    const Preview& preview);

// The window, made with `state` as its creation parameter, shown until it is closed.
void runWindow(const std::string& title, WNDPROC procedure, void* state, SIZE points);

// A maker's handler: a failure is told to the user and the message left unhandled.
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

// The program's life: its window with a State of its own, GDI+ for the preview and the
// common controls' list views for the makers that list members or loads.
template <typename State> int runMaker(SIZE points) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const GdiplusSession gdiplus;
    State state;
    runWindow(state.title, windowProcedure<State, handleTellingFailures<State>>, &state, points);
    return 0;
}

} // namespace ombrix
