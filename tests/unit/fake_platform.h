#pragma once

// The platform as the unit tests see it: dialogs, windows, message boxes and sounds are
// kept in memory and recorded; files are real, under a temporary root folder that
// stands for the Windows file system ("C:\Ombrix\Exe\Sound.dat" is
// <root>/C/Ombrix/Exe/Sound.dat). Tests act as the user through click(), type() and
// select(), which call the registered handlers as the real dialog layer would.

#include "dialog_templates.h"
#include "platform/platform.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fake {

struct Control {
    ControlKind kind = ControlKind::Static;
    bool visible = true;
    std::string text;
    bool enabled = true;
    bool checked = false;
    std::vector<std::string> items;
    int selected = 0; // of a single-selection list
    bool multipleSelection = false;
    std::set<int> selection; // of a list of multiple selection
    platform::Icon icon = nullptr;
    std::optional<platform::Colour> background;
    int topItem = 0; // the item a list was last scrolled to
};

struct Message {
    std::string text;
    std::string title;
    platform::MessageIcon icon;
    platform::MessageButtons buttons;
};

struct LoadedIcon {
    std::string path;
    int size;
    bool vgaColours;
};

struct Window {
    std::string className;
    std::string title;
    int width = 0, height = 0;
    int x = -1, y = -1;
    bool visible = false;
    bool destroyed = false;
    int timerMilliseconds = 0;
};

// What a window's painting drew, in order: "icon", "text", "line" or "paragraph", at
// (x, y), a line or paragraph to (x1, y1), with the colour and the font face then in use
// ("" for the window's default font).
struct Drawing {
    std::string what;
    int x = 0, y = 0, x1 = 0, y1 = 0;
    std::string text;
    platform::Colour colour;
    std::string face;
};

// A program started beside the shell or run while the shell waits.
struct Process {
    std::string applicationName; // empty for a program the shell waits for
    std::string commandLine;
    bool ended = false;
    bool endedByShell = false;
};

// What a shell asked of the Open dialog.
struct FileRequest {
    std::string title;
    std::vector<platform::FileFilter> filters;
    std::string defaultExtension;
    std::string initialFolder;
    std::string proposedName;
};

struct State {
    std::filesystem::path root;
    std::string currentDirectory = "C:\\Ombrix\\Exe";
    platform::Rect desktop{0, 0, 1280, 1024};

    std::vector<Message> messages;
    std::deque<platform::Answer> answers; // the answers to questions, No when none is left
    std::function<void(const Message&)> whileShown; // what happens while a message is up
    std::vector<std::string> sounds;
    std::vector<std::string> standardOutput;
    std::vector<LoadedIcon> icons;
    std::set<std::string> unwritableFiles; // Windows paths whose writes fail
    std::vector<std::string> cleanedFiles; // whose leftover replacements were removed
    std::string windowsDirectory = "C:\\Windows";
    std::map<std::string, std::string> registeredPrograms; // by file name, as "App Paths"
    std::set<std::string> claimedInstanceNames;            // by this or another running shell
    std::vector<std::string> instancesShown;               // the captions brought to the front

    std::vector<Process> processes;
    std::set<std::string> unstartablePrograms; // program paths whose start fails
    int exitCode = 0;                          // of every program the shell waits for
    // What a program that the shell waits for does while it runs.
    std::function<void(const Process&)> whileRunning;

    // The screen a window is painted on, and its fonts: each face has its metrics (the
    // window's default font under ""), and a text's width is 7 pixels a character.
    int pixelsPerInch = 96;
    std::map<std::string, platform::FontMetrics> fonts{
        {"", {16, 0}}, {"TmsRoman", {22, 1}}, {"Arial", {15, 0}}};
    std::vector<Drawing> drawings;
    int fontsAlive = 0;

    bool refuseClassRegistration = false;
    bool refuseWindowCreation = false;
    bool refuseDialogCreation = false;
    std::map<std::string, platform::WindowProcedure> classes;
    std::vector<Window> windows;
    // What happens to the welcome window while start-up waits for it.
    std::vector<platform::WindowEvent> welcomeEvents{platform::WindowEvent::Painted,
                                                     platform::WindowEvent::Timer};
    std::vector<FileRequest> fileRequests;
    std::deque<std::optional<std::string>> chosenFiles; // the user's choices; cancel when none
    // The user's actions in a modal dialog, which is cancelled when they do not end it.
    std::function<void(platform::Dialog)> modalDialog;

    // The user's actions while the main loop runs.
    std::function<void(platform::Dialog)> mainLoop;
    std::optional<int> quitValue;
};

State& state();
// Starts afresh with an empty root folder; ends every dialog and window of the last test.
void reset(const std::filesystem::path& root);

// Where a Windows path lies in the test's root folder.
std::filesystem::path hostPath(const std::string& windowsPath);

// The dialog created last, and its controls. A control that the dialog's template does
// not have cannot be touched: it throws.
platform::Dialog lastDialog();
Control& control(platform::Dialog dialog, int controlId);
bool isVisible(platform::Dialog dialog);
bool isDestroyed(platform::Dialog dialog);
platform::Icon smallIcon(platform::Dialog dialog);

// The user's actions. A disabled control takes none; a check box toggles on a click;
// OK (1) and Cancel (2) without handlers end a modal dialog.
void click(platform::Dialog dialog, int controlId);
void doubleClick(platform::Dialog dialog, int controlId, int item);
void type(platform::Dialog dialog, int controlId, const std::string& text);
// Selects an item; in a list of multiple selection, toggles it.
void select(platform::Dialog dialog, int controlId, int item);
// Windows ends the session.
void endSession(platform::Dialog dialog);
// Something the user or the system does to a window; a paint request paints it first.
void deliver(platform::Window window, platform::WindowEvent event);

} // namespace fake
