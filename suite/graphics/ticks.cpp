#include "ticks.h"

#include "numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace ombrix {
namespace {

// Leaves a whole number of steps alone when a quotient lands a hair off it.
constexpr double slack = 1e-9;

long long firstMultiple(double low, double step) {
    return static_cast<long long>(std::ceil(low / step - slack));
}

long long lastMultiple(double high, double step) {
    return static_cast<long long>(std::floor(high / step + slack));
}

double niceStep(double low, double high, int most) {
    const double rough = (high - low) / std::max(most - 1, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double multiple : {1.0, 2.0, 2.5, 5.0, 10.0, 20.0, 25.0, 50.0}) {
        const double step = multiple * power;
        if (lastMultiple(high, step) - firstMultiple(low, step) + 1 <= most)
            return step;
    }
    return 100 * power;
}

// The decimals that write the step exactly: 2 for 0.25, 0 for 20.
int decimalsOf(double step) {
    int decimals = 0;
    for (double scaled = step; decimals < 15; ++decimals, scaled *= 10)
        if (std::abs(scaled - std::round(scaled)) < slack * scaled)
            break;
    return decimals;
}

// "2.5e+06" as "2.5e6".
std::string shortExponent(std::string text) {
    const std::size_t e = text.find('e');
    std::size_t digits = e + 1;
    if (digits < text.size() && text[digits] == '+')
        text.erase(digits, 1);
    else if (digits < text.size() && text[digits] == '-')
        ++digits;
    while (digits + 1 < text.size() && text[digits] == '0')
        text.erase(digits, 1);
    return text;
}

} // namespace

Ticks ticksOf(double low, double high, int most) {
    if (!std::isfinite(low) || !std::isfinite(high))
        return {};
    if (!(high > low))
        return {{low}, 0};
    Ticks ticks;
    ticks.step = niceStep(low, high, std::max(most, 2));
    for (long long k = firstMultiple(low, ticks.step); k <= lastMultiple(high, ticks.step); ++k)
        ticks.values.push_back(static_cast<double>(k) * ticks.step);
    return ticks;
}

std::string tickLabel(double value, double step) {
    if (step <= 0)
        return showNumber(value);
    if (std::abs(value) < step * slack)
        return "0";
    std::array<char, 40> text{};
    if (std::abs(value) >= 1e6 || step < 1e-4) {
        // As many digits as the value has down to the step's last one.
        const int valuePower = static_cast<int>(std::floor(std::log10(std::abs(value)) + slack));
        const int stepPower = static_cast<int>(std::floor(std::log10(step) + slack));
        const int digits = valuePower - stepPower + decimalsOf(step / std::pow(10.0, stepPower));
        std::snprintf(text.data(), text.size(), "%.*e", std::max(digits, 0), value);
        return shortExponent(text.data());
    }
    std::snprintf(text.data(), text.size(), "%.*f", decimalsOf(step), value);
    return text.data();
}

std::string significantText(double value, int digits) {
    std::array<char, 40> text{};
    std::snprintf(text.data(), text.size(), "%.*g", digits, value == 0 ? 0.0 : value);
    return text.data();
}

} // namespace ombrix
