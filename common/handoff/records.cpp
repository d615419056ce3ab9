#include "handoff/records.h"

#include "handoff/text_lines.h"

#include <charconv>

namespace handoff {

std::uint64_t digestOf(std::string_view contents) {
    std::uint64_t digest = 0xcbf29ce484222325ULL;
    for (const char c : contents) {
        digest ^= static_cast<unsigned char>(c);
        digest *= 0x100000001b3ULL;
    }
    return digest;
}

std::string digestText(std::uint64_t digest) {
    std::string text(16, '0');
    for (std::size_t k = text.size(); k-- > 0; digest >>= 4)
        text[k] = "0123456789abcdef"[digest & 0xF];
    return text;
}

FileStamp stampOf(std::string path, std::string_view contents) {
    return {std::move(path), contents.size(), digestOf(contents)};
}

void Record::add(std::string entry, FileStamp stamp) {
    entries_.emplace_back(std::move(entry), std::move(stamp));
}

const FileStamp* Record::find(std::string_view entry) const {
    for (const auto& [name, stamp] : entries_)
        if (name == entry)
            return &stamp;
    return nullptr;
}

std::string writeRecord(const Record& record) {
    std::string text;
    for (const auto& [name, stamp] : record.entries_)
        text += name + "\t" + digestText(stamp.digest) + "\t" + std::to_string(stamp.size) + "\t" +
                stamp.path + "\r\n";
    return text;
}

namespace {

template <typename Number> std::optional<Number> numberIn(std::string_view text, int base) {
    Number value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// The text up to the next TAB, and what follows it.
std::string_view cut(std::string_view& rest) {
    const std::size_t tab = rest.find('\t');
    const std::string_view part = rest.substr(0, tab);
    rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
    return part;
}

} // namespace

std::optional<Record> readRecord(std::string_view text) {
    Record record;
    LineCursor lines(text);
    while (const std::optional<TextLine> line = lines.nextLine()) {
        std::string_view rest = line->text;
        const std::string_view name = cut(rest);
        const std::optional<std::uint64_t> digest = numberIn<std::uint64_t>(cut(rest), 16);
        const std::optional<std::uint64_t> size = numberIn<std::uint64_t>(cut(rest), 10);
        if (name.empty() || !digest || !size || rest.empty())
            return std::nullopt;
        record.add(std::string(name), {std::string(rest), *size, *digest});
    }
    return record;
}

} // namespace handoff
