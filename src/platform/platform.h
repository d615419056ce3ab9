#pragma once

// The one interface between the shell and the operating system. The shell's code
// calls only what is declared here; src/platform/win32 implements it for Windows and
// the unit tests link a fake in its place. Paths are Windows paths (backslashes).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Opaque handles. A null handle means "none": a failed creation, a missing icon.
struct WindowObject;
using Window = WindowObject*;
struct IconObject;
using Icon = IconObject*;
struct DialogObject;
using Dialog = DialogObject*;
struct ProcessObject;
using Process = ProcessObject*;

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Colour {
    std::uint8_t red = 0, green = 0, blue = 0;
};

// ---- Files and folders -------------------------------------------------------------

std::string currentDirectory();
bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> readFile(const std::string& path);
// Replaces the file's contents: the new contents are written and flushed into a
// temporary file of this process beside it, then moved over it, so that the file holds
// its old or its new contents, never a mix. A program that merely reads the file may
// keep it from being replaced for a moment; after a few tries the file is rewritten in
// place instead. False when the file could not be written; it is then untouched.
bool replaceFile(const std::string& path, std::string_view contents);
// Deletes the file; false when it is not there or cannot be deleted.
bool deleteFile(const std::string& path);
// Removes the temporary files that `replaceFile` left beside the file when its process
// was ended in the middle; those of running processes stay.
void removeLeftoverReplacements(const std::string& path);

// The full, normalised form of a path as the file system resolves it: relative to the
// current directory, "." and ".." folded, forward slashes turned back, trailing dots
// and blanks of the last part dropped. Nothing when the name is not a path.
std::optional<std::string> fullPath(const std::string& path);
// Whether two existing paths name the same file (through links and short names too).
bool isSameFile(const std::string& a, const std::string& b);

// The platform's path search: an absolute name is tested where it stands, a bare or
// relative one is looked for in the program's folder, the current directory, the
// system folders and the folders of PATH. The full path of what was found.
std::optional<std::string> searchPath(const std::string& name);
// The Windows folder ("C:\Windows"), without a trailing backslash.
std::string windowsDirectory();
// Where Windows registers an installed program by its file name (its "App Paths" entry,
// for the user or the machine); nothing when it is not registered.
std::optional<std::string> registeredProgramPath(const std::string& fileName);

// ---- Programs -----------------------------------------------------------------------

struct StartedProcess {
    Process process = nullptr; // kept open for the rest of the run
    std::uint32_t processId = 0;
};

// Starts a program beside the shell in the shell's current directory and environment;
// nothing when it cannot be started.
std::optional<StartedProcess> startProcess(const std::string& applicationName,
                                           const std::string& commandLine);
// Which of the started programs have ended, without waiting: one flag per program, in
// their order. The system is asked about them together, not about each in turn, so that
// the question costs about the same for a hundred programs as for one.
std::vector<bool> haveEnded(const std::vector<Process>& processes);
// Ends a started program with exit code 0; false when it could not be ended.
bool endProcess(Process process);
// Starts the command line and waits for the program to end. Meanwhile the dialog is
// disabled and takes no input, but goes on repainting and answering the system, so it
// never looks hung. The program's exit code, or nothing when it could not be started.
std::optional<int> runProgramAndWait(Dialog dialog, const std::string& commandLine);

// ---- One shell per installation ------------------------------------------------------

// Claims the name for this process until it ends: false when another running process holds
// it.
bool claimInstanceName(const std::string& name);
// Brings to the front the window with this caption that another process of this same
// program file shows; false when there is none.
bool showOtherInstance(const std::string& caption);

// ---- Message boxes ----------------------------------------------------------------------
// Message boxes and the Open dialog belong to the program's innermost open dialog (the
// panel, or a modal dialog over it), which takes no input until they are closed, so that
// nothing the user sees can change under a question or a choice. Without an open dialog
// (at start-up and at exit) they stand alone.

