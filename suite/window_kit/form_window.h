// The window of the suite's programs that make files (Make_FrameFile, Make_ForceFile,
// Compound): a form laid out in points like a dialog, in the system's message font, with Tab
// between its controls; its lists of rows; a message naming what is wrong; Save as through
// the Save dialog; and beside the form the structure's preview as Glance draws it.
#pragma once

#include "gdiplus_painter.h"
#include "model.h"
#include "program_window.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
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

int chosenIndex(HWND dropDown);

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

// What every maker does with the messages it leaves: the preview painted, and fitted anew
// to a new size; the program ended with its window.
LRESULT handleOther(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                    const Preview& preview);

// The window, made with `state` as its creation parameter, shown until it is closed.
void runWindow(const std::string& title, WNDPROC procedure, void* state, SIZE points);

// The program's life: its window with a State of its own, GDI+ for the preview and the
// common controls' list views for the makers that list members, loads or parts.
template <typename State> int runMaker(SIZE points) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const GdiplusSession gdiplus;
    State state;
    runWindow(state.title, windowProcedure<State, handleTellingFailures<State>>, &state, points);
    return 0;
}

} // namespace ombrix
