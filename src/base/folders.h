#pragma once

#include "base/shell_record.h"
#include "text/fixed_text.h"

#include <string>
#include <string_view>

// The installation's folders, formed once at start-up from the current directory.
// The shell is started in the installation's Exe folder: sounds and icons lie in
// sub-folders of it, the sample data and the documents in sibling folders. Every
// folder text ends with a backslash.
struct InstallationFolders {
    PathText startDir;
    PathText wavDir;
    PathText uirDir;
    PathText datDir;
    PathText docDir;
};

extern ShellRecord<InstallationFolders> folders;

InstallationFolders installationFolders(std::string_view currentDirectory);

// Start-up: the folders of the installation the shell was started in.
void findInstallationFolders();
