#include "fake_platform.h"

#include "ids.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace platform {

struct DialogObject {
    int templateId = 0;
    bool visible = false;
    bool destroyed = false;
    std::map<int, fake::Control> controls;
    std::map<std::pair<int, ControlEvent>, ControlHandler> handlers;
    DialogHandler onDestroyed;
    DialogHandler onSessionEnd;
    Icon smallIcon = nullptr;
    bool modal = false;
    bool ended = false; // a modal dialog that has been ended
};

} // namespace platform

namespace fake {

namespace {

std::vector<std::unique_ptr<platform::DialogObject>> dialogs;

// Handles are 1-based positions in the fake's tables.
template <typename Handle> Handle handleOf(std::size_t index) {
    return reinterpret_cast<Handle>(index + 1);
}
template <typename Handle> std::size_t indexOf(Handle handle) {
    return reinterpret_cast<std::size_t>(handle) - 1;
}

Window& windowOf(platform::Window window) {
    return state().windows.at(indexOf(window));
}

// The one canvas every painting draws on; its font is the face selected last.
struct Canvas {
    std::string face;
    platform::Colour colour;
};

platform::Canvas canvas() {
    static Canvas current;
    current = Canvas();
    return reinterpret_cast<platform::Canvas>(&current);
}

Canvas& canvasOf(platform::Canvas canvas) {
    return *reinterpret_cast<Canvas*>(canvas);
}

void draw(platform::Canvas on, const std::string& what, int x, int y, int x1 = 0, int y1 = 0,
          std::string_view text = {}) {
    state().drawings.push_back(
        {what, x, y, x1, y1, std::string(text), canvasOf(on).colour, canvasOf(on).face});
}

platform::WindowProcedure procedureOf(platform::Window window) {
    const auto found = state().classes.find(windowOf(window).className);
    return found == state().classes.end() ? nullptr : found->second;
}

} // namespace

void deliver(platform::Window window, platform::WindowEvent event) {
    platform::WindowProcedure procedure = procedureOf(window);
    if (!procedure)
        return;
    if (event == platform::WindowEvent::Painted)
        procedure(window, platform::WindowEvent::Paint, canvas());
    procedure(window, event, nullptr);
}

namespace {

constexpr int okButton = 1;
constexpr int cancelButton = 2;

void notify(platform::Dialog dialog, int controlId, platform::ControlEvent event) {
    const auto found = dialog->handlers.find({controlId, event});
    if (found != dialog->handlers.end()) {
        const platform::ControlHandler handler = found->second;
        handler(dialog, controlId, event);
    } else if (dialog->modal && event == platform::ControlEvent::Click &&
               (controlId == okButton || controlId == cancelButton)) {
        platform::endDialog(dialog);
    }
}

std::map<int, Control> controlsOf(int templateId) {
    std::map<int, Control> controls;
    for (const auto& [id, made] : dialogTemplate(templateId)) {
        Control& control = controls[id];
        control.kind = made.kind;
        control.visible = made.visible;
        control.text = made.caption;
        control.multipleSelection = made.multipleSelection;
    }
    return controls;
}

std::string absolute(const std::string& windowsPath) {
    const std::string& current = state().currentDirectory;
    if (windowsPath.size() >= 2 && windowsPath[1] == ':')
        return windowsPath;
    if (!windowsPath.empty() && windowsPath[0] == '\\')
        return current.substr(0, 2) + windowsPath;
    return current + "\\" + windowsPath;
}

} // namespace

State& state() {
    static State current;
    return current;
}

void reset(const std::filesystem::path& root) {
    dialogs.clear();
    state() = State();
    state().root = root;
}

std::filesystem::path hostPath(const std::string& windowsPath) {
    const std::string full = absolute(windowsPath);
    std::filesystem::path path = state().root / std::string(1, full[0]);
    std::istringstream parts(full.substr(2));
    for (std::string part; std::getline(parts, part, '\\');)
        if (!part.empty())
            path /= part;
    return path;
}

platform::Dialog lastDialog() {
    return dialogs.empty() ? nullptr : dialogs.back().get();
}
Control& control(platform::Dialog dialog, int controlId) {
    const auto found = dialog->controls.find(controlId);
    if (found == dialog->controls.end())
        throw std::out_of_range("template " + std::to_string(dialog->templateId) +
                                " has no control " + std::to_string(controlId));
    return found->second;
}
bool isVisible(platform::Dialog dialog) {
    return dialog->visible;
}
bool isDestroyed(platform::Dialog dialog) {
    return dialog->destroyed;
}
platform::Icon smallIcon(platform::Dialog dialog) {
    return dialog->smallIcon;
}

void click(platform::Dialog dialog, int controlId) {
    Control& clicked = control(dialog, controlId);
    if (!clicked.enabled)
        return;
    if (clicked.kind == ControlKind::CheckBox)
        clicked.checked = !clicked.checked;
    notify(dialog, controlId, platform::ControlEvent::Click);
}

void doubleClick(platform::Dialog dialog, int controlId, int item) {
    select(dialog, controlId, item);
    if (!dialog->ended)
        notify(dialog, controlId, platform::ControlEvent::DoubleClick);
}

void type(platform::Dialog dialog, int controlId, const std::string& text) {
    Control& edit = control(dialog, controlId);
    // Each keystroke changes the text and reports the change.
    for (std::size_t length = 1; length <= text.size(); ++length) {
        edit.text = text.substr(0, length);
        notify(dialog, controlId, platform::ControlEvent::TextChanged);
    }
}

void select(platform::Dialog dialog, int controlId, int item) {
    Control& list = control(dialog, controlId);
    if (!list.enabled)
        return;
    if (!list.multipleSelection)
        list.selected = item;
    else if (!list.selection.erase(item))
        list.selection.insert(item);
    notify(dialog, controlId, platform::ControlEvent::SelectionChanged);
}

void endSession(platform::Dialog dialog) {
    if (dialog->onSessionEnd)
        dialog->onSessionEnd(dialog);
}

} // namespace fake

