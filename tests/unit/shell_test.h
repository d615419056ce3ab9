#pragma once

#include "fake_platform.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

// A test of the shell on the fake platform, in a fresh installation folder
// C:\Ombrix\Exe with every piece of the shell's state at its start value.
class ShellTest : public ::testing::Test {
  public:
    static constexpr const char* startDir = "C:\\Ombrix\\Exe";

  protected:
    void SetUp() override;
    void TearDown() override;

    // Files by Windows path; bare names lie in the start folder.
    void writeFile(const std::string& path, const std::string& contents);
    std::string readFile(const std::string& path);
    bool fileExists(const std::string& path);
    void makeFolder(const std::string& path);

    // Puts an (empty) file for every icon of the panel into the Uir folder.
    void installIcons();

    // Runs the body once for each row of a table, each on a fresh fixture: no row sees
    // what an earlier one left, and a failed assertion ends its own row only.
    template <typename Rows, typename Body> void forEachRow(const Rows& rows, Body body) {
        int number = 0;
        for (const auto& row : rows) {
            SCOPED_TRACE("row " + std::to_string(++number));
            TearDown();
            SetUp();
            body(row);
        }
    }

  private:
    std::filesystem::path root_;
};

// A shell test on the panel as the user finds it after start-up.
class PanelShellTest : public ShellTest {
  protected:
    void SetUp() override;

    platform::Dialog panel = nullptr;
};
