#pragma once

// What the benchmarks need of the programs they time, beyond the end-to-end driver: the
// floors started as plain programs, named events, and windows watched without sending
// their program a message, so that watching adds nothing to what is timed.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;
double millisecondsSince(Clock::time_point start);

// A program started in a folder, ended when it goes out of scope.
class Program {
  public:
    Program(const std::filesystem::path& exe, const std::vector<std::string>& arguments,
            const std::filesystem::path& folder);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD processId() const { return process_.dwProcessId; }
    bool waitForExit(std::chrono::milliseconds timeout) const;

  private:
    PROCESS_INFORMATION process_{};
};

// A named event that other programs open by its name. With a variable, the programs started
// while it exists find the name in that environment variable.
class SharedEvent {
  public:
    enum class Reset { manual, automatic };
    SharedEvent(const std::string& purpose, const char* variable, Reset reset = Reset::manual);
    ~SharedEvent();
    SharedEvent(const SharedEvent&) = delete;
    SharedEvent& operator=(const SharedEvent&) = delete;

    const std::string& name() const { return name_; }
    void set() const { SetEvent(event_); }
    void reset() const { ResetEvent(event_); }
    // False when the event was not set within the timeout.
    bool wait(std::chrono::milliseconds timeout) const;

  private:
    std::string name_;
    const char* variable_;
    HANDLE event_;
};

// A top-level window by its class and title. Looked up by class as well, a window costs the
// system a small part of a lookup by title alone, which reads the title of every top-level
// window; the title is read from the system, not asked of the program.
struct WindowName {
    const wchar_t* className;
    const wchar_t* title;
};
// Polls every millisecond for a visible window of the process with this name; null after
// the timeout.
HWND waitForVisibleWindow(DWORD processId, WindowName name, std::chrono::milliseconds timeout);
// Ready for input: visible, enabled, and its thread serves messages (it answers one).
bool isReadyForInput(HWND window);
// Has the window and its controls draw whatever they have left to draw, and returns when
// they have: the system sends them their paint messages and waits for each.
bool drawNow(HWND window);

struct Memory {
    double privateBytes = 0; // MiB
    double workingSet = 0;   // MiB
};
Memory memoryOf(DWORD processId);

// Waits until the processes that run this executable (by its file name) now have ended;
// false after the timeout.
bool waitForEnd(const std::string& exeName, std::chrono::milliseconds timeout);

} // namespace bench
