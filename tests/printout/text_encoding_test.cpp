// Text files in the encodings users save them in, as the UTF-8 that Printout lays out.

#include "text_encoding.h"

#include <gtest/gtest.h>

namespace ombrix {
namespace {

using namespace std::string_literals;

TEST(TextEncoding, Utf16ConvertedOtherTextsKept) {
    // "Aé€𝄞": one, two, three and four bytes in UTF-8; the last a surrogate pair in UTF-16.
    const std::string utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E";
    struct {
        const char* name;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"UTF-8 kept", utf8 + "\r\n", utf8 + "\r\n"},
        {"ANSI kept", "caf\xE9", "caf\xE9"},
        {"UTF-16 little-endian",
         "\xFF\xFE"
         "A\0\xE9\0\xAC\x20\x34\xD8\x1E\xDD\r\0\n\0"s,
         utf8 + "\r\n"},
        {"UTF-16 big-endian", "\xFE\xFF\0A\0\xE9\x20\xAC\xD8\x34\xDD\x1E"s, utf8},
        {"UTF-16 without its mark", "A\0B\0"s, "AB"},
        {"big-endian UTF-16 without its mark", "\0A\0B\0\xE9"s, "AB\xC3\xA9"},
        {"single bytes with one NUL among them", "Net 1\0 line\r\n"s, "Net 1\0 line\r\n"s},
        {"lone surrogate replaced",
         "\xFF\xFE\x34\xD8"
         "A\0"s,
         "\xEF\xBF\xBD"
         "A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textAsUtf8(c.bytes), c.text) << c.name;
}

} // namespace
} // namespace ombrix
