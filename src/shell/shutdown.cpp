#include "shell/shutdown.h"

#include "base/folders.h"
#include "base/texts.h"
#include "files/recent.h"
#include "files/settings.h"
#include "files/shell_files.h"
#include "launch/process_table.h"
#include "platform/platform.h"

#include <string>
#include <vector>

namespace {

// The started programs that still run, known by the handles kept from their start: a
// program that ended, whatever its exit code, is not among them, and a process that took
// an ended one's id is never mistaken for it.
std::vector<platform::Process> runningPrograms() {
    std::vector<platform::Process> started;
    for (int i = 0; i < processTable.usedSlotCount; ++i) {
        const ProcessSlot& slot = processTable.slots[static_cast<std::size_t>(i)];
        if (slot.slotState != slotStartFailed && slot.processHandle)
            started.push_back(slot.processHandle);
    }
    const std::vector<bool> ended = platform::haveEnded(started);
    std::vector<platform::Process> running;
    for (std::size_t k = 0; k < started.size(); ++k)
        if (!ended[k])
            running.push_back(started[k]);
    return running;
}

void playSound(const char* name) {
    if (settings.soundOn)
        platform::playSound(folders.wavDir.str() + name);
}

// Asks whether the running programs are to be ended, and ends them on any answer but No;
// false when they are left running.
bool endRunningPrograms(const std::vector<platform::Process>& running) {
    const std::size_t count = running.size();
    playSound(count == 1 ? "Running-1.wav" : "Running-2.wav");
    const std::string question = count == 1
                                     ? shellText(Text::oneProgramRunning)
                                     : shellText(Text::programsRunning, {std::to_string(count)});
    if (platform::showMessage(question, shellText(Text::messageTitle),
                              platform::MessageIcon::Information,
                              platform::MessageButtons::YesNo) == platform::Answer::No)
        return false;
    for (platform::Process process : running)
        platform::endProcess(process);
    return true;
}

void saveRecentList() {
    exchangeRecentFile("W");
    reportUnsavedShellFiles(true);
}

void removeLanguageFile() {
    platform::deleteFile(shellFilePath(languageFileName));
}

} // namespace

int shutdown(int exitCode) {
    saveRecentList();
    const std::vector<platform::Process> running = runningPrograms();
    if (running.empty() || endRunningPrograms(running))
        playSound("GoodBye.wav");
    removeLanguageFile();
    return exitCode;
}

void onSessionEnd() {
    exchangeRecentFile("W");
    removeLanguageFile();
}
