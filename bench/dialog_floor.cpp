// The floor under the shell's start-up, exit and memory: the least a program must do to
// show the panel and take input. It loads the common controls the shell asks for, shows
// the panel's own template (IDD_PANEL, from the shell's resource script and manifest) and
// serves it until E X I T (its id is IDOK) or the close box ends it. Started with
// /window-first it first shows a plain window, as the shell shows its welcome, and the
// panel after a click on it.

#include "ids.h"

#include <windows.h>

#include <commctrl.h>

#include <cstring>

namespace {

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
            return FALSE;
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY: PostQuitMessage(0); return FALSE;
    default: return FALSE;
    }
}

HWND panel = nullptr;

bool showPanel() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    panel = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PANEL), nullptr, dialogProcedure, 0);
    if (panel)
        ShowWindow(panel, SW_SHOWNORMAL);
    return panel != nullptr;
}

LRESULT CALLBACK firstWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONDOWN)
        return DefWindowProcA(window, message, wParam, lParam);
    DestroyWindow(window);
    if (!showPanel())
        PostQuitMessage(1);
    return 0;
}

bool showFirstWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = firstWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "FloorWindow";
    return RegisterClassA(&windowClass) &&
           CreateWindowExA(0, "FloorWindow", "Floor", WS_POPUP | WS_BORDER | WS_VISIBLE, 200, 200,
                           480, 320, nullptr, nullptr, windowClass.hInstance, nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!(std::strstr(commandLine, "/window-first") ? showFirstWindow() : showPanel()))
        return 1;
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (panel && IsWindow(panel) && IsDialogMessageA(panel, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
