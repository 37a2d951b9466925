#include "core/box_colours.h"

#include <algorithm>
#include <cmath>

namespace rongxi::core {
namespace {

constexpr double kBorderContrast = 3.5;
constexpr double kFocusContrast = 3.0;
constexpr int kSteps = 64;

double Luminance(Rgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

Rgb Between(Rgb from, Rgb to, double share) {
    const auto mix = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return {mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue)};
}

}  // namespace

double ContrastRatio(Rgb first, Rgb second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

BoxBorders BoxBorderColours(Rgb window, Rgb base, Rgb text, Rgb highlight) {
    Rgb normal = text;
    for (int step = 1; step <= kSteps; ++step) {
        const Rgb colour = Between(window, text, static_cast<double>(step) / kSteps);
        if (ContrastRatio(colour, window) >= kBorderContrast &&
            ContrastRatio(colour, base) >= kBorderContrast) {
            normal = colour;
            break;
        }
    }
    const bool highlightStandsOut = ContrastRatio(highlight, window) >= kFocusContrast &&
                                    ContrastRatio(highlight, base) >= kFocusContrast &&
                                    ContrastRatio(highlight, normal) >= kFocusContrast;
    return {normal, highlightStandsOut ? highlight : text};
}

}  // namespace rongxi::core
