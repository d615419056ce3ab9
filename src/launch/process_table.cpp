#include "launch/process_table.h"

#include "base/messages.h"
#include "base/texts.h"
#include "ids.h"
#include "text/quoting.h"

#include <string>
#include <vector>

ShellRecord<ProcessTable> processTable;

namespace {

using platform::Dialog;

// The label of an item of the text-file list, for the status lines of View/Edit and Print:
// its caption in quotes.
FileLabelText fileLabel(int item) {
    constexpr Text captions[] = {Text::geometryFileCaption, Text::loadingFileCaption,
                                 Text::outputFileCaption, Text::newTextCaption};
    if (item < 1 || item > static_cast<int>(std::size(captions)))
        return {};
    return FileLabelText(quoted(shellText(captions[item - 1])));
}

std::string displayName(Dialog dialog, int controlId, ProcessSlot& slot) {
    if (controlId == IDC_VIEW_EDIT || controlId == IDC_PRINT) {
        const int item = platform::selectedItem(dialog, IDC_TEXT_FILE_LIST);
        slot.fileLabel = fileLabel(item);
        return shellText(controlId == IDC_VIEW_EDIT ? Text::notepadStatus : Text::printoutStatus,
                         {slot.fileLabel.trimmed()});
    }
    if (controlId == IDC_HELP_BUTTON)
        return shellText(Text::helpStatus);
    return slot.programPath;
}

void reportFullTable() {
    showShellError(shellText(Text::processTableFull, {std::to_string(processSlotCount)}));
}

std::string commandLineOf(const ProcessSlot& slot) {
    const std::string arguments(trimmedText(slot.argumentText));
    if (slot.commandLineForm == CommandLineForm::afterBlank)
        return " " + arguments;
    return arguments.empty() ? quoted(slot.programPath)
                             : quoted(slot.programPath) + " " + arguments;
}

// Starts the slot's program: the state word of its status line.
StatusText startInSlot(ProcessSlot& slot) {
    const std::optional<platform::StartedProcess> started =
        platform::startProcess(slot.programPath, commandLineOf(slot));
    if (started) {
        slot.slotState = slotStarted;
        slot.processHandle = started->process;
        slot.processId = started->processId;
        return StatusText(shellText(Text::statusLaunched));
    }
    platform::showMessage(shellText(Text::failedRun, {slot.programPath}),
                          shellText(Text::processMessageTitle), platform::MessageIcon::None);
    slot.slotState = slotStartFailed;
    return StatusText(shellText(Text::statusFailedStart));
}

} // namespace

void resetProcessTable() {
    processTable = ProcessTable();
}

bool startProgram(Dialog dialog, int controlId, const std::string& programPath,
                  const std::string& arguments, CommandLineForm form) {
    if (processTable.usedSlotCount >= processSlotCount) {
        reportFullTable();
        return false;
    }
    ProcessSlot& slot = processTable.slots[static_cast<std::size_t>(processTable.usedSlotCount++)];
    slot.programPath = programPath;
    slot.argumentText = arguments;
    slot.commandLineForm = form;
    slot.slotState = slotEnded;
    slot.displayName = displayName(dialog, controlId, slot);
    addStatusLine(dialog, slot.displayName, startInSlot(slot));
    return true;
}

void addStatusLine(Dialog dialog, std::string_view name, const StatusText& state) {
    const std::size_t lastBackslash = name.rfind('\\');
    const StatusNameText base(
        lastBackslash == std::string_view::npos ? name : name.substr(lastBackslash + 1));
    StatusLineText line(base.trimmed());
    if (!state.isBlank()) {
        const StatusNameText stem(base.whole().substr(0, base.whole().find('.')));
        line = std::string(stem.trimmed()) + ": " + state.str();
    }
    platform::appendItem(dialog, IDC_PROGRAM_STATUS, line.trimmed());
    platform::scrollToItem(dialog, IDC_PROGRAM_STATUS,
                           platform::itemCount(dialog, IDC_PROGRAM_STATUS));
}

void pollPrograms(Dialog dialog) {
    std::vector<ProcessSlot*> started;
    std::vector<platform::Process> processes;
    for (int i = 0; i < processTable.usedSlotCount; ++i) {
        ProcessSlot& slot = processTable.slots[static_cast<std::size_t>(i)];
        if (slot.slotState == slotStarted) {
            started.push_back(&slot);
            processes.push_back(slot.processHandle);
        }
    }
    const std::vector<bool> ended = platform::haveEnded(processes);
    for (std::size_t k = 0; k < started.size(); ++k) {
        if (ended[k]) {
            addStatusLine(dialog, started[k]->displayName,
                          StatusText(shellText(Text::statusFinished)));
            started[k]->slotState = slotEnded;
        }
    }
}
