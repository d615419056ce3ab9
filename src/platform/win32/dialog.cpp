#include "platform/platform.h"
#include "platform/win32/win32.h"

#include <map>
#include <utility>
#include <vector>

namespace platform {

// What the dialog layer keeps for one dialog. It outlives the dialog's window, whose
// handle becomes null when the window has gone, so late calls do nothing.
struct DialogObject {
    HWND hwnd = nullptr;
    std::map<std::pair<int, ControlEvent>, ControlHandler> handlers;
    DialogHandler destroyed;
    DialogHandler sessionEnd;
    std::map<int, COLORREF> backgrounds;
    std::map<COLORREF, HBRUSH> brushes;
    // Above zero while the program itself changes a control: the notifications that
    // such a change sends (EN_CHANGE for a new edit text) are not the user's.
    int programChanges = 0;
    // Handlers run one at a time, each to completion; a notification that arrives while
    // one runs (from a nested message loop) is dropped.
    bool handlerRunning = false;
    // A modal dialog is set up by `prepare` when it is created, and ends by itself on
    // OK and Cancel that have no handler.
    bool modal = false;
    DialogHandler prepare;
};

namespace {

class ProgramChange {
  public:
    explicit ProgramChange(Dialog dialog) : dialog_(dialog) { ++dialog_->programChanges; }
    ~ProgramChange() { --dialog_->programChanges; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;

  private:
    Dialog dialog_;
};

// Marks a handler as running for as long as it runs, however it ends.
class HandlerRun {
  public:
    explicit HandlerRun(Dialog dialog) : dialog_(dialog) { dialog_->handlerRunning = true; }
    ~HandlerRun() { dialog_->handlerRunning = false; }
    HandlerRun(const HandlerRun&) = delete;
    HandlerRun& operator=(const HandlerRun&) = delete;

  private:
    Dialog dialog_;
};

// The program's dialogs from the panel to the innermost modal one; message boxes and the
// Open dialog belong to the last one that is still there.
std::vector<HWND>& openDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

// A control id that no template uses: the default "button" of a dialog without one, so
// that Enter in its fields does nothing instead of clicking the control with id 1.
constexpr WPARAM noDefaultButton = 0xFFFE;

bool hasDefaultButton(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
            return true;
    return false;
}

HWND control(Dialog dialog, int controlId) {
    return GetDlgItem(dialog->hwnd, controlId);
}

LRESULT send(Dialog dialog, int controlId, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(dialog->hwnd, controlId, message, wParam, lParam);
}

bool isComboBox(HWND hwnd) {
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    return lstrcmpiA(className, "ComboBox") == 0;
}

bool isListBox(HWND hwnd) {
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    return lstrcmpiA(className, "ListBox") == 0;
}

// The list messages of a list box and of a drop-down list differ only in their codes.
struct ListMessages {
    UINT insert, remove, removeAll, count, textLength, text, setSelection, selection;
};
constexpr ListMessages listBoxMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                                       LB_GETCOUNT,     LB_GETTEXTLEN,   LB_GETTEXT,
                                       LB_SETCURSEL,    LB_GETCURSEL};
constexpr ListMessages comboBoxMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                        CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                        CB_SETCURSEL,    CB_GETCURSEL};

const ListMessages& listMessages(Dialog dialog, int controlId) {
    return isComboBox(control(dialog, controlId)) ? comboBoxMessages : listBoxMessages;
}

std::optional<ControlEvent> eventOf(HWND source, WORD code) {
    if (code == EN_CHANGE)
        return ControlEvent::TextChanged;
    if (source && (isListBox(source) || isComboBox(source))) {
        if (code == LBN_SELCHANGE)
            return ControlEvent::SelectionChanged;
        if (code == LBN_DBLCLK && isListBox(source))
            return ControlEvent::DoubleClick;
        return std::nullopt;
    }
    if (code == BN_CLICKED)
        return ControlEvent::Click;
    return std::nullopt;
}

bool dispatchCommand(Dialog dialog, WPARAM wParam, LPARAM lParam) {
    if (dialog->programChanges > 0 || dialog->handlerRunning)
        return false;
    const int controlId = LOWORD(wParam);
    const std::optional<ControlEvent> event =
        eventOf(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    if (!event)
        return false;
    const auto found = dialog->handlers.find({controlId, *event});
    if (found == dialog->handlers.end()) {
        if (!dialog->modal || *event != ControlEvent::Click ||
            (controlId != IDOK && controlId != IDCANCEL))
            return false;
        EndDialog(dialog->hwnd, 0);
        return true;
    }
    HandlerRun run(dialog);
    // A copy: the handler may replace the handlers of its own dialog.
    const ControlHandler handler = found->second;
    handler(dialog, controlId, *event);
    return true;
}

INT_PTR colourControl(Dialog dialog, HDC deviceContext, HWND source) {
    const auto found = dialog->backgrounds.find(GetDlgCtrlID(source));
    if (found == dialog->backgrounds.end())
        return FALSE;
    HBRUSH& brush = dialog->brushes[found->second];
    if (!brush)
        brush = CreateSolidBrush(found->second);
    SetBkColor(deviceContext, found->second);
    return reinterpret_cast<INT_PTR>(brush);
}

void dialogDestroyed(Dialog dialog) {
    if (dialog->destroyed)
        dialog->destroyed(dialog);
    for (const auto& [colour, brush] : dialog->brushes)
        DeleteObject(brush);
    dialog->brushes.clear();
}

INT_PTR handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog>(lParam);
        dialog->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        openDialogs().push_back(hwnd);
        if (!hasDefaultButton(hwnd))
            SendMessageA(hwnd, DM_SETDEFID, noDefaultButton, 0);
        if (dialog->prepare)
            dialog->prepare(dialog);
        return TRUE;
    }
    auto* dialog = reinterpret_cast<Dialog>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!dialog)
        return FALSE;
    switch (message) {
    case WM_COMMAND: return dispatchCommand(dialog, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return colourControl(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: dialogDestroyed(dialog); return FALSE;
    case WM_ENDSESSION:
        if (wParam && dialog->sessionEnd)
            dialog->sessionEnd(dialog);
        return FALSE;
    case WM_NCDESTROY:
        std::erase(openDialogs(), hwnd);
        dialog->hwnd = nullptr;
        return FALSE;
    default: return FALSE;
    }
}

// Nothing may unwind through the system's code.
INT_PTR CALLBACK dialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return handleMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

} // namespace

