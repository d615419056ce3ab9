// "work_dir.dat" and "Comomb.dat" as the suite's programs (or anyone) may leave them: the
// working directory is a path field's worth of one line, the language a line that is not
// blank.

#include "files/handoff.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> workDir = workingDirectoryIn(contents);
    if (workDir &&
        (workDir->size() > PathText::width || workDir->find_first_of("\r\n") != std::string::npos))
        __builtin_trap();
    const std::optional<LanguageText> language = languageIn(contents);
    if (language && language->isBlank())
        __builtin_trap();
    return 0;
}
