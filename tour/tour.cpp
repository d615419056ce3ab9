// A guided tour of a complete analysis in an installation, driven as a user would drive
// it: a cable net made with INPUT File, previewed, prepared, loaded with a loading file
// made with INCARC File, solved, and shown by the graph, text and printing programs; the About
// window, and E X I T with a program still running. Each step leaves a numbered picture
// of what the user sees and a line saying what it shows; a step whose window does not
// appear, or whose file is not written, ends the tour with a failure.
//
//   ombrix_tour INSTALLATION PICTURES
//
// The tour works in a copy of INSTALLATION, laid out anew in the temporary folder.

#include "creator_controls.h"
#include "driver.h"
#include "gdiplus_painter.h"
#include "ids.h"
#include "raster.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace e2e;
using ombrix::CreatorControl;

struct TourFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A visible top-level window of any program whose title holds `title`, in any case.
HWND anyWindow(const std::string& title) {
    struct Search {
        std::string title;
        HWND found = nullptr;
    } search{lowerCase(title), nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            if (IsWindowVisible(window) &&
                lowerCase(windowText(window)).find(s.title) != std::string::npos)
                s.found = window;
            return s.found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForAnyWindow(const std::string& title, std::chrono::milliseconds timeout = 60s) {
    HWND found = nullptr;
    if (!waitUntil([&] { return (found = anyWindow(title)) != nullptr; }, timeout))
        throw TourFailure("no window \"" + title + "\" appeared");
    return found;
}

void expect(bool condition, const std::string& what) {
    if (!condition)
        throw TourFailure(what);
}

// A button pressed as the user presses it, in its window brought to the front: a click on
// a window left in the background after another program's window closed may be lost.
void press(HWND window, int button) {
    SetForegroundWindow(window);
    click(control(window, button));
}

// The screen as the user sees it over the windows' area, as a picture.
ombrix::Raster screenOver(const std::vector<HWND>& windows) {
    RECT area{};
    for (HWND window : windows) {
        RECT frame{};
        GetWindowRect(window, &frame);
        UnionRect(&area, &area, &frame);
    }
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    const int width = area.right - area.left, height = area.bottom - area.top;
    ombrix::Raster picture(std::max(width, 1), std::max(height, 1), {255, 255, 255});
    HDC screenDc = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screenDc);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && width > 0 && height > 0) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screenDc, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        std::transform(pixels, pixels + std::size_t(width) * height, picture.pixels(),
                       [](std::uint32_t pixel) { return pixel & 0xFFFFFF; });
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screenDc);
    return picture;
}

class Tour {
  public:
    Tour(const fs::path& installation, fs::path pictures)
        : installation_(fs::temp_directory_path() / "OMBRIX Tour"), pictures_(std::move(pictures)) {
        fs::remove_all(installation_);
        fs::copy(installation, installation_, fs::copy_options::recursive);
        fs::create_directories(pictures_);
        for (const auto& entry : fs::directory_iterator(pictures_))
            if (entry.path().extension() == ".png")
                fs::remove(entry.path());
        captions_.open(pictures_ / "tour.txt", std::ios::binary);
    }

    // The picture of the windows, numbered, and the line saying what it shows.
    void snap(const std::vector<HWND>& windows, const std::string& name, const std::string& what) {
        Sleep(300); // the windows' last paint reaches the screen
        char number[8];
        std::snprintf(number, sizeof number, "%02d", ++step_);
        const std::string file = std::string(number) + "-" + name + ".png";
        expect(ombrix::savePng(screenOver(windows), utf8Text(pictures_ / file)),
               "the picture " + file + " could not be saved");
        captions_ << file << ": " << what << "\r\n";
        captions_.flush();
        std::printf("%s  %s\n", file.c_str(), what.c_str());
        std::fflush(stdout);
    }

    fs::path dat(const std::string& name) const { return installation_ / "Dat" / name; }
    const fs::path& installation() const { return installation_; }

  private:
    fs::path installation_;
    fs::path pictures_;
    std::ofstream captions_;
    int step_ = 0;
};

void waitForFile(const fs::path& file) {
    expect(waitUntil([&] { return fs::exists(file); }, 30s), utf8Text(file) + " was not written");
}

void saveThrough(HWND window, const fs::path& file) {
    click(control(window, ombrix::SaveButton));
    HWND dialog = waitForAnyWindow("Save");
    chooseInOpenDialog(dialog, utf8Text(file));
    waitForFile(file);
}

