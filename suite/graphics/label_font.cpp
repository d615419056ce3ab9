#include "label_font.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace ombrix {
namespace {

constexpr std::array<std::string_view, 7> preferred = {
    "Segoe UI",    "Tahoma",   "Microsoft Sans Serif", "Arial", "Liberation Sans",
    "DejaVu Sans", "Noto Sans"};

// Families whose glyphs are pictures, not letters.
constexpr std::array<std::string_view, 8> symbolFonts = {"Marlett",   "Symbol",      "Webdings",
                                                         "Wingdings", "Wingdings 2", "Wingdings 3",
                                                         "MT Extra",  "OpenSymbol"};

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool holdsLetters(const std::string& family) {
    return !family.empty() && family.front() != '@' &&
           std::ranges::none_of(symbolFonts,
                                [&](std::string_view symbol) { return sameName(family, symbol); });
}

} // namespace

std::optional<std::string> labelFont(const std::vector<std::string>& installed) {
    for (const std::string_view wanted : preferred) {
        const auto found = std::ranges::find_if(
            installed, [&](const std::string& family) { return sameName(family, wanted); });
        if (found != installed.end())
            return *found;
    }
    const auto any = std::ranges::find_if(installed, holdsLetters);
    return any == installed.end() ? std::nullopt : std::optional(*any);
}

} // namespace ombrix
