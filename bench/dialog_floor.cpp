// The floor under the shell's start-up, exit and memory: the least a program must do to
// show the panel and take input. It loads the common controls the shell asks for, shows
// the panel's own template (IDD_PANEL, from the shell's resource script and manifest) and
// serves it until E X I T (its id is IDOK) or the close box ends it.

#include "ids.h"

#include <windows.h>

#include <commctrl.h>

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

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HWND dialog =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PANEL), nullptr, dialogProcedure, 0);
    if (!dialog)
        return 1;
    ShowWindow(dialog, showCommand);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(dialog) && IsDialogMessageA(dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