HWND win32::dialogWindow(Dialog dialog) {
    return dialog->hwnd;
}

HWND win32::frontmostDialog() {
    return openDialogs().empty() ? nullptr : openDialogs().back();
}

Dialog createDialog(int templateId) {
    auto* dialog = new DialogObject;
    if (!CreateDialogParamA(win32::instance(), MAKEINTRESOURCEA(templateId), nullptr,
                            dialogProcedure, reinterpret_cast<LPARAM>(dialog))) {
        delete dialog;
        return nullptr;
    }
    return dialog;
}

void onControlEvent(Dialog dialog, int controlId, ControlEvent event, ControlHandler handler) {
    dialog->handlers[{controlId, event}] = std::move(handler);
}

void onDestroyed(Dialog dialog, DialogHandler handler) {
    dialog->destroyed = std::move(handler);
}

void onSessionEnd(Dialog dialog, DialogHandler handler) {
    dialog->sessionEnd = std::move(handler);
}
void showDialog(Dialog dialog, int showCommand) {
    ShowWindow(dialog->hwnd, showCommand);
}
void destroyDialog(Dialog dialog) {
    DestroyWindow(dialog->hwnd);
}

void runModalDialog(Dialog owner, int templateId, const DialogHandler& prepare) {
    DialogObject dialog;
    dialog.modal = true;
    dialog.prepare = prepare;
    DialogBoxParamA(win32::instance(), MAKEINTRESOURCEA(templateId), owner ? owner->hwnd : nullptr,
                    dialogProcedure, reinterpret_cast<LPARAM>(&dialog));
}

void endDialog(Dialog dialog) {
    EndDialog(dialog->hwnd, 0);
}