namespace platform {

using fake::state;

// ---- Files and folders

std::string currentDirectory() {
    return state().currentDirectory;
}

bool fileExists(const std::string& path) {
    return std::filesystem::is_regular_file(fake::hostPath(path));
}

bool folderExists(const std::string& path) {
    return std::filesystem::is_directory(fake::hostPath(path));
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream file(fake::hostPath(path), std::ios::binary);
    if (!file || std::filesystem::is_directory(fake::hostPath(path)))
        return std::nullopt;
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

bool replaceFile(const std::string& path, std::string_view contents) {
    if (state().unwritableFiles.count(path))
        return false;
    const std::filesystem::path target = fake::hostPath(path);
    std::filesystem::path newFile = target;
    newFile += ".new";
    {
        std::ofstream file(newFile, std::ios::binary | std::ios::trunc);
        if (!(file << contents) || !file.flush())
            return false;
    }
    std::error_code error;
    std::filesystem::rename(newFile, target, error);
    return !error;
}

bool deleteFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::remove(fake::hostPath(path), error);
}

void removeLeftoverReplacements(const std::string& path) {
    state().cleanedFiles.push_back(path);
}

// The file system's rule in short: parts "." and ".." folded, trailing dots and blanks of
// each part dropped, forward slashes read as backslashes.
std::optional<std::string> fullPath(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    std::string name = path;
    std::replace(name.begin(), name.end(), '/', '\\');
    const std::string full = fake::absolute(name);
    std::vector<std::string> parts;
    std::istringstream split(full.size() > 3 ? full.substr(3) : std::string());
    for (std::string part; std::getline(split, part, '\\');) {
        part.erase(part.find_last_not_of(". ") + 1);
        if (part.empty())
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else {
            parts.push_back(part);
        }
    }
    std::string result = full.substr(0, 2);
    for (const std::string& part : parts)
        result += "\\" + part;
    return parts.empty() ? result + "\\" : result;
}

bool isSameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(fake::hostPath(a), fake::hostPath(b), error);
}

