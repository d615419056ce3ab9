#include "driver.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

std::filesystem::path stagedInstallation() {
    const char* stage = std::getenv("OMBRIX_STAGE");
    if (!stage || !*stage)
        throw std::runtime_error("OMBRIX_STAGE does not name the staged installation");
    return stage;
}

std::filesystem::path freshFolder() {
    static std::atomic<int> counter{0};
    // Blanks, odd characters and other scripts in the installation's path must not matter.
    const std::string name = "OMBRIX e2e \xD0\x9C\xD0\xBE\xD1\x81\xD1\x82 \xE6\xA1\xA5 (" +
                             std::to_string(GetCurrentProcessId()) + ") & #" +
                             std::to_string(++counter);
    std::filesystem::path folder = std::filesystem::temp_directory_path() / pathOf(name);
    std::filesystem::remove_all(folder);
    return folder;
}

std::string narrow(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

struct WindowSearch {
    DWORD processId;
    std::string title;
    std::vector<HWND> found;
    std::string windowClass = {}; // any, when empty
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    // The caption as the system keeps it: nothing is sent to the window, which may be
    // going away.
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (owner == search->processId && IsWindowVisible(window) && narrow(title) == search->title &&
        (search->windowClass.empty() || className(window) == search->windowClass))
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM parameter) {
    auto* children = reinterpret_cast<std::vector<HWND>*>(parameter);
    if (GetParent(window) == children->front())
        children->push_back(window);
    return TRUE;
}

struct ChildProcess {
    DWORD processId;
    std::string exeName;
};

std::uint64_t creationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

// Whether the process was started after the given time: ids are reused, and a process
// that a long-gone program with the parent's id started (Wine's own services) is no child.
bool startedSince(DWORD processId, std::uint64_t time) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return false;
    const bool since = creationTime(process) >= time;
    CloseHandle(process);
    return since;
}

std::vector<ChildProcess> childProcesses(HANDLE parent, DWORD parentId) {
    std::vector<ChildProcess> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return children;
    const std::uint64_t parentStart = creationTime(parent);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == parentId && startedSince(entry.th32ProcessID, parentStart))
            children.push_back({entry.th32ProcessID, entry.szExeFile});
    CloseHandle(snapshot);
    return children;
}

void endProcess(DWORD processId) {
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId)) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
}

bool isComboBox(HWND window) {
    return className(window) == "ComboBox";
}

} // namespace

std::string utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(interval);
    }
    return true;
}

// Tests running side by side may put the same stand-in in place: it is copied beside its
// place and moved over it, and a move refused because the stand-in already runs there is
// no failure.
std::filesystem::path windowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    return folder;
}

void installStandIn(const std::filesystem::path& path) {
    const std::filesystem::path standIn = stagedInstallation() / "Exe" / "Charts.exe";
    std::error_code error;
    if (std::filesystem::file_size(path, error) == std::filesystem::file_size(standIn))
        return;
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::path copy = path;
    copy += "." + std::to_string(GetCurrentProcessId());
    std::filesystem::remove(copy, error);
    std::filesystem::copy_file(standIn, copy);
    MoveFileExW(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    std::filesystem::remove(copy, error);
}

Installation::Installation() : root_(freshFolder()) {
    std::filesystem::copy(stagedInstallation(), root_, std::filesystem::copy_options::recursive);
}

Installation::~Installation() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::optional<std::string> Installation::read(const std::string& name) const {
    std::ifstream file(exeDir() / pathOf(name), std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

void Installation::write(const std::string& name, const std::string& contents) const {
    const std::filesystem::path path = exeDir() / pathOf(name);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

bool Installation::exists(const std::string& name) const {
    return std::filesystem::exists(exeDir() / pathOf(name));
}

void Installation::remove(const std::string& name) const {
    std::filesystem::remove(exeDir() / pathOf(name));
}

Shell::Shell(const Installation& installation) : Shell(installation.exeDir()) {}

Shell::Shell(const std::filesystem::path& exeFolder)
    : Shell(exeFolder / "ombrix.exe", "", exeFolder) {}

Shell::Shell(const std::filesystem::path& program, const std::string& arguments,
             const std::filesystem::path& folder) {
    const std::string exe = utf8Text(program);
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        utf8Text(folder).c_str(), &startup, &process_))
        throw std::runtime_error("cannot start " + exe);
}

Shell::~Shell() {
    for (const ChildProcess& child : childProcesses(process_.hProcess, process_.dwProcessId))
        endProcess(child.processId);
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND Shell::findWindow(const std::string& title) const {
    WindowSearch search{process_.dwProcessId, title, {}};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

HWND Shell::findChildWindow(const std::string& title, const std::string& windowClass) const {
    for (const ChildProcess& child : childProcesses(process_.hProcess, process_.dwProcessId)) {
        WindowSearch search{child.processId, title, {}, windowClass};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found.empty())
            return search.found.front();
    }
    return nullptr;
}

HWND Shell::waitForChildWindow(const std::string& title, const std::string& windowClass,
                               std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = findChildWindow(title, windowClass)) != nullptr; }, timeout);
    return found;
}

