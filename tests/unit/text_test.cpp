#include "text/fixed_text.h"
#include "text/text_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

TEST(FixedText, CutsAndPadsToItsWidth) {
    const struct {
        std::string value;
        std::string whole;
        std::string trimmed;
    } cases[] = {
        {"", "     ", ""},           {"ab", "ab   ", "ab"},
        {"abcde", "abcde", "abcde"}, {"abcdefgh", "abcde", "abcde"},
        {" a b ", " a b ", " a b"},
    };
    for (const auto& c : cases) {
        const FixedText<5> text(c.value);
        EXPECT_EQ(text.whole(), c.whole) << c.value;
        EXPECT_EQ(text.trimmed(), c.trimmed) << c.value;
        EXPECT_EQ(text.isBlank(), c.trimmed.empty()) << c.value;
    }
}

TEST(FixedText, SignificantTextEndsAtTheFirstNul) {
    EXPECT_EQ(PathText(std::string("C:\\a.dat\0junk", 13)).significant(), "C:\\a.dat");
    EXPECT_EQ(PathText("C:\\a b.dat  ").significant(), "C:\\a b.dat");
}

TEST(FixedText, ComparesPaddedValues) {
    EXPECT_TRUE(LanguageText("English") == std::string_view("English             "));
    EXPECT_FALSE(LanguageText("English") == std::string_view("english"));
}

TEST(TextFile, SplitsLinesOfEitherEnding) {
    const struct {
        std::string contents;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"\r\n", {""}},
        {"English\r\n\r\n", {"English", ""}},
        {" T\r\n F\r\n", {" T", " F"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"\xEF\xBB\xBF T\r\n", {" T"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitLines(c.contents), c.lines) << c.contents;
}

TEST(TextFile, JoinsLinesWithCrLf) {
    EXPECT_EQ(joinLines({" T"}), " T\r\n");
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(joinLines({}), "");
}

TEST(TextFile, ReadsLogicalValuesInFreeFormat) {
    const struct {
        std::string line;
        std::optional<bool> value;
    } cases[] = {
        {" T", true},          {" F", false},        {"T", true},         {"f", false},
        {".TRUE.", true},      {"  .false.", false}, {" Tomorrow", true}, {"", std::nullopt},
        {"   ", std::nullopt}, {"1", std::nullopt},  {".", std::nullopt}, {"yes", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseLogical(c.line), c.value) << '"' << c.line << '"';
}

TEST(TextFile, WritesLogicalValuesWithALeadingBlank) {
    EXPECT_EQ(formatLogical(true), " T");
    EXPECT_EQ(formatLogical(false), " F");
}