int runMainLoop(Dialog dialog) {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        if (dialog->hwnd && IsDialogMessageA(dialog->hwnd, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void postQuit(int exitValue) {
    PostQuitMessage(exitValue);
}

void setText(Dialog dialog, int controlId, std::string_view text) {
    ProgramChange change(dialog);
    SetDlgItemTextA(dialog->hwnd, controlId, std::string(text).c_str());
}

std::string text(Dialog dialog, int controlId) {
    HWND hwnd = control(dialog, controlId);
    std::string result(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    result.resize(static_cast<std::size_t>(
        GetWindowTextA(hwnd, result.data(), static_cast<int>(result.size()))));
    return result;
}

void setEnabled(Dialog dialog, int controlId, bool enabled) {
    EnableWindow(control(dialog, controlId), enabled);
}

bool isEnabled(Dialog dialog, int controlId) {
    return IsWindowEnabled(control(dialog, controlId)) != FALSE;
}

void setChecked(Dialog dialog, int controlId, bool checked) {
    ProgramChange change(dialog);
    CheckDlgButton(dialog->hwnd, controlId, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool isChecked(Dialog dialog, int controlId) {
    return IsDlgButtonChecked(dialog->hwnd, controlId) == BST_CHECKED;
}

void appendItem(Dialog dialog, int controlId, std::string_view text) {
    ProgramChange change(dialog);
    const ListMessages& list = listMessages(dialog, controlId);
    send(dialog, controlId, list.insert, static_cast<WPARAM>(-1),
         reinterpret_cast<LPARAM>(std::string(text).c_str()));
}

void removeAllItems(Dialog dialog, int controlId) {
    ProgramChange change(dialog);
    send(dialog, controlId, listMessages(dialog, controlId).removeAll);
}

void setItemText(Dialog dialog, int controlId, int item, std::string_view text) {
    ProgramChange change(dialog);
    const ListMessages& list = listMessages(dialog, controlId);
    const bool wasSelected = selectedItem(dialog, controlId) == item;
    send(dialog, controlId, list.remove, static_cast<WPARAM>(item - 1));
    send(dialog, controlId, list.insert, static_cast<WPARAM>(item - 1),
         reinterpret_cast<LPARAM>(std::string(text).c_str()));
    if (wasSelected)
        send(dialog, controlId, list.setSelection, static_cast<WPARAM>(item - 1));
}

int itemCount(Dialog dialog, int controlId) {
    const LRESULT count = send(dialog, controlId, listMessages(dialog, controlId).count);
    return count < 0 ? 0 : static_cast<int>(count);
}

std::string itemText(Dialog dialog, int controlId, int item) {
    const ListMessages& list = listMessages(dialog, controlId);
    const LRESULT length = send(dialog, controlId, list.textLength, static_cast<WPARAM>(item - 1));
    if (length < 0)
        return {};
    std::string result(static_cast<std::size_t>(length) + 1, '\0');
    send(dialog, controlId, list.text, static_cast<WPARAM>(item - 1),
         reinterpret_cast<LPARAM>(result.data()));
    result.resize(static_cast<std::size_t>(length));
    return result;
}

void selectItem(Dialog dialog, int controlId, int item) {
    ProgramChange change(dialog);
    send(dialog, controlId, listMessages(dialog, controlId).setSelection,
         static_cast<WPARAM>(item - 1));
}

int selectedItem(Dialog dialog, int controlId) {
    const LRESULT selection = send(dialog, controlId, listMessages(dialog, controlId).selection);
    return selection < 0 ? 0 : static_cast<int>(selection) + 1;
}

std::vector<int> selectedItems(Dialog dialog, int controlId) {
    const LRESULT count = send(dialog, controlId, LB_GETSELCOUNT);
    if (count <= 0)
        return {};
    std::vector<int> items(static_cast<std::size_t>(count));
    const LRESULT got = send(dialog, controlId, LB_GETSELITEMS, static_cast<WPARAM>(count),
                             reinterpret_cast<LPARAM>(items.data()));
    items.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    for (int& item : items)
        ++item;
    return items;
}

void setItemSelected(Dialog dialog, int controlId, int item, bool selected) {
    ProgramChange change(dialog);
    send(dialog, controlId, LB_SETSEL, selected, item - 1);
}

void scrollToItem(Dialog dialog, int controlId, int item) {
    send(dialog, controlId, LB_SETTOPINDEX, static_cast<WPARAM>(item - 1));
}

void setSmallIcon(Dialog dialog, Icon icon) {
    SendMessageA(dialog->hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void setButtonIcon(Dialog dialog, int controlId, Icon icon) {
    if (icon)
        send(dialog, controlId, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void setControlBackground(Dialog dialog, int controlId, Colour colour) {
    dialog->backgrounds[controlId] = RGB(colour.red, colour.green, colour.blue);
}

} // namespace platform
