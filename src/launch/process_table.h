#pragma once

#include "base/shell_record.h"
#include "platform/platform.h"
#include "text/fixed_text.h"

#include <array>
#include <cstdint>
#include <string>

// The programs started beside the shell, one slot each, taken in order and never
// reused within a run, and the Program Status list that logs what became of them.
enum SlotState : int { slotStarted = 1, slotStartFailed = -1, slotEnded = -2 };

using FileLabelText = FixedText<18>;

// How a program started beside the shell is given its arguments: after one blank, as the
// suite's programs take them, or after its own path in quotes, as a conventional program
// (Notepad) reads its command line.
enum class CommandLineForm { afterBlank, afterProgramPath };

using StatusText = FixedText<80>;
// A status line, and the program name it begins with.
using StatusLineText = FixedText<128>;
using StatusNameText = FixedText<80>;

struct ProcessSlot {
    platform::Process processHandle = nullptr; // kept open until the shell ends
    std::uint32_t processId = 0;
    int slotState = slotEnded;
    std::string programPath;
    std::string argumentText;
    CommandLineForm commandLineForm = CommandLineForm::afterBlank;
    std::string displayName; // what its status lines are formed from
    FileLabelText fileLabel;
};

inline constexpr int processSlotCount = 100;

struct ProcessTable {
    int usedSlotCount = 0;
    std::array<ProcessSlot, processSlotCount> slots;
};

extern ShellRecord<ProcessTable> processTable;

// Empties the table: no slot used, every slot ended and blank.
void resetProcessTable();

// Starts the program beside the shell in the next slot, with the command line of its form,
// and logs the start or its failure. With every slot taken, tells the user and starts
// nothing: false.
bool startProgram(platform::Dialog dialog, int controlId, const std::string& programPath,
                  const std::string& arguments, CommandLineForm form = CommandLineForm::afterBlank);

// Appends "<program>: <state>" to the Program Status list, the program named by the
// file name of its path without extension; a blank state leaves the name alone.
void addStatusLine(platform::Dialog dialog, std::string_view name, const StatusText& state);

// Logs "Finished" once for every started program that has ended since the last poll.
void pollPrograms(platform::Dialog dialog);
