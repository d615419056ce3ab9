#include "base/shell_record.h"

#include <utility>
#include <vector>

namespace {

// Made on first use, so that records of every file can enter it as they are made.
std::vector<std::function<void()>>& shellRecordResets() {
    static std::vector<std::function<void()>> resets;
    return resets;
}

} // namespace

void enterShellRecord(std::function<void()> reset) {
    shellRecordResets().push_back(std::move(reset));
}

void resetShellRecords() {
    for (const std::function<void()>& reset : shellRecordResets())
        reset();
}