void closeWindow(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    waitUntil([&] { return !IsWindow(window); });
}

// INPUT File: a saddle-shaped cable net, 16 by 16 cells of 1 m, saved into Dat.
void makeNet(Tour& tour, HWND panel) {
    press(panel, IDC_INPUT_FILE);
    HWND maker = waitForAnyWindow("OMBRIX - Make_FrameFile"); // a cable net to begin with
    const char* values[] = {"16", "16", "1", "1.6", "2", "20000"};
    for (int k = 0; k < 6; ++k)
        typeText(control(maker, ombrix::FirstParameter + k), values[k]);
    expect(waitUntil([&] {
               return windowText(control(maker, ombrix::StatusText)) == "289 nodes, 480 members";
           }),
           "Make_FrameFile did not take the net");
    tour.snap({maker}, "make-framefile",
              "INPUT File starts Make_FrameFile: a saddle-shaped cable net of 16 x 16 cells, "
              "prestressed to 2 kN, previewed as it is typed");
    saveThrough(maker, tour.dat("Saddle.dat"));
    closeWindow(maker);
}

// INCARC File: snow on every free node, then wind lifting the net, in 20 steps each.
void makeLoading(Tour& tour) {
    HWND maker = waitForAnyWindow("OMBRIX - Make_ForceFile");
    press(maker, ombrix::OpenButton);
    chooseInOpenDialog(waitForAnyWindow("Open"), utf8Text(tour.dat("Saddle.dat")));
    expect(waitUntil([&] {
               return windowText(control(maker, ombrix::StatusText)).find(" nodes") !=
                      std::string::npos;
           }),
           "Make_ForceFile did not open Saddle.dat");
    const struct {
        const char* number;
        const char* force;
        LRESULT rows;
    } cases[] = {{"1", "0 0 -0.8", 1}, {"2", "0.2 0 0.5", 2}};
    for (const auto& loadCase : cases) {
        typeText(control(maker, ombrix::CaseField), loadCase.number);
        typeText(control(maker, ombrix::ValuesField), loadCase.force);
        typeText(control(maker, ombrix::StepsField), "20");
        press(maker, ombrix::AddButton);
        expect(waitUntil([&] {
                   return SendMessageA(control(maker, ombrix::CaseTable),
                                       0x1004 /*LVM_GETITEMCOUNT*/, 0, 0) == loadCase.rows;
               }),
               "Make_ForceFile did not add the case");
    }
    tour.snap({maker}, "make-forcefile",
              "INCARC File starts Make_ForceFile: two load cases on every free node of the net, "
              "snow (0.8 kN down) and wind (lifting and pushing), 20 steps each");
    saveThrough(maker, tour.dat("Saddle.inc"));
    closeWindow(maker);
}

// An analysis step: the button pressed, and the step's line looked for among the Program
// Status lines that follow (a program started beside the shell may end meanwhile).
void runStep(HWND panel, int button, const std::string& done,
             const std::function<void()>& whileRunning = {}) {
    HWND status = control(panel, IDC_PROGRAM_STATUS);
    const std::size_t before = listCount(status);
    press(panel, button);
    if (whileRunning)
        whileRunning();
    const auto finished = [&] {
        const std::vector<std::string> lines = listItems(status);
        return std::find(lines.begin() + std::min(before, lines.size()), lines.end(), done) !=
               lines.end();
    };
    if (!waitUntil(finished, 120s))
        throw TourFailure("the Program Status list has no line \"" + done + "\" but \"" +
                          listItems(status).back() + "\"");
}

// A program the panel starts beside itself: its window pictured and closed.
void showProgram(Tour& tour, HWND panel, int button, const std::string& title,
                 const std::string& name, const std::string& what) {
    press(panel, button);
    HWND window = waitForAnyWindow(title);
    Sleep(700); // drawn
    tour.snap({window}, name, what);
    closeWindow(window);
}

// Suspends or resumes every thread of a process.
void holdProcess(DWORD processId, bool held) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == processId)
            if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
                held ? SuspendThread(thread) : ResumeThread(thread);
                CloseHandle(thread);
            }
    CloseHandle(snapshot);
}

