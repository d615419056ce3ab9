#include "step_files.h"

#include <algorithm>
#include <cctype>

namespace ombrix {
namespace {

std::string folderOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(0, separator);
}

constexpr std::string_view newLine = "\r\n";

} // namespace

void fail(std::string message) {
    throw StepFailure{std::move(message)};
}

void failToWrite(const std::string& path, Written written, Language language) {
    switch (written.failure) {
    case WriteFailure::folderNotWritable:
        fail(describe(language, folderOf(path), 0, {Message::FolderNotWritable, {}}));
    case WriteFailure::pathTooLong: fail(describe(language, path, 0, {Message::PathTooLong, {}}));
    case WriteFailure::inUse: fail(describe(language, path, 0, {Message::FileInUse, {}}));
    case WriteFailure::none:
    case WriteFailure::other: break;
    }
    fail(describe(language, path, 0, {Message::CannotWrite, {}}));
}

std::string fullPathOf(const Storage& storage, const std::string& path, Language language) {
    const std::optional<std::string> full = storage.fullPath(path);
    if (!full)
        fail(describe(language, path, 0, {Message::PathTooLong, {}}));
    return *full;
}

bool namesOneFile(const Storage& storage, const std::string& one, const std::string& other) {
    const auto folded = [&](const std::string& path) {
        std::string full = storage.fullPath(path).value_or(path);
        std::transform(full.begin(), full.end(), full.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return full;
    };
    return folded(one) == folded(other);
}

std::string readFile(const Storage& storage, const std::string& path, Language language,
                     const Problem& missing) {
    std::optional<std::string> text = storage.read(path);
    if (!text)
        fail(describe(language, path, 0, missing));
    return std::move(*text);
}

void writeFile(Storage& storage, const std::string& path, const std::string& text,
               Language language) {
    if (const Written written = storage.replace(path, text); !written)
        failToWrite(path, written, language);
}

void appendFile(Storage& storage, const std::string& path, const std::string& text,
                Language language) {
    if (const Written written = storage.append(path, text); !written)
        failToWrite(path, written, language);
}

bool mayWriteOutput(const Storage& storage, const std::string& path) {
    constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
    const std::optional<std::string> start = storage.read(path, 256);
    if (!start)
        return true;
    const std::string_view text =
        std::string_view(*start).substr(start->starts_with(utf8Mark) ? utf8Mark.size() : 0);
    return text.empty() || text.starts_with(say(Language::English, Message::ReportTitle)) ||
           text.starts_with(say(Language::Romanian, Message::ReportTitle));
}

void reportFailure(Storage& storage, const std::string& outputFile, Language language,
                   const std::string& message) {
    if (outputFile.empty() || !mayWriteOutput(storage, outputFile))
        return;
    std::string text;
    const std::optional<std::string> start = storage.read(outputFile, 1);
    if (!start || start->empty())
        text = reportHeading(language) + std::string(newLine) + std::string(newLine);
    for (std::size_t at = 0; at != std::string::npos;) {
        const std::size_t end = message.find('\n', at);
        text += say(language, Message::ErrorMark, {message.substr(at, end - at)}) +
                std::string(newLine);
        at = end == std::string::npos ? end : end + 1;
    }
    storage.append(outputFile, text);
}

} // namespace ombrix