int Shell::countWindows(const std::string& title) const {
    WindowSearch search{process_.dwProcessId, title, {}};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return static_cast<int>(search.found.size());
}

HWND Shell::waitForWindow(const std::string& title, std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = findWindow(title)) != nullptr; }, timeout);
    return found;
}

HWND Shell::openPanel() const {
    if (HWND welcome = waitForWindow("Welcome"))
        PostMessageA(welcome, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    return waitForWindow("OMBRIX");
}

std::optional<DWORD> Shell::waitForExit(std::chrono::milliseconds timeout) const {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

// The system's table of open handles, as NtQuerySystemInformation gives it.
struct HandleEntry {
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};

std::size_t Shell::handleCount() const {
    constexpr auto systemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    std::vector<char> table(1 << 24);
    ULONG length = 0;
    if (NtQuerySystemInformation(systemHandleInformation, table.data(),
                                 static_cast<ULONG>(table.size()), &length) != 0)
        return 0;
    const ULONG count = *reinterpret_cast<const ULONG*>(table.data());
    const auto* entries = reinterpret_cast<const HandleEntry*>(table.data() + sizeof(ULONG_PTR));
    std::size_t held = 0;
    for (ULONG i = 0; i < count; ++i)
        held += entries[i].processId == static_cast<USHORT>(process_.dwProcessId);
    return held;
}

void Shell::kill() {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 10000);
}

std::vector<std::string> Shell::runningChildren() const {
    std::vector<std::string> names;
    for (const ChildProcess& child : childProcesses(process_.hProcess, process_.dwProcessId))
        names.push_back(child.exeName);
    return names;
}

HWND control(HWND dialog, int controlId) {
    return GetDlgItem(dialog, controlId);
}

// WM_GETTEXT, unlike GetWindowText, reads an edit's text in another process.
std::string windowText(HWND window) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    // Bounded: under Wine a message sent to a window that is destroyed meanwhile may never
    // be answered.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

std::string className(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::vector<HWND> childWindows(HWND window) {
    std::vector<HWND> children{window};
    EnumChildWindows(window, collectChild, reinterpret_cast<LPARAM>(&children));
    children.erase(children.begin());
    return children;
}

bool isEnabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}
bool isVisible(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}
bool isChecked(HWND checkBox) {
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Item texts cross the process boundary intact only through the wide messages.
std::size_t listCount(HWND list) {
    const auto count = SendMessageW(list, isComboBox(list) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::vector<std::string> listItems(HWND list) {
    const bool combo = isComboBox(list);
    const std::size_t count = listCount(list);
    std::vector<std::string> items;
    for (WPARAM item = 0; item < count; ++item) {
        const auto length = SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, item, 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, item,
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        items.push_back(narrow(text));
    }
    return items;
}

int listSelection(HWND list) {
    const auto selection = SendMessageW(list, isComboBox(list) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    return selection < 0 ? 0 : static_cast<int>(selection) + 1;
}

void selectItem(HWND dialog, int listId, int item) {
    HWND list = GetDlgItem(dialog, listId);
    SendMessageW(list, isComboBox(list) ? CB_SETCURSEL : LB_SETCURSEL,
                 static_cast<WPARAM>(item - 1), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void clickItem(HWND list, int item) {
    const auto height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const auto top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    const LPARAM at = MAKELPARAM(4, (item - 1 - top) * height + height / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
}

void doubleClickItem(HWND dialog, int listId, int item) {
    selectItem(dialog, listId, item);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, listId)));
}

// The file-name box of the Open dialog is a combo box (cmb13) or, in older layouts, an
// edit (edt1).
void chooseInOpenDialog(HWND openDialog, const std::string& path) {
    HWND fileName = GetDlgItem(openDialog, 0x47c);
    if (!fileName)
        fileName = GetDlgItem(openDialog, 0x480);
    SendMessageA(fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(openDialog, WM_COMMAND, IDOK, 0);
}

void click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

// A multi-line edit reports no change for WM_SETTEXT; replacing its whole text as an
// edit operation reports it, as typing does.
void typeText(HWND edit, const std::string& text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

int listTopItem(HWND list) {
    return static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)) + 1;
}

void pressKey(HWND window, WPARAM virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 1 | (3u << 30));
}

std::string messageBoxText(HWND box) {
    return windowText(GetDlgItem(box, 0xFFFF));
}

void answer(HWND box, int buttonId) {
    PostMessageA(box, WM_COMMAND, buttonId, 0);
    // Gone before anything else is looked for: a box still closing would be found again.
    waitUntil([&] { return !IsWindow(box); });
}

COLORREF colourAt(HWND window, POINT client) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    UpdateWindow(window);
    ClientToScreen(window, &client);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, client.x, client.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

} // namespace e2e
