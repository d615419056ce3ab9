// The head of a loading file, which users write by hand and which the shell and Forces
// read alike: a problem is named with its line and worded, or the counts are within range.

#include "cases/loading_head.h"
#include "handoff/handoff.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const handoff::LoadingHead head =
        handoff::readLoadingHead(std::string_view(reinterpret_cast<const char*>(data), size));
    const bool problem = head.problem != handoff::HeadProblem::none;
    if (problem != (head.problemLine > 0) || problem == loadingHeadProblem(head).empty())
        __builtin_trap();
    if (head.caseCount < 0 || head.caseCount > handoff::highestCaseNumber)
        __builtin_trap();
    return 0;
}