// I T E R: Solve's progress window, held still for its picture once it shows the first
// case, for a fast machine solves this net in a second.
void solve(Tour& tour, HWND panel) {
    press(panel, IDC_ALL_CASES);
    expect(waitUntil([&] { return isEnabled(control(panel, IDC_ITER)); }),
           "I T E R stays disabled");
    runStep(panel, IDC_ITER, "Solve 20: Finished", [&] {
        HWND progress = waitForAnyWindow("OMBRIX - Solve");
        DWORD solveId = 0;
        GetWindowThreadProcessId(progress, &solveId);
        const int caseLine = 101;
        waitUntil([&] { return !windowText(GetDlgItem(progress, caseLine)).empty(); }, 2s, 5ms);
        holdProcess(solveId, true);
        tour.snap({panel, progress}, "solve",
                  "I T E R starts Solve on the cases chosen: its progress window, with Cancel");
        holdProcess(solveId, false);
    });
    tour.snap({panel}, "solved", "Solve has finished: every case converged, the panel is ready");
}

void tourOf(Tour& tour, Shell& shell) {
    HWND welcome = shell.waitForWindow("Welcome");
    expect(welcome != nullptr, "the welcome window did not appear");
    tour.snap({welcome}, "welcome",
              "The shell starts with its welcome window; a click opens the panel");
    HWND panel = shell.openPanel();
    expect(panel != nullptr, "the panel did not appear");
    tour.snap({panel}, "panel", "The launcher panel, before any analysis");

    makeNet(tour, panel);
    typeText(control(panel, IDC_GEOMETRY_FILE), utf8Text(tour.dat("Saddle.dat")));
    showProgram(tour, panel, IDC_PREVIEW, "OMBRIX - Glance", "preview",
                "Preview starts Glance on the geometry file: the net in 3-D, cables and supports");
    runStep(panel, IDC_INPUT, "Prepare 20: Finished");
    waitForFile(tour.dat("Saddle.rez"));
    tour.snap({panel}, "input", "INPUT has prepared the net: Prepare 20 finished, INCARC enabled");

    press(panel, IDC_INCARC_FILE);
    makeLoading(tour);
    runStep(panel, IDC_INCARC, "Forces 20: Finished");
    tour.snap({panel}, "incarc",
              "INCARC has prepared the loading: its cases listed to choose from");
    solve(tour, panel);

    showProgram(tour, panel, IDC_DISPLACED_GRAPH, "OMBRIX - PlotterD", "displaced",
                "Displaced Structure Graph: the net under snow over its drawn shape, members "
                "coloured by axial force");
    showProgram(tour, panel, IDC_MAX_PROCESSOR, "OMBRIX - PeakFinder", "peaks",
                "Max Processor: the largest displacements, forces and reactions of each case");
    showProgram(tour, panel, IDC_DIAGRAMS, "OMBRIX - Charts", "diagrams",
                "Diagrams: the load-displacement path of the node that moved most, and the "
                "members' forces");

    selectItem(panel, IDC_TEXT_FILE_LIST, 3);
    showProgram(tour, panel, IDC_VIEW_EDIT, "Notepad", "output",
                "View/Edit opens the output file in Notepad");
    showProgram(tour, panel, IDC_PRINT, "OMBRIX - Printout", "print",
                "Print starts Printout on the output file: its pages as they will print, with a "
                "header on each");
    showProgram(tour, panel, IDC_ABOUT, "About OMBRIX", "about", "The About window");

    press(panel, IDC_PREVIEW);
    waitForAnyWindow("OMBRIX - Glance");
    press(panel, IDC_EXIT);
    HWND question = shell.waitForWindow("OMBRIX Message");
    expect(question != nullptr, "E X I T did not ask about the program still running");
    tour.snap({panel, question}, "exit",
              "E X I T with Glance still running: the shell asks before it ends it");
    answer(question, IDYES);
    expect(shell.waitForExit() == std::optional<DWORD>(0), "the shell did not end with code 0");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "ombrix_tour INSTALLATION PICTURES\n");
        return 2;
    }
    const ombrix::GdiplusSession gdiplus;
    Tour tour(pathOf(argv[1]), pathOf(argv[2]));
    try {
        Shell shell(tour.installation() / "Exe");
        try {
            tourOf(tour, shell);
        } catch (const TourFailure& failure) { // the screen as it was, for whoever looks into it
            std::string running;
            for (const std::string& child : shell.runningChildren())
                running += " " + child;
            tour.snap({GetDesktopWindow()}, "stopped",
                      failure.what() + std::string("; running:") + running);
            throw;
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "The tour stopped: %s\n", failure.what());
        return 1;
    }
    return 0;
}
