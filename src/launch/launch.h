#pragma once

#include "base/shell_record.h"
#include "platform/platform.h"
#include "text/fixed_text.h"

#include <optional>
#include <string>
#include <vector>

// The launch buttons of the panel: which program each starts, with which command line,
// and whether the shell waits for it (the three analysis steps) or lets it run beside.

// What a button starts: the program file and the argument text after its name.
struct LaunchCommand {
    std::string launchPath;
    std::string launchArguments;
};

// The files and options INPUT prepared the analysis from.
struct PreparedFiles {
    PathText geometryFile;
    PathText outputFile;
    ListTypeText listType;
    LanguageText outputLanguage;
    friend bool operator==(const PreparedFiles&, const PreparedFiles&) = default;
};

// What the analysis steps run from the panel were given when they last did their work:
// I T E R goes on only while the panel names the same. Empty at start.
struct AnalysisSteps {
    std::optional<PreparedFiles> prepared;     // by the last INPUT that finished
    std::optional<PathText> loadsPreparedFrom; // the loading file of the last INCARC
};

extern ShellRecord<AnalysisSteps> analysisSteps;

// The buttons that start a program of the suite or of the platform.
std::vector<int> launchButtonIds();

// Click handler of every launch button.
void onLaunchButton(platform::Dialog dialog, int controlId, platform::ControlEvent event);

// Runs the program with the arguments (trailing blanks dropped) and waits for its end:
// the exit code, whatever it is, or nothing when the program could not be started.
std::optional<int> runAndWait(platform::Dialog dialog, const std::string& program,
                              const std::string& arguments);
