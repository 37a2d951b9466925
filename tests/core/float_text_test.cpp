// The C library's conversions stand in for std::to_chars and std::from_chars
// where the C++ library lacks them for double (the web page): here, where
// both exist, they must agree on every value.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "core/float_text.h"

#ifdef RONGXI_HAVE_FLOAT_CHARCONV
namespace rongxi::core::detail {
namespace {

std::string Scientific(double value, bool viaC) {
    std::array<char, 32> text{};
    const char* end = viaC ? WriteScientificC(text.data(), text.data() + text.size(), value, 14)
                           : std::to_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::scientific, 14)
                                 .ptr;
    return {text.data(), static_cast<std::size_t>(end - text.data())};
}

void ExpectSameReading(std::string_view text, std::chars_format format) {
    double viaStd = -1;
    double viaC = -1;
    const auto expected = std::from_chars(text.data(), text.data() + text.size(), viaStd, format);
    const auto actual = ReadDoubleC(text.data(), text.data() + text.size(), viaC, format);
    EXPECT_EQ(actual.ec, expected.ec) << text;
    EXPECT_EQ(actual.ptr, expected.ptr) << text;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(viaC), std::bit_cast<std::uint64_t>(viaStd)) << text;
}

// Finite doubles of every magnitude, from their bits.
std::array<double, 20000> RandomDoubles() {
    std::mt19937_64 random(20261209);
    std::array<double, 20000> values{};
    for (double& value : values) {
        do {
            value = std::bit_cast<double>(random());
        } while (!std::isfinite(value));
    }
    return values;
}

TEST(FloatText, ScientificTextsAgree) {
    for (const double value : {0.0, 0.1, 1.0 / 3, 5e-324, 2.2250738585072014e-308,
                               1.7976931348623157e308, 999999999999999.5, 0.000123456789012345}) {
        EXPECT_EQ(Scientific(value, true), Scientific(value, false));
    }
    for (const double value : RandomDoubles()) {
        ASSERT_EQ(Scientific(std::fabs(value), true), Scientific(std::fabs(value), false));
    }
}

TEST(FloatText, ReadingsAgree) {
    constexpr std::array<std::string_view, 9> kDecimals{"0.1e1",
                                                        "0.9007199254740993e16",
                                                        "0.5e-323",
                                                        "0.2e-323",
                                                        "0.1e-400",
                                                        "0.17e309",
                                                        "0.179769313486231580793728971405301e309",
                                                        "0.1",
                                                        "0.4e-324"};
    for (std::string_view text : kDecimals) ExpectSameReading(text, std::chars_format::general);
    constexpr std::array<std::string_view, 4> kHexDigits{"1f", "20000000000001", "1fffffffffffff8",
                                                         "fffffffffffffc"};
    for (std::string_view text : kHexDigits) ExpectSameReading(text, std::chars_format::hex);
    ExpectSameReading(std::string(256, 'f'), std::chars_format::hex);
    ExpectSameReading(std::string(300, '9'), std::chars_format::general);

    for (const double value : RandomDoubles()) {
        std::array<char, 40> text{};
        // 17 digits name every double; a digit more makes it round.
        const int length = std::snprintf(text.data(), text.size(), "%.18e", std::fabs(value));
        ExpectSameReading({text.data(), static_cast<std::size_t>(length)},
                          std::chars_format::general);
    }
}

}  // namespace
}  // namespace rongxi::core::detail
#endif
