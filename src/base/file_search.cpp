#include "base/file_search.h"

#include "platform/platform.h"

bool findFile(const PathText& name) {
    const std::optional<std::string> found = platform::searchPath(name.str());
    return found && platform::fileExists(*found);
}
