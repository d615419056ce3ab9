#pragma once

// The fixture of the end-to-end tests: a fresh installation per test, and the shell on it.

#include "driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

// One start of a stand-in program of the suite, as it logged it.
struct SuiteStart {
    std::string program; // its file name
    std::string commandLine;
    std::string currentFolder;
};

// A test on a fresh installation: set the installation up, then open the panel. The
// suite's programs that the shell starts log their starts in the installation's folder.
class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the shell and waits for its panel, past the welcome window.
    void openPanel();
    // Ends the shell with its E X I T button; it must end with exit code 0.
    void exitShell();
    // The same, answering Yes when the shell asks whether to end the programs it started.
    void exitShellEndingItsPrograms();

    // An environment variable for the shells (and their programs) this test starts.
    void setEnvironment(const std::string& name, const std::string& value);
    // Makes the suite's programs that the shell starts from now on wait, before they
    // end, until `releaseSuitePrograms` (or at once, when `released`).
    void holdSuitePrograms(bool released = false);
    void releaseSuitePrograms();
    std::vector<SuiteStart> suiteStarts() const;
    std::string exePath(const std::string& name) const;
    // The text of the shell's message box with this title, which is then answered OK.
    std::string takeMessage(const std::string& title = "OMBRIX Message",
                            std::chrono::milliseconds timeout = defaultTimeout);

    Installation installation;
    std::unique_ptr<Shell> shell;
    HWND panel = nullptr;

  private:
    std::vector<std::string> environmentSet_;
    HANDLE hold_ = nullptr;
};

} // namespace e2e