enum class MessageIcon { None, Error, Information };
enum class MessageButtons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

Answer showMessage(std::string_view text, std::string_view title, MessageIcon icon,
                   MessageButtons buttons = MessageButtons::Ok);

// One line on the program's standard output, for whoever started it from a console.
void writeStandardOutput(std::string_view line);

// ---- The Open dialog ------------------------------------------------------------------

struct FileFilter {
    std::string description; // "Data files (*.dat)"
    std::string pattern;     // "*.dat"
};

// Asks the user for an existing folder's file with the platform's Open dialog. It proposes
// `proposedName` (empty: none) and opens in its folder, or in `initialFolder` when there is none;
// the first filter is preselected, and a name typed without extension gets `defaultExtension`. The
// process's current directory is left as it was. The chosen full path, or nothing when the user
// cancelled.
std::optional<std::string> chooseFileToOpen(const std::string& title,
                                            const std::vector<FileFilter>& filters,
                                            const std::string& defaultExtension,
                                            const std::string& initialFolder,
                                            const std::string& proposedName);

// ---- Sound --------------------------------------------------------------------------

// Plays a WAV file and returns when it has ended.
void playSound(const std::string& path);

// ---- Icons --------------------------------------------------------------------------

// Loads an icon file; size 0 takes the file's own size. VGA colours reduce the icon to
// the 16 standard colours. Null when the file is missing or unreadable. Icons live for
// the whole run.
Icon loadIcon(const std::string& path, int size, bool vgaColours = false);

// ---- Plain windows: the welcome and About windows ------------------------------------

// Drawing on a window while it is painted; the canvas lives for one paint.
struct CanvasObject;
using Canvas = CanvasObject*;
struct FontObject;
using Font = FontObject*;

enum class WindowEvent {
    Created,      // the window exists, before it is first shown
    Paint,        // the window is to be drawn on the canvas (also when it is printed)
    Painted,      // a paint request has been served
    Timer,        // a timer of the window has elapsed
    LeftClick,    // the left mouse button went down in the client area
    CloseRequest, // close box or Alt+F4; the window is destroyed after the procedure
    Destroyed,    // the window is being destroyed
};
// The canvas is given with Paint only, null otherwise.
using WindowProcedure = void (*)(Window window, WindowEvent event, Canvas canvas);

// Registers a class of pop-up windows with the given icon, served by the procedure.
bool registerWindowClass(const std::string& className, Icon icon, WindowProcedure procedure);
// A hidden pop-up window with a caption and a system menu, its outer edges at `place`.
Window createPopupWindow(const std::string& className, const std::string& title,
                         const Rect& place);
void showWindow(Window window, int showCommand);
void destroyWindow(Window window);
// Starts, or restarts, a periodic timer of the window.
void startTimer(Window window, int timerId, int milliseconds);
Rect desktopRect();
// Serves the messages of this one window until `done` becomes true.
void runWindowLoop(Window window, const bool& done);

// ---- Drawing --------------------------------------------------------------------------
// Text is drawn with the canvas's default background (opaque) and alignment (the top left
// of the text cell at the point), in the colour and font last set.

struct FontMetrics {
    int height = 0;          // of a text cell, in pixels
    int externalLeading = 0; // the space the font asks for between lines
};

struct FontSpec {
    int height = 0; // negative: the height of the characters, in pixels
    int weight = 400;
    bool italic = false;
    std::string face;
};

int pixelsPerInchX(Canvas canvas);
int pixelsPerInchY(Canvas canvas);
// The program's icon resource at its natural size.
void drawProgramIcon(Canvas canvas, int iconId, int x, int y);
// Null when the font cannot be made; a font lives until it is deleted.
Font createFont(const FontSpec& wanted);
void deleteFont(Font font);
// Selects the font for the text that follows; the font selected before.
Font selectFont(Canvas canvas, Font font);
FontMetrics fontMetrics(Canvas canvas);
int textWidth(Canvas canvas, std::string_view text);
void setTextColour(Canvas canvas, Colour colour);
void drawText(Canvas canvas, int x, int y, std::string_view text);
// A solid black line, one pixel wide.
void drawLine(Canvas canvas, int x0, int y0, int x1, int y1);
// The text wrapped at word boundaries into the rectangle from its top left, its line
// breaks kept, lines spaced with the font's external leading, "&" drawn as it stands and
// nothing clipped.
void drawParagraph(Canvas canvas, const Rect& rect, std::string_view text);

