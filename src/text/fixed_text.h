#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

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
    std::string_view trimmed() const {
        std::size_t end = N;
        while (end > 0 && chars_[end - 1] == ' ')
            --end;
        return {chars_.data(), end};
    }

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
using ProgramPathText = FixedText<128>;
using MessageText = FixedText<100>;
using LanguageText = FixedText<20>;
using ListTypeText = FixedText<10>;
using CaseLabelText = FixedText<2>;
