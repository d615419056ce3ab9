#include "launch/output_file.h"

#include "base/folders.h"
#include "base/texts.h"
#include "platform/platform.h"

#include <algorithm>
#include <cctype>

namespace {

// Windows compares file names without regard to case.
std::string folded(std::string path) {
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return path;
}

std::optional<std::string> normalised(const PathText& name) {
    const std::optional<std::string> full = platform::fullPath(name.str());
    return full ? std::optional(folded(*full)) : std::nullopt;
}

bool isSameFile(const PathText& a, const PathText& b) {
    const std::optional<std::string> first = normalised(a);
    return (first && first == normalised(b)) || platform::isSameFile(a.str(), b.str());
}

bool liesIn(const std::optional<std::string>& path, const PathText& folder) {
    std::optional<std::string> inside = normalised(folder);
    if (!path || !inside)
        return false;
    if (!inside->ends_with('\\'))
        *inside += '\\';
    return path->starts_with(*inside);
}

} // namespace

std::optional<std::string> outputFileConflict(const PathText& output, const PathText& geometry,
                                              const PathText& loading) {
    if (isSameFile(output, geometry) || isSameFile(output, loading))
        return shellText(Text::outputIsInput);
    const std::optional<std::string> path = normalised(output);
    if (liesIn(path, folders.startDir) || liesIn(path, folders.docDir))
        return shellText(Text::outputInInstallation);
    return std::nullopt;
}
