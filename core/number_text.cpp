#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/float_text.h"
#include "core/kill_rows.h"
#include "core/number_text_internal.h"

namespace rongxi::core {
namespace {

constexpr double kPlainIntegerLimit = 1e15;
constexpr int kSignificantDigits = 15;

// Room for "-0.0000" + 15 digits, or "-d.ddddddddddddddE+308".
using TextBuffer = std::array<char, 32>;

bool IsPlainInteger(double value) {
    return std::fabs(value) < kPlainIntegerLimit && value == std::trunc(value);
}

char* Append(char* out, std::string_view text) {
    for (char c : text) *out++ = c;
    return out;
}

char* AppendZeros(char* out, int count) {
    for (int i = 0; i < count; ++i) *out++ = '0';
    return out;
}

// Rounds to 15 significant digits and writes fixed notation for decimal
// exponents -4..14, exponent notation ("1E-05", "2.5E+20") otherwise.
char* WriteRounded(char* out, double value) {
    TextBuffer scientific{};
    const char* const written =
        detail::WriteScientific(scientific.data(), scientific.data() + scientific.size(),
                                std::fabs(value), kSignificantDigits - 1);
    const std::string_view text(scientific.data(),
                                static_cast<std::size_t>(written - scientific.data()));
    const std::size_t marker = text.find('e');

    std::array<char, kSignificantDigits> digits{};
    std::size_t digitCount = 0;
    for (char c : text.substr(0, marker)) {
        if (c != '.') digits.at(digitCount++) = c;
    }
    while (digitCount > 1 && digits.at(digitCount - 1) == '0') --digitCount;
    const std::string_view significant(digits.data(), digitCount);
    const int significantDigits = static_cast<int>(digitCount);

    std::string_view exponentText = text.substr(marker + 1);
    const bool negativeExponent = exponentText.front() == '-';
    exponentText.remove_prefix(1);  // the sign is always written
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    if (negativeExponent) exponent = -exponent;

    if (value < 0) *out++ = '-';
    if (exponent >= 0 && exponent < kSignificantDigits) {
        const int integerDigits = exponent + 1;
        if (significantDigits <= integerDigits) {
            out = Append(out, significant);
            return AppendZeros(out, integerDigits - significantDigits);
        }
        out = Append(out, significant.substr(0, static_cast<std::size_t>(integerDigits)));
        *out++ = '.';
        return Append(out, significant.substr(static_cast<std::size_t>(integerDigits)));
    }
    if (exponent < 0 && exponent > -5) {
        out = Append(out, "0.");
        out = AppendZeros(out, -exponent - 1);
        return Append(out, significant);
    }
    *out++ = significant.front();
    if (digitCount > 1) {
        *out++ = '.';
        out = Append(out, significant.substr(1));
    }
    // The exponent already has at least two digits.
    out = Append(out, negativeExponent ? "E-" : "E+");
    return Append(out, exponentText);
}

char* WriteNumberText(char* out, double value) {
    if (!IsPlainInteger(value)) return WriteRounded(out, value);
    // Negative zero is written "0" like zero.
    const auto integer = static_cast<std::int64_t>(value == 0 ? 0 : value);
    return std::to_chars(out, out + sizeof(TextBuffer), integer).ptr;
}

}  // namespace

std::string NumberText(double value) {
    if (!std::isfinite(value)) {
        throw std::domain_error("NumberText: the value is not a finite number");
    }
    TextBuffer buffer{};
    return {buffer.data(), WriteNumberText(buffer.data(), value)};
}

namespace detail {

char LastNumberTextChar(double value) noexcept {
    if (IsPlainInteger(value)) {
        const auto integer = static_cast<std::int64_t>(std::fabs(value));
        return static_cast<char>('0' + integer % 10);
    }
    TextBuffer buffer{};
    return *(WriteNumberText(buffer.data(), value) - 1);
}

}  // namespace detail
}  // namespace rongxi::core
