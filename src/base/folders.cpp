#include "base/folders.h"

#include "platform/platform.h"

ShellRecord<InstallationFolders> folders;

InstallationFolders installationFolders(std::string_view currentDirectory) {
    InstallationFolders result;
    result.startDir = currentDirectory;
    const std::string start = result.startDir.str();
    result.wavDir = start + "\\Wav\\";
    result.uirDir = start + "\\Uir\\";

    // The parent is everything before the last backslash of the whole field: a drive
    // root such as "C:\" thus has the parent "C:", a text without one an empty parent.
    const std::string_view whole = result.startDir.whole();
    const std::size_t lastBackslash = whole.rfind('\\');
    const std::string parent(lastBackslash == std::string_view::npos
                                 ? std::string_view()
                                 : whole.substr(0, lastBackslash));
    result.datDir = parent + "\\Dat\\";
    result.docDir = parent + "\\Doc\\";
    return result;
}

void findInstallationFolders() {
    folders = installationFolders(platform::currentDirectory());
}
