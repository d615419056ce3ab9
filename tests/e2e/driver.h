#pragma once

// Drives the real ombrix.exe from another process: a fresh installation for each use, the
// shell's windows found by its process id and their titles, controls read and clicked
// through window messages. Every wait polls with a time limit.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
inline constexpr std::chrono::milliseconds defaultTimeout = 20s;

bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = defaultTimeout,
               std::chrono::milliseconds interval = 50ms);

// Paths as the shell and the suite's programs see them: UTF-8 text, their code page.
std::string utf8Text(const std::filesystem::path& path);
std::filesystem::path pathOf(const std::string& utf8);

// A copy of the staged installation (Exe with Uir and Wav, Dat, Doc) in a temporary
// folder of its own, removed when the test ends.
class Installation {
  public:
    Installation();
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path exeDir() const { return root_ / "Exe"; }
    // Files by path relative to the Exe folder.
    std::optional<std::string> read(const std::string& name) const;
    void write(const std::string& name, const std::string& contents) const;
    bool exists(const std::string& name) const;
    void remove(const std::string& name) const;

  private:
    std::filesystem::path root_;
};

// ombrix.exe running in an installation's Exe folder; ended, with every program it
// started, when the test ends.
class Shell {
  public:
    explicit Shell(const Installation& installation);
    explicit Shell(const std::filesystem::path& exeFolder);
    // The shell as a shortcut starts it: this program, with these arguments, in this folder.
    Shell(const std::filesystem::path& program, const std::string& arguments,
          const std::filesystem::path& folder);
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // A visible top-level window of this shell with this title, or null.
    HWND findWindow(const std::string& title) const;
    HWND waitForWindow(const std::string& title,
                       std::chrono::milliseconds timeout = defaultTimeout) const;
    // A visible top-level window with this title, and this class when one is given ("#32770"
    // for a message box), of a program the shell started and that still runs, or null:
    // never another test's, whose programs have the same titles.
    HWND findChildWindow(const std::string& title, const std::string& windowClass = {}) const;
    HWND waitForChildWindow(const std::string& title, const std::string& windowClass = {},
                            std::chrono::milliseconds timeout = defaultTimeout) const;
    // How many visible top-level windows of this shell have this title.
    int countWindows(const std::string& title) const;
    // Closes the welcome window with a click and waits for the panel.
    HWND openPanel() const;
    // The exit code, or nothing when the shell is still running after the timeout.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout = defaultTimeout) const;
    // The running programs that the shell started, by their executable's file name.
    std::vector<std::string> runningChildren() const;
    // How many handles the shell holds open.
    std::size_t handleCount() const;
    // Ends the shell at once, as a crash or Task Manager would.
    void kill();
    DWORD processId() const { return process_.dwProcessId; }

  private:
    PROCESS_INFORMATION process_{};
};

// The Windows folder of the prefix, where Notepad and hh.exe lie.
std::filesystem::path windowsFolder();

// Puts a stand-in program (which logs its starts like the suite's) at a path of the Wine
// prefix, in place of a platform program such as Notepad, hh.exe or Word.
void installStandIn(const std::filesystem::path& path);

HWND control(HWND dialog, int controlId);
std::string windowText(HWND window);
std::string className(HWND window);
std::vector<HWND> childWindows(HWND window);
bool isEnabled(HWND window);
bool isVisible(HWND window);
bool isChecked(HWND checkBox);

// Items and selection of a list box or a drop-down list (selection: 1-based, 0 none).
std::vector<std::string> listItems(HWND list);
int listSelection(HWND list);
// How many items, without reading them: one message however long the list.
std::size_t listCount(HWND list);

// Selects an item of a list box or drop-down list as the user would, with the change
// reported to the dialog; a double-click also reports the double-click.
void selectItem(HWND dialog, int listId, int item);
// Clicks an item of a list box as the mouse does (in a list of multiple selection, the
// click toggles it).
void clickItem(HWND list, int item);
void doubleClickItem(HWND dialog, int listId, int item);

// Types a full path into an Open dialog and confirms it.
void chooseInOpenDialog(HWND openDialog, const std::string& path);

// Clicks a button without waiting for what the click does.
void click(HWND button);
// Sets an edit's text as typing would, with the change reported to the dialog.
void typeText(HWND edit, const std::string& text);
// The first item a list box shows (1-based).
int listTopItem(HWND list);
void pressKey(HWND window, WPARAM virtualKey);
// A message box's text, and its answer by the button's id (IDOK, IDYES, IDNO), which
// returns once the box is gone.
std::string messageBoxText(HWND box);
void answer(HWND box, int buttonId);

// The colour a user sees at a point of a window's client area.
COLORREF colourAt(HWND window, POINT client);

} // namespace e2e