std::optional<std::string> searchPath(const std::string& name) {
    if (name.empty())
        return std::nullopt;
    const bool absolute = name.find(':') != std::string::npos || name[0] == '\\';
    if (absolute)
        return std::filesystem::exists(fake::hostPath(name)) ? std::optional(name) : std::nullopt;
    for (const std::string& folder : {state().currentDirectory, state().windowsDirectory}) {
        const std::string candidate = folder + "\\" + name;
        if (std::filesystem::exists(fake::hostPath(candidate)))
            return candidate;
    }
    return std::nullopt;
}

std::string windowsDirectory() {
    return state().windowsDirectory;
}

std::optional<std::string> registeredProgramPath(const std::string& fileName) {
    const auto found = state().registeredPrograms.find(fileName);
    return found == state().registeredPrograms.end() ? std::nullopt : std::optional(found->second);
}

// ---- The Open dialog

std::optional<std::string> chooseFileToOpen(const std::string& title,
                                            const std::vector<FileFilter>& filters,
                                            const std::string& defaultExtension,
                                            const std::string& initialFolder,
                                            const std::string& proposedName) {
    state().fileRequests.push_back({title, filters, defaultExtension, initialFolder, proposedName});
    if (state().chosenFiles.empty())
        return std::nullopt;
    const std::optional<std::string> chosen = state().chosenFiles.front();
    state().chosenFiles.pop_front();
    return chosen;
}

// ---- Programs

namespace {

// The program a command line starts: the quoted path it begins with.
std::string programOf(const std::string& commandLine) {
    return commandLine.substr(1, commandLine.find('"', 1) - 1);
}

} // namespace

std::optional<StartedProcess> startProcess(const std::string& applicationName,
                                           const std::string& commandLine) {
    if (state().unstartablePrograms.count(applicationName))
        return std::nullopt;
    state().processes.push_back({applicationName, commandLine});
    const std::size_t index = state().processes.size() - 1;
    return StartedProcess{fake::handleOf<Process>(index), static_cast<std::uint32_t>(1000 + index)};
}

std::vector<bool> haveEnded(const std::vector<Process>& processes) {
    std::vector<bool> ended;
    for (Process process : processes)
        ended.push_back(state().processes.at(fake::indexOf(process)).ended);
    return ended;
}

bool endProcess(Process process) {
    fake::Process& ended = state().processes.at(fake::indexOf(process));
    ended.endedByShell = !ended.ended;
    ended.ended = true;
    return true;
}

std::optional<int> runProgramAndWait(Dialog, const std::string& commandLine) {
    if (state().unstartablePrograms.count(programOf(commandLine)))
        return std::nullopt;
    state().processes.push_back({"", commandLine, true});
    if (state().whileRunning)
        state().whileRunning(state().processes.back());
    return state().exitCode;
}

// ---- Message boxes, sound, icons

Answer showMessage(std::string_view text, std::string_view title, MessageIcon icon,
                   MessageButtons buttons) {
    state().messages.push_back({std::string(text), std::string(title), icon, buttons});
    if (state().whileShown)
        state().whileShown(state().messages.back());
    if (buttons == MessageButtons::Ok)
        return Answer::Ok;
    if (state().answers.empty())
        return Answer::No;
    const Answer answer = state().answers.front();
    state().answers.pop_front();
    return answer;
}

bool claimInstanceName(const std::string& name) {
    return state().claimedInstanceNames.insert(name).second;
}

bool showOtherInstance(const std::string& caption) {
    state().instancesShown.push_back(caption);
    return true;
}

void writeStandardOutput(std::string_view line) {
    state().standardOutput.emplace_back(line);
}

void playSound(const std::string& path) {
    state().sounds.push_back(path);
}

Icon loadIcon(const std::string& path, int size, bool vgaColours) {
    if (!fileExists(path))
        return nullptr;
    state().icons.push_back({path, size, vgaColours});
    return fake::handleOf<Icon>(state().icons.size() - 1);
}

// ---- Drawing

int pixelsPerInchX(Canvas) {
    return state().pixelsPerInch;
}
int pixelsPerInchY(Canvas) {
    return state().pixelsPerInch;
}

