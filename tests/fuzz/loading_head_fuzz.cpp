// The head of a loading file, which users write by hand: the counts are read or the
// problem is named, never both, and no count is negative.

#include "cases/loading_head.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LoadingHead head =
        readLoadingHead(std::string_view(reinterpret_cast<const char*>(data), size));
    const bool complete = head.numberedCases && head.hasCaseZero;
    if (complete == !head.problem.empty())
        __builtin_trap();
    if (head.numberedCases && *head.numberedCases < 0)
        __builtin_trap();
    return 0;
}
