#include "progress_window.h"

#include "handoff/handoff.h"

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

namespace ombrix {
namespace {

constexpr UINT progressMessage = WM_APP + 1; // the worker has news
constexpr UINT doneMessage = WM_APP + 2;     // the worker has ended
constexpr int barSteps = 1000;

enum Control { CaseLine = 101, IterationLine, Bar, CancelButton };

// What the worker tells the window, under a lock, and what the window asks of the worker.
struct Shared {
    std::mutex lock;
    RunProgress latest;
    RunOutcome outcome;
    std::atomic<bool> newsPosted = false;
    std::atomic<bool> cancelWanted = false;
};

// The Cancel button, Escape and the close box: the run stops at its next report.
void askToCancel(HWND window, Shared& shared) {
    if (shared.cancelWanted.exchange(true))
        return;
    EnableWindow(GetDlgItem(window, CancelButton), FALSE);
    SetDlgItemTextA(window, IterationLine, "Cancelling: the work under way is not kept.");
}

std::string iterationLine(const RunProgress& progress) {
    if (progress.loadCase < 0)
        return "";
    char text[128];
    std::snprintf(text, sizeof text, "Iteration %d, residual %.3e", progress.solver.iteration,
                  progress.solver.residual);
    return text;
}

void show(HWND window, const RunProgress& progress) {
    SetDlgItemTextA(window, CaseLine, caseProgressLine(progress).c_str());
    SetDlgItemTextA(window, IterationLine, iterationLine(progress).c_str());
    SendDlgItemMessageA(window, Bar, PBM_SETPOS, static_cast<WPARAM>(progress.fraction * barSteps),
                        0);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Shared* shared = reinterpret_cast<Shared*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case progressMessage: {
        RunProgress latest;
        {
            const std::lock_guard<std::mutex> guard(shared->lock);
            latest = shared->latest;
            shared->newsPosted = false;
        }
        show(window, latest);
        return 0;
    }
    case doneMessage: DestroyWindow(window); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == CancelButton)
            askToCancel(window, *shared);
        return 0;
    case WM_CLOSE: askToCancel(window, *shared); return 0; // the run decides when it goes
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND makeChild(HWND parent, const char* type, const char* text, int id, RECT place) {
    return CreateWindowExA(0, type, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

HWND makeWindow(const char* title, Shared& shared) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_WAIT);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "OmbrixAnalysisProgress";
    RegisterClassA(&windowClass);
    const int width = 408, height = 160;
    HWND window = CreateWindowExA(
        0, windowClass.lpszClassName, title, WS_POPUP | WS_CAPTION | WS_SYSMENU,
        (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
        width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&shared));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (HWND child : {makeChild(window, "STATIC", "", CaseLine, {12, 12, 388, 30}),
                       makeChild(window, "STATIC", "", IterationLine, {12, 32, 388, 50}),
                       makeChild(window, PROGRESS_CLASSA, "", Bar, {12, 60, 388, 80}),
                       makeChild(window, "BUTTON", "Cancel", CancelButton, {300, 92, 388, 116})})
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendDlgItemMessageA(window, Bar, PBM_SETRANGE32, 0, barSteps);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

// The run, with every exception turned into a failure: nothing may unwind out of a thread.
RunOutcome guarded(const Run& run, const RunProgressReport& report) {
    try {
        return run(report);
    } catch (const std::exception& error) {
        return {handoff::stepFailed, error.what()};
    } catch (const RunCancelled&) {
        return {handoff::stepCancelled, ""};
    }
}

// Escape, wherever the focus is in the window, asks to cancel.
bool isEscape(const MSG& message) {
    return message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE;
}

} // namespace

int runWithProgress(const char* title, const Run& run) {
    Shared shared;
    HWND window = makeWindow(title, shared);
    std::thread worker([&] {
        shared.outcome = guarded(run, [&](const RunProgress& progress) {
            if (shared.cancelWanted)
                throw RunCancelled{};
            const std::lock_guard<std::mutex> guard(shared.lock);
            shared.latest = progress;
            if (window && !shared.newsPosted.exchange(true))
                PostMessageA(window, progressMessage, 0, 0);
        });
        if (window)
            PostMessageA(window, doneMessage, 0, 0);
    });
    MSG message{};
    while (window && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (isEscape(message))
            askToCancel(window, shared);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    worker.join();
    // A cancel is the user's own choice, told as such rather than as an error; a case that
    // did not converge still left its results.
    const UINT icon = shared.outcome.exitCode == handoff::stepCancelled      ? MB_ICONINFORMATION
                      : shared.outcome.exitCode == handoff::stepNotConverged ? MB_ICONWARNING
                                                                             : MB_ICONERROR;
    if (!shared.outcome.failure.empty())
        MessageBoxA(nullptr, shared.outcome.failure.c_str(), title,
                    MB_OK | icon | MB_SETFOREGROUND);
    return shared.outcome.exitCode;
}

} // namespace ombrix