void drawProgramIcon(Canvas canvas, int, int x, int y) {
    fake::draw(canvas, "icon", x, y);
}

// A font is its face, kept alive as a string until deleted.
Font createFont(const FontSpec& wanted) {
    if (!state().fonts.count(wanted.face))
        return nullptr;
    ++state().fontsAlive;
    return reinterpret_cast<Font>(new std::string(wanted.face));
}

void deleteFont(Font font) {
    if (!font)
        return;
    --state().fontsAlive;
    delete reinterpret_cast<std::string*>(font);
}

// The font selected before is handed back as a face that lives for the whole run.
Font selectFont(Canvas canvas, Font font) {
    static std::set<std::string> faces;
    const std::string& previous = *faces.insert(fake::canvasOf(canvas).face).first;
    fake::canvasOf(canvas).face = font ? *reinterpret_cast<std::string*>(font) : "";
    return reinterpret_cast<Font>(const_cast<std::string*>(&previous));
}

FontMetrics fontMetrics(Canvas canvas) {
    return state().fonts.at(fake::canvasOf(canvas).face);
}

int textWidth(Canvas, std::string_view text) {
    return 7 * static_cast<int>(text.size());
}

void setTextColour(Canvas canvas, Colour colour) {
    fake::canvasOf(canvas).colour = colour;
}

void drawText(Canvas canvas, int x, int y, std::string_view text) {
    fake::draw(canvas, "text", x, y, 0, 0, text);
}

void drawLine(Canvas canvas, int x0, int y0, int x1, int y1) {
    fake::draw(canvas, "line", x0, y0, x1, y1);
}

void drawParagraph(Canvas canvas, const Rect& rect, std::string_view text) {
    fake::draw(canvas, "paragraph", rect.left, rect.top, rect.right, rect.bottom, text);
}

// ---- Plain windows

bool registerWindowClass(const std::string& className, Icon, WindowProcedure procedure) {
    if (state().refuseClassRegistration || state().classes.count(className))
        return false;
    state().classes[className] = procedure;
    return true;
}

Window createPopupWindow(const std::string& className, const std::string& title,
                         const Rect& place) {
    if (state().refuseWindowCreation || !state().classes.count(className))
        return nullptr;
    state().windows.push_back({.className = className,
                               .title = title,
                               .width = place.right - place.left,
                               .height = place.bottom - place.top,
                               .x = place.left,
                               .y = place.top});
    Window window = fake::handleOf<Window>(state().windows.size() - 1);
    fake::deliver(window, WindowEvent::Created);
    return window;
}

void showWindow(Window window, int) {
    fake::windowOf(window).visible = true;
}

void destroyWindow(Window window) {
    fake::Window& destroyed = fake::windowOf(window);
    if (destroyed.destroyed)
        return;
    destroyed.destroyed = true;
    destroyed.visible = false;
    fake::deliver(window, WindowEvent::Destroyed);
}

void startTimer(Window window, int, int milliseconds) {
    fake::windowOf(window).timerMilliseconds = milliseconds;
}

Rect desktopRect() {
    return state().desktop;
}

void runWindowLoop(Window window, const bool& done) {
    for (WindowEvent event : state().welcomeEvents) {
        if (done || fake::windowOf(window).destroyed)
            return;
        fake::deliver(window, event);
        if (event == WindowEvent::CloseRequest)
            destroyWindow(window);
    }
}

// ---- The dialog layer

Dialog createDialog(int templateId) {
    if (state().refuseDialogCreation)
        return nullptr;
    fake::dialogs.push_back(std::make_unique<DialogObject>());
    fake::dialogs.back()->templateId = templateId;
    fake::dialogs.back()->controls = fake::controlsOf(templateId);
    return fake::dialogs.back().get();
}

void onControlEvent(Dialog dialog, int controlId, ControlEvent event, ControlHandler handler) {
    dialog->handlers[{controlId, event}] = handler;
}

void onDestroyed(Dialog dialog, DialogHandler handler) {
    dialog->onDestroyed = std::move(handler);
}

