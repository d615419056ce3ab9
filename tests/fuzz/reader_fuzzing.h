// What every fuzz target of a reader asks of any text: it is read, and what was read
// passes the target's own check, or it is refused with a line and a reason that can be
// worded. A failed check stops the fuzzer.
#pragma once

#include "input_error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ombrix {

template <typename ReadAndCheck>
int readOrRefuse(const std::uint8_t* data, std::size_t size, const ReadAndCheck& readAndCheck) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        if (!readAndCheck(text))
            __builtin_trap();
    } catch (const InputError& error) {
        if (error.line() < 1 ||
            describe(Language::Romanian, "f", error.line(), error.problem()).empty())
            __builtin_trap();
    }
    return 0;
}

// Whether what was read writes back to a text that reads back and writes the same.
template <typename Read, typename Write>
bool writesBackTheSame(std::string_view text, const Read& read, const Write& write) {
    const std::string written = write(read(text));
    return write(read(written)) == written;
}

} // namespace ombrix
