// The graph programs started as the shell starts them, in a temporary folder of their own,
// each start's standard error in a file of its own; and what their pictures and windows
// show.
#pragma once

#include "raster.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace ombrix {

std::string contentsOf(const std::filesystem::path& file);

// A PNG file's pixels, 0x00RRGGBB in rows from the top; none when it cannot be read.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
};
Picture pictureIn(const std::filesystem::path& file);

// How many pixels of a PNG file hold each colour.
std::map<COLORREF, int> coloursIn(const std::filesystem::path& picture);
int pixelsOf(const std::map<COLORREF, int>& counts, Colour colour);

// The visible top-level window of a process whose title starts so, or null.
HWND windowOf(DWORD process, const std::string& title);

class ViewerRuns : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program with the arguments, in the folder (by default the test's own).
    void start(const char* program, const std::string& arguments,
               const std::filesystem::path& folder = {});
    void end();
    DWORD exitCode(); // once it has ended
    DWORD processId() const { return process_.dwProcessId; }
    // A message box or dialog of the program, shown with this title; null after a while.
    // Other tests' programs, running beside it, may show boxes of the same title.
    HWND waitForBox(const std::string& title) const;
    std::string errors() const { return contentsOf(errors_); }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;

  private:
    std::filesystem::path errors_;
    int starts_ = 0;
    PROCESS_INFORMATION process_{};
    ULONG_PTR gdiplus_ = 0;
};

// A program started as the shell starts the makers, with a TAB, in the Exe folder of an
// installation of the test's own (Exe and Dat).
class InstallationRuns : public ViewerRuns {
  protected:
    void SetUp() override;

    HWND startFromExe(const char* program, const std::string& title); // its window, or null
    void run(const char* program, const std::string& arguments);      // to its end, exit 0
    // The program's Open or Save dialog, given the file.
    void chooseFile(const char* dialogTitle, const std::string& file);
};

} // namespace ombrix