void onSessionEnd(Dialog dialog, DialogHandler handler) {
    dialog->onSessionEnd = std::move(handler);
}
void showDialog(Dialog dialog, int) {
    dialog->visible = true;
}

void destroyDialog(Dialog dialog) {
    if (dialog->destroyed)
        return;
    dialog->destroyed = true;
    dialog->visible = false;
    if (dialog->onDestroyed)
        dialog->onDestroyed(dialog);
}

void runModalDialog(Dialog, int templateId, const DialogHandler& prepare) {
    Dialog dialog = createDialog(templateId);
    dialog->modal = true;
    dialog->visible = true;
    prepare(dialog);
    if (state().modalDialog)
        state().modalDialog(dialog);
    if (!dialog->ended)
        fake::click(dialog, fake::cancelButton);
    dialog->visible = false;
    dialog->destroyed = true;
}

void endDialog(Dialog dialog) {
    dialog->ended = true;
}

int runMainLoop(Dialog dialog) {
    if (state().mainLoop)
        state().mainLoop(dialog);
    if (!state().quitValue)
        throw std::logic_error("the main loop ended without a quit message");
    return *state().quitValue;
}

void postQuit(int exitValue) {
    state().quitValue = exitValue;
}

void setText(Dialog dialog, int controlId, std::string_view text) {
    fake::control(dialog, controlId).text = text;
}
std::string text(Dialog dialog, int controlId) {
    return fake::control(dialog, controlId).text;
}
void setEnabled(Dialog dialog, int controlId, bool enabled) {
    fake::control(dialog, controlId).enabled = enabled;
}
bool isEnabled(Dialog dialog, int controlId) {
    return fake::control(dialog, controlId).enabled;
}
void setChecked(Dialog dialog, int controlId, bool checked) {
    fake::control(dialog, controlId).checked = checked;
}
bool isChecked(Dialog dialog, int controlId) {
    return fake::control(dialog, controlId).checked;
}

void appendItem(Dialog dialog, int controlId, std::string_view text) {
    fake::control(dialog, controlId).items.emplace_back(text);
}

void removeAllItems(Dialog dialog, int controlId) {
    fake::control(dialog, controlId).items.clear();
    fake::control(dialog, controlId).selected = 0;
    fake::control(dialog, controlId).selection.clear();
}

void setItemText(Dialog dialog, int controlId, int item, std::string_view text) {
    fake::control(dialog, controlId).items.at(static_cast<std::size_t>(item - 1)) = text;
}

int itemCount(Dialog dialog, int controlId) {
    return static_cast<int>(fake::control(dialog, controlId).items.size());
}

std::string itemText(Dialog dialog, int controlId, int item) {
    return fake::control(dialog, controlId).items.at(static_cast<std::size_t>(item - 1));
}

void selectItem(Dialog dialog, int controlId, int item) {
    fake::control(dialog, controlId).selected = item;
}
int selectedItem(Dialog dialog, int controlId) {
    return fake::control(dialog, controlId).selected;
}

std::vector<int> selectedItems(Dialog dialog, int controlId) {
    const std::set<int>& selection = fake::control(dialog, controlId).selection;
    return {selection.begin(), selection.end()};
}

void setItemSelected(Dialog dialog, int controlId, int item, bool selected) {
    fake::Control& list = fake::control(dialog, controlId);
    if (item < 1 || item > static_cast<int>(list.items.size()))
        return;
    if (selected)
        list.selection.insert(item);
    else
        list.selection.erase(item);
}

void scrollToItem(Dialog dialog, int controlId, int item) {
    fake::control(dialog, controlId).topItem = item;
}

void setSmallIcon(Dialog dialog, Icon icon) {
    dialog->smallIcon = icon;
}
void setButtonIcon(Dialog dialog, int controlId, Icon icon) {
    fake::control(dialog, controlId).icon = icon;
}
void setControlBackground(Dialog dialog, int controlId, Colour colour) {
    fake::control(dialog, controlId).background = colour;
}

} // namespace platform
