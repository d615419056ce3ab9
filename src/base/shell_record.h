#pragma once

#include <functional>

// A piece of the shell's state that lives for the whole run and belongs to one folder,
// which alone writes it. Each record enters itself in one list as it is made, so that
// `resetShellRecords` puts every record back to its start value by assignment (for a fresh
// start of the shell in the unit tests), however many records there come to be.
void enterShellRecord(std::function<void()> reset);
void resetShellRecords();

template <typename Record> class ShellRecord : public Record {
  public:
    ShellRecord() {
        enterShellRecord([this] { Record::operator=(Record()); });
    }
    ShellRecord(const ShellRecord&) = delete;
    ShellRecord& operator=(const ShellRecord&) = delete;
    using Record::operator=;
};