// ---- The dialog layer -----------------------------------------------------------------
// A dialog is built from a template of the program's resources. Handlers are called only
// for the user's own actions: a value that the program sets never calls one.

enum class ControlEvent { Click, TextChanged, SelectionChanged, DoubleClick };
using ControlHandler = std::function<void(Dialog dialog, int controlId, ControlEvent event)>;
using DialogHandler = std::function<void(Dialog dialog)>;

// Creates a modeless dialog from the template, hidden; null when it cannot be created.
// Enter clicks the template's default push button, and nothing when it has none.
Dialog createDialog(int templateId);
void onControlEvent(Dialog dialog, int controlId, ControlEvent event, ControlHandler handler);
void onDestroyed(Dialog dialog, DialogHandler handler);
// Called when Windows ends the session (log-off, shut-down) while the dialog is open; the
// process ends soon after.
void onSessionEnd(Dialog dialog, DialogHandler handler);
void showDialog(Dialog dialog, int showCommand);
void destroyDialog(Dialog dialog);

// Runs a dialog of the template modally over its owner, which takes no input meanwhile.
// `prepare` sets the dialog up (its handlers, its values) before it is shown. The dialog
// ends by `endDialog`, or by OK and Cancel (also the Escape key and the close box) when
// no handler is registered for them.
void runModalDialog(Dialog owner, int templateId, const DialogHandler& prepare);
void endDialog(Dialog dialog);

// Runs the thread's message loop, passing the dialog its keyboard navigation, until the
// quit message arrives; returns the quit message's exit value.
int runMainLoop(Dialog dialog);
void postQuit(int exitValue);

void setText(Dialog dialog, int controlId, std::string_view text);
std::string text(Dialog dialog, int controlId);
void setEnabled(Dialog dialog, int controlId, bool enabled);
bool isEnabled(Dialog dialog, int controlId);
void setChecked(Dialog dialog, int controlId, bool checked);
bool isChecked(Dialog dialog, int controlId);

// List boxes and drop-down lists; items are numbered from 1.
void appendItem(Dialog dialog, int controlId, std::string_view text);
void removeAllItems(Dialog dialog, int controlId);
void setItemText(Dialog dialog, int controlId, int item, std::string_view text);
int itemCount(Dialog dialog, int controlId);
std::string itemText(Dialog dialog, int controlId, int item);
// Selects one item (single selection); 0 clears the selection.
void selectItem(Dialog dialog, int controlId, int item);
// The selected item of a single-selection list, or 0 when none is.
int selectedItem(Dialog dialog, int controlId);
// The text of the selected item of a single-selection list; empty when none is selected.
inline std::string selectedItemText(Dialog dialog, int controlId) {
    const int item = selectedItem(dialog, controlId);
    return item > 0 ? itemText(dialog, controlId, item) : std::string();
}
// The selected items of a list box of multiple selection, in item order.
std::vector<int> selectedItems(Dialog dialog, int controlId);
// Selects or deselects one item of a list box of multiple selection.
void setItemSelected(Dialog dialog, int controlId, int item, bool selected);
// Scrolls a list box so that the item stands at its top.
void scrollToItem(Dialog dialog, int controlId, int item);

void setSmallIcon(Dialog dialog, Icon icon);
void setButtonIcon(Dialog dialog, int controlId, Icon icon);
// Paints the background of an edit or list box in the colour, text staying black.
void setControlBackground(Dialog dialog, int controlId, Colour colour);

} // namespace platform
