#pragma once

#include "text/fixed_text.h"

#include <array>
#include <cstdint>

// The programs started beside the shell, one slot each, taken in order and never
// reused within a run.
enum SlotState : int { slotStarted = 1, slotStartFailed = -1, slotEnded = -2 };

struct ProcessSlot {
    std::uint32_t processId = 0;
    int slotState = slotEnded;
    ProgramPathText programPath;
    FixedText<18> fileLabel;
};

inline constexpr int processSlotCount = 100;

struct ProcessTable {
    int usedSlotCount = 0;
    std::array<ProcessSlot, processSlotCount> slots;
};

extern ProcessTable processTable;

// Empties the table: no slot used, every slot ended and blank.
void resetProcessTable();
