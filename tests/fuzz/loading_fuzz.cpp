// Fuzzes the loading reader: any text is either refused with a line and a reason that can
// be worded, or read into cases that each write back and read back the same.

#include "loading.h"
#include "reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ombrix;
    return readOrRefuse(data, size, [](std::string_view text) {
        for (const LoadCase& loadCase : readLoading(text).cases) {
            const std::string written = writeCase(loadCase);
            if (writeCase(readCase(written, loadCase.number)) != written)
                return false;
        }
        return true;
    });
}
