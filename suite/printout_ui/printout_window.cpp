#include "printout_window.h"

#include "file_dialogs.h"
#include "input_error.h"
#include "page_drawing.h"
#include "printout_commands.h"
#include "program_window.h"
#include "text_encoding.h"
#include "view_files.h"
#include "viewer_arguments.h"
#include "win32_storage.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <utility>

namespace ombrix {
namespace {

constexpr const char* textFilter = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
constexpr const char* printFileFilter = "Printer files (*.prn)\0*.prn\0All files (*.*)\0*.*\0";
constexpr const char* newTextName = "New text";
constexpr int largestTypedPoints = 14; // the largest type the user may choose

struct Printout {
    std::string title = titleOf("Printout");
    std::string path; // of the text shown or saved; empty for a new text never saved
    std::string text; // the text shown, when none is typed
    LaidOutText laid;
    std::optional<int> points; // the type size the user chose; else the largest that fits
    std::size_t page = 0;
    HWND typed = nullptr; // the edit control of a new text
    HWND status = nullptr;
};

std::string nameOf(const Printout& printout) {
    return printout.path.empty() ? newTextName : fileNameOf(printout.path);
}

std::string textToPrint(const Printout& printout) {
    return printout.typed ? textOf(printout.typed) : printout.text;
}

void setStatus(const Printout& printout, int part, const std::string& text) {
    SendMessageA(printout.status, SB_SETTEXTA, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void showState(HWND window, const Printout& printout) {
    SetWindowTextA(window, (printout.title + " - " + nameOf(printout)).c_str());
    setStatus(printout, 0,
              printout.typed ? "New text"
                             : "Page " + std::to_string(printout.page + 1) + " of " +
                                   std::to_string(printout.laid.pages.size()) + ", " +
                                   std::to_string(printout.laid.points) + " pt");
    setStatus(printout, 1,
              printout.laid.printer.empty() ? "No printer: an A4 page"
                                            : "Printer: " + printout.laid.printer);
    const UINT pageItems = printout.typed ? MF_GRAYED : MF_ENABLED;
    for (const unsigned command :
         {NextPage, PreviousPage, FirstPage, LastPage, LargerType, SmallerType})
        EnableMenuItem(GetMenu(window), command, MF_BYCOMMAND | pageItems);
    InvalidateRect(window, nullptr, FALSE);
}

RECT previewArea(HWND window, const Printout& printout) {
    RECT client{}, status{};
    GetClientRect(window, &client);
    GetWindowRect(printout.status, &status);
    client.bottom = std::max(client.top, client.bottom - (status.bottom - status.top));
    return client;
}

// The sheet of paper, as large as the area holds with a margin around it.
RECT sheetIn(const RECT& area, const Paper& paper) {
    const int margin = static_cast<int>(16 * systemPixel());
    const double scale =
        std::min(double(area.right - area.left - 2 * margin) / std::max(paper.width, 1),
                 double(area.bottom - area.top - 2 * margin) / std::max(paper.height, 1));
    const int width = std::max(static_cast<int>(paper.width * scale), 1);
    const int height = std::max(static_cast<int>(paper.height * scale), 1);
    const int left = (area.left + area.right - width) / 2;
    const int top = (area.top + area.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

// The page on the sheet: the paper's device units mapped onto it.
void drawSheet(HDC dc, const RECT& sheet, const Printout& printout) {
    const Paper& paper = printout.laid.paper;
    RECT shadow = sheet;
    OffsetRect(&shadow, 4, 4);
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
    FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &sheet, GetSysColorBrush(COLOR_3DSHADOW));
    const int width = sheet.right - sheet.left, height = sheet.bottom - sheet.top;
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, paper.width, paper.height, nullptr);
    SetViewportExtEx(dc, width, height, nullptr);
    SetViewportOrgEx(dc, sheet.left + MulDiv(paper.printableLeft, width, paper.width),
                     sheet.top + MulDiv(paper.printableTop, height, paper.height), nullptr);
    drawPage(dc, printout.laid, printout.page, {nameOf(printout), today()});
    RestoreDC(dc, saved);
}

void paintPreview(HWND window, const Printout& printout) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    const RECT area = previewArea(window, printout);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP picture = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ old = SelectObject(memory, picture);
    FillRect(memory, &area, GetSysColorBrush(COLOR_APPWORKSPACE));
    if (!printout.typed)
        drawSheet(memory, sheetIn(area, printout.laid.paper), printout);
    BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

void turnTo(HWND window, Printout& printout, std::ptrdiff_t page) {
    const auto last = static_cast<std::ptrdiff_t>(printout.laid.pages.size()) - 1;
    printout.page = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(page, 0, last));
    showState(window, printout);
}

void turnBy(HWND window, Printout& printout, std::ptrdiff_t pages) {
    turnTo(window, printout, static_cast<std::ptrdiff_t>(printout.page) + pages);
}

// The type a point larger or smaller than shown, the pages laid out anew in it, the page
// shown kept where it still is.
void changeTypeBy(HWND window, Printout& printout, int points) {
    if (printout.typed)
        return;
    printout.points = std::clamp(printout.laid.points + points, smallestPoints, largestTypedPoints);
    printout.laid = laidOutForDefaultPrinter(printout.text, printout.points);
    turnBy(window, printout, 0);
}

// A font for typing: the printed font's face at 10 points on the screen.
HFONT typingFont() {
    static HFONT font =
        CreateFontA(-MulDiv(10, static_cast<int>(96 * systemPixel()), 72), 0, 0, 0, FW_NORMAL,
                    FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                    CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    return font;
}

void addTypingArea(HWND window, Printout& printout) {
    printout.typed = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
            ES_AUTOHSCROLL | ES_WANTRETURN,
        0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(TypedText)),
        GetModuleHandleA(nullptr), nullptr);
    SendMessageA(printout.typed, WM_SETFONT, reinterpret_cast<WPARAM>(typingFont()), TRUE);
    SendMessageA(printout.typed, EM_SETLIMITTEXT, 0, 0);
    SetFocus(printout.typed);
}

void layOutChildren(HWND window, const Printout& printout) {
    SendMessageA(printout.status, WM_SIZE, 0, 0);
    RECT client{};
    GetClientRect(window, &client);
    const int parts[] = {client.right / 4, client.right * 3 / 4, -1};
    SendMessageA(printout.status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    setStatus(printout, 2, printout.path);
    if (printout.typed) {
        const RECT area = previewArea(window, printout);
        MoveWindow(printout.typed, 0, 0, area.right, area.bottom, TRUE);
    }
    InvalidateRect(window, nullptr, FALSE);
}

void onCreate(HWND window, Printout& printout) {
    printout.status =
        CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(StatusBar)),
                        GetModuleHandleA(nullptr), nullptr);
    if (printout.path.empty())
        addTypingArea(window, printout);
    printout.laid = laidOutForDefaultPrinter(printout.text, printout.points);
    layOutChildren(window, printout);
    showState(window, printout);
}

// True when there is no typed text that a change would lose, or the user lets it go.
bool mayLeaveTypedText(HWND window, const Printout& printout, const char* question) {
    if (!printout.typed || !SendMessageA(printout.typed, EM_GETMODIFY, 0, 0))
        return true;
    return MessageBoxA(window, question, printout.title.c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void onOpen(HWND window, Printout& printout) {
    if (!mayLeaveTypedText(window, printout,
                           "The typed text is not saved. Open another file without it?"))
        return;
    const std::optional<std::string> path = askOpenName(window, textFilter);
    if (!path)
        return;
    try {
        const TextFile file = readTextFile(*path);
        if (printout.typed)
            DestroyWindow(std::exchange(printout.typed, nullptr));
        printout.path = file.path;
        printout.text = file.text;
        printout.points.reset();
        printout.laid = laidOutForDefaultPrinter(printout.text);
        printout.page = 0;
        layOutChildren(window, printout);
        showState(window, printout);
    } catch (const FileRefused& refused) {
        tellProblem(window, printout.title, refused.what());
    }
}

void onSaveAs(HWND window, Printout& printout) {
    if (!printout.typed)
        return;
    const std::optional<std::string> path =
        askSaveName(window, textFilter, "txt", printout.path.empty() ? "" : nameOf(printout));
    if (!path || !saveText(window, printout.title, *path, textOf(printout.typed)))
        return;
    printout.path = *path;
    SendMessageA(printout.typed, EM_SETMODIFY, FALSE, 0);
    layOutChildren(window, printout);
    showState(window, printout);
}

// The printer, pages and copies the user chose in the standard Print dialog.
struct PrintChoice {
    HDC printer = nullptr; // the caller deletes it
    std::string printerName;
    std::optional<PageRange> pages; // none: all of them
    bool toFile = false;
};

std::optional<PrintChoice> askPrintChoice(HWND window, const Printout& printout, int pages) {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_NOWARNING;
    dialog.nFromPage = dialog.nMinPage = 1;
    dialog.nToPage = dialog.nMaxPage = static_cast<WORD>(std::clamp(pages, 1, 0xFFFF));
    dialog.nCopies = 1;
    if (!PrintDlgA(&dialog)) {
        if (CommDlgExtendedError() == PDERR_NODEFAULTPRN)
            tellProblem(window, printout.title,
                        "No printer is installed. Add one in the system's printer settings "
                        "and print again.");
        return std::nullopt;
    }
    PrintChoice choice{dialog.hDC, {}, std::nullopt, (dialog.Flags & PD_PRINTTOFILE) != 0};
    if (const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog.hDevNames))) {
        choice.printerName = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
        GlobalUnlock(dialog.hDevNames);
    }
    if (dialog.Flags & PD_PAGENUMS)
        choice.pages = PageRange{dialog.nFromPage, dialog.nToPage};
    GlobalFree(dialog.hDevMode);
    GlobalFree(dialog.hDevNames);
    return choice;
}

// Where a print to a file goes, or nothing when the user cancelled.
std::optional<std::string> askPrintFile(HWND window, const Printout& printout) {
    const std::string name = nameOf(printout);
    return askFileToSave(window, name.substr(0, name.find_last_of('.')) + ".prn",
                         folderOf(printout.path), printFileFilter, "prn");
}

void printOn(HWND window, Printout& printout, const PrintChoice& choice) {
    LaidOutText laid =
        laidOut(choice.printer, choice.printerName, textToPrint(printout), printout.points);
    const int pages = static_cast<int>(laid.pages.size());
    const PageRange range = pagesToPrint(pages, choice.pages ? choice.pages->from : 1,
                                         choice.pages ? choice.pages->to : pages);
    std::optional<std::string> output = std::string();
    if (choice.toFile)
        output = askPrintFile(window, printout);
    if (!output)
        return;
    const std::string failure =
        printPages(choice.printer, laid, range, {nameOf(printout), today()}, *output);
    if (!failure.empty()) {
        tellProblem(window, printout.title,
                    nameOf(printout) + " was not printed on " + choice.printerName + ": " +
                        failure);
        return;
    }
    if (!printout.typed) {
        printout.laid = std::move(laid);
        turnBy(window, printout, 0);
    }
}

void onPrint(HWND window, Printout& printout) {
    const int pages =
        printout.typed
            ? static_cast<int>(
                  laidOutForDefaultPrinter(textToPrint(printout), printout.points).pages.size())
            : static_cast<int>(printout.laid.pages.size());
    const std::optional<PrintChoice> choice = askPrintChoice(window, printout, pages);
    if (!choice)
        return;
    printOn(window, printout, *choice);
    DeleteDC(choice->printer);
}

void onClose(HWND window, const Printout& printout) {
    if (mayLeaveTypedText(window, printout, "The typed text is not saved. Close without it?"))
        DestroyWindow(window);
}

void onCommand(HWND window, Printout& printout, unsigned command) {
    switch (command) {
    case OpenText: onOpen(window, printout); break;
    case SaveTextAs: onSaveAs(window, printout); break;
    case PrintText: onPrint(window, printout); break;
    case ExitPrintout: onClose(window, printout); break;
    case NextPage: turnBy(window, printout, 1); break;
    case PreviousPage: turnBy(window, printout, -1); break;
    case FirstPage: turnTo(window, printout, 0); break;
    case LastPage: turnTo(window, printout, PTRDIFF_MAX); break;
    case LargerType: changeTypeBy(window, printout, 1); break;
    case SmallerType: changeTypeBy(window, printout, -1); break;
    default: break;
    }
}

unsigned pageCommandOf(WPARAM key) {
    switch (key) {
    case VK_NEXT: return NextPage;
    case VK_PRIOR: return PreviousPage;
    case VK_HOME: return FirstPage;
    case VK_END: return LastPage;
    default: return 0;
    }
}

LRESULT handle(HWND window, Printout& printout, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(window, printout); return 0;
    case WM_SIZE: layOutChildren(window, printout); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paintPreview(window, printout); return 0;
    case WM_COMMAND: onCommand(window, printout, LOWORD(wParam)); return 0;
    case WM_KEYDOWN: onCommand(window, printout, pageCommandOf(wParam)); return 0;
    case WM_MOUSEWHEEL:
        turnBy(window, printout, GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? 1 : -1);
        return 0;
    case WM_CLOSE: onClose(window, printout); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

HMENU menuBar() {
    HMENU bar = CreateMenu();
    addSubmenu(bar,
               popupMenu({{OpenText, "&Open...\tCtrl+O"},
                          {SaveTextAs, "Save typed text &as...\tCtrl+S"},
                          {},
                          {PrintText, "&Print...\tCtrl+P"},
                          {},
                          {ExitPrintout, "E&xit\tEsc"}}),
               "&File");
    addSubmenu(bar,
               popupMenu({{NextPage, "&Next page\tPage Down"},
                          {PreviousPage, "&Previous page\tPage Up"},
                          {FirstPage, "&First page\tHome"},
                          {LastPage, "&Last page\tEnd"},
                          {},
                          {LargerType, "L&arger type\tCtrl++"},
                          {SmallerType, "&Smaller type\tCtrl+-"}}),
               "&Page");
    return bar;
}

HACCEL menuKeys() {
    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'O', OpenText},
        {FVIRTKEY | FCONTROL, 'S', SaveTextAs},
        {FVIRTKEY | FCONTROL, 'P', PrintText},
        {FVIRTKEY, VK_ESCAPE, ExitPrintout},
        {FVIRTKEY | FCONTROL, VK_OEM_PLUS, LargerType},
        {FVIRTKEY | FCONTROL, VK_ADD, LargerType},
        {FVIRTKEY | FCONTROL, VK_OEM_MINUS, SmallerType},
        {FVIRTKEY | FCONTROL, VK_SUBTRACT, SmallerType},
    };
    return CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys)));
}

} // namespace

TextFile readTextFile(const std::string& path) {
    const Win32Storage storage;
    const std::optional<std::string> bytes = storage.read(path);
    if (!bytes)
        throw FileRefused(describe(Language::English, path, 0, {Message::CannotRead, {}}));
    return {storage.fullPath(path).value_or(path), textAsUtf8(*bytes)};
}

void showPrintout(std::optional<TextFile> file) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Printout printout;
    if (file) {
        printout.path = std::move(file->path);
        printout.text = std::move(file->text);
    }
    const char* windowClass = registeredClass(
        "OmbrixPrintout", windowProcedure<Printout, handleTellingFailures<Printout>>);
    HWND window = createMainWindow(windowClass, printout.title, windowSize(systemPixel()),
                                   menuBar(), &printout);
    HACCEL keys = menuKeys();
    showUntilClosed(window, keys);
    DestroyAcceleratorTable(keys);
}

} // namespace ombrix
