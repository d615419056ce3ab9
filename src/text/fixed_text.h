#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The text without its trailing blanks.
inline std::string_view trimmedText(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    return text.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

// A text field of fixed width N, padded with blanks. The shell's names, labels and
// settings all live in such fields: a longer value is cut to the width, a shorter
// one is padded, and what counts as the value is the text without trailing blanks.
template <std::size_t N> class FixedText {
  public:
    static constexpr std::size_t width = N;

    FixedText() { chars_.fill(' '); }
    FixedText(std::string_view value) { assign(value); }

    void assign(std::string_view value) {
        chars_.fill(' ');
        value.copy(chars_.data(), N);
    }
    FixedText& operator=(std::string_view value) {
        assign(value);
        return *this;
    }

    // All N characters, padding included.
    std::string_view whole() const { return {chars_.data(), N}; }

    // The value: the text without its trailing blanks.
    std::string_view trimmed() const { return trimmedText(whole()); }

    // The text up to its first NUL or, without one, up to its last non-blank.
    std::string_view significant() const {
        std::string_view text = trimmed();
        return text.substr(0, text.find('\0'));
    }

    std::string str() const { return std::string(trimmed()); }
    bool isBlank() const { return trimmed().empty(); }
    char first() const { return chars_[0]; }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.chars_ == b.chars_; }
    friend bool operator==(const FixedText& a, std::string_view value) {
        return a == FixedText(value);
    }

  private:
    std::array<char, N> chars_;
};

// Widths used throughout the shell.
using PathText = FixedText<260>;
using LanguageText = FixedText<20>;
using ListTypeText = FixedText<10>;
using CaseLabelText = FixedText<2>;
