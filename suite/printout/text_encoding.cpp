#include "text_encoding.h"

#include "handoff/text_lines.h"

namespace ombrix {
namespace {

constexpr char32_t replacement = 0xFFFD;

void appendUtf8(std::string& text, char32_t c) {
    const auto byte = [&](unsigned value) { text += static_cast<char>(value); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | c >> 6);
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | c >> 12);
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | c >> 18);
        byte(0x80 | (c >> 12 & 0x3F));
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

} // namespace

std::string textAsUtf8(std::string_view bytes) {
    const handoff::Utf16 order = handoff::utf16Of(bytes);
    if (order == handoff::Utf16::none)
        return std::string(bytes);
    const bool bigEndian = order == handoff::Utf16::bigEndian;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        bytes.remove_prefix(2);
    const auto unitAt = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    std::string text;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        char32_t c = unitAt(at);
        if (isHighSurrogate(c) && at + 3 < bytes.size() && isLowSurrogate(unitAt(at + 2))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00);
            at += 2;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            c = replacement;
        }
        appendUtf8(text, c);
    }
    return text;
}

} // namespace ombrix
