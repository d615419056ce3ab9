#include "launch/command_line.h"

#include <cctype>

namespace {

bool isForbiddenInNames(unsigned char c) {
    return c < 32 ||
           std::string_view("\"<>|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

bool isDriveColon(std::string_view name, std::size_t position) {
    return position == 1 && std::isalpha(static_cast<unsigned char>(name[0]));
}

} // namespace

bool hasBlank(const PathText& name) {
    return name.significant().find(' ') != std::string_view::npos;
}

std::string commandLineName(const PathText& name) {
    return hasBlank(name) ? quoted(name.trimmed()) : name.str();
}

bool isUsableFileName(std::string_view name) {
    if (name.empty() || name.size() >= PathText::width || name.back() == '\\' || name.back() == '/')
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (isForbiddenInNames(c) || (c == ':' && !isDriveColon(name, i)))
            return false;
    }
    return true;
}
