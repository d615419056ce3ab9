#include "numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace ombrix {

std::string showNumber(double value) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.12g", value == 0 ? 0.0 : value);
    return text.data();
}

std::string showToPrecision(double value, double precision) {
    const int decimals = std::clamp(static_cast<int>(std::floor(-std::log10(precision))), 0, 17);
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value == 0 ? 0.0 : value);
    return text.data();
}

std::string showRoughly(double value) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.2g", value == 0 ? 0.0 : value);
    return text.data();
}

std::string showInteger(long long value) {
    return std::to_string(value);
}

// Without an exponent from 1e-4 up to 1e17, as "%.17g" writes them: "1000000", not "1e+06".
std::string exactNumber(double value) {
    std::string text;
    appendExactNumber(text, value);
    return text;
}

void appendExactNumber(std::string& text, double value) {
    const double magnitude = std::abs(value);
    const bool plain = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e17);
    std::array<char, 32> digits{};
    const std::to_chars_result written =
        std::to_chars(digits.data(), digits.data() + digits.size(), value,
                      plain ? std::chars_format::fixed : std::chars_format::scientific);
    text.append(digits.data(), written.ptr);
}

std::string chartNumber(double value) {
    constexpr int chartDigits = 7;
    std::array<char, 32> text{};
    const std::to_chars_result written =
        std::to_chars(text.data(), text.data() + text.size(), value == 0 ? 0.0 : value,
                      std::chars_format::general, chartDigits);
    return std::string(text.data(), written.ptr);
}

} // namespace ombrix
