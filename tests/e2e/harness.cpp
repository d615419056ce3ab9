#include "harness.h"

#include "ids.h"

#include <cstdint>
#include <fstream>

namespace e2e {

void PanelTest::SetUp() {
    setEnvironment("OMBRIX_SUITE_LOG", utf8Text(installation.root() / "suite.log"));
}

void PanelTest::TearDown() {
    releaseSuitePrograms();
    shell.reset();
    for (const std::string& name : environmentSet_)
        SetEnvironmentVariableA(name.c_str(), nullptr);
    if (hold_)
        CloseHandle(hold_);
}

void PanelTest::holdSuitePrograms(bool released) {
    const std::string name = "OMBRIX e2e hold " + std::to_string(GetCurrentProcessId()) + " " +
                             std::to_string(reinterpret_cast<std::uintptr_t>(this));
    hold_ = CreateEventA(nullptr, TRUE, released, name.c_str());
    setEnvironment("OMBRIX_SUITE_HOLD", name);
}

void PanelTest::releaseSuitePrograms() {
    if (hold_)
        SetEvent(hold_);
}

void PanelTest::setEnvironment(const std::string& name, const std::string& value) {
    SetEnvironmentVariableA(name.c_str(), value.c_str());
    environmentSet_.push_back(name);
}

// Each line: file name TAB command line TAB current folder. The command line of a
// program started beside the shell may hold a TAB itself.
std::vector<SuiteStart> PanelTest::suiteStarts() const {
    std::vector<SuiteStart> starts;
    std::ifstream log(installation.root() / "suite.log", std::ios::binary);
    for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t first = line.find('\t');
        const std::size_t last = line.rfind('\t');
        if (first != std::string::npos && last > first)
            starts.push_back({line.substr(0, first), line.substr(first + 1, last - first - 1),
                              line.substr(last + 1)});
    }
    return starts;
}

std::string PanelTest::exePath(const std::string& name) const {
    return utf8Text(installation.exeDir() / pathOf(name));
}

std::string PanelTest::takeMessage(const std::string& title, std::chrono::milliseconds timeout) {
    HWND box = shell->waitForWindow(title, timeout);
    if (!box)
        return "(no message box titled " + title + ")";
    const std::string text = messageBoxText(box);
    answer(box, IDOK);
    return text;
}

void PanelTest::openPanel() {
    shell = std::make_unique<Shell>(installation);
    panel = shell->openPanel();
    ASSERT_TRUE(panel) << "the panel did not appear";
}

void PanelTest::exitShell() {
    click(control(panel, IDC_EXIT));
    EXPECT_EQ(shell->waitForExit(), std::optional<DWORD>(0));
}

void PanelTest::exitShellEndingItsPrograms() {
    click(control(panel, IDC_EXIT));
    HWND question = shell->waitForWindow("OMBRIX Message");
    ASSERT_TRUE(question);
    answer(question, IDYES);
    EXPECT_EQ(shell->waitForExit(), std::optional<DWORD>(0));
}

} // namespace e2e
