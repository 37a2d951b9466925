#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/kill_rows.h"

namespace rongxi::core {
namespace {

struct ValueCase {
    const char* name;
    std::u16string_view text;
    double value;
};

const std::u16string kLongOne = u"1" + std::u16string(1000, u'0');
const std::u16string kHexPastLargest = u"&H1" + std::u16string(256, u'0');
const std::u16string kOctalPastLargest = u"&O1" + std::u16string(342, u'0');
const std::u16string kZerosThenExponent = u"0." + std::u16string(400, u'0') + u"1e401";
const std::u16string kHalfwayPlusFarDigit =  // 2^53 + 1, then a non-zero digit far out
    u"9007199254740993." + std::u16string(900, u'0') + u"1";

const ValueCase kValues[] = {
    {"Empty", u"", 0},
    {"Blanks", u" \t\n", 0},
    {"Letter", u"x", 0},
    {"LoneSign", u"-", 0},
    {"LonePoint", u".", 0},
    {"SignAndPoint", u"-.", 0},
    {"Digit", u"7", 7},
    {"BlanksInside", u"1 2", 12},
    {"TabsAndLineFeeds", u"\t1\n2 3", 123},
    {"CarriageReturnStops", u"1\r2", 1},
    {"LeadingPoint", u".5", 0.5},
    {"TrailingPoint", u"4.", 4},
    {"SecondPointStops", u"1.2.3", 1.2},
    {"NegativeNumber", u"-3", -3},
    {"PlusSign", u"+8", 8},
    {"DoubleSignIsNoNumber", u"--1", 0},
    {"ExponentD", u"1d2", 100},
    {"ExponentNegative", u"25E-1", 2.5},
    {"MarkerWithoutDigits", u"1e", 1},
    {"MarkerAndSignWithoutDigits", u"1e+x", 1},
    {"TextAfterNumber", u"12abc", 12},
    {"DecimalIsCorrectlyRounded", u"0.1", 0.1},
    {"HexUpper", u"&HFF", 255},
    {"HexLower", u"&hff", 255},
    {"OctalPrefixed", u"&O17", 15},
    {"OctalBare", u"&17", 15},
    {"OctalStopsAtEight", u"&178", 15},
    {"AmpersandAlone", u"&", 0},
    {"HexWithoutDigits", u"&Hx", 0},
    {"NoSignBeforeRadix", u"-&H10", 0},
    {"HexNeverNegative", u"&HFFFFFFFF", 4294967295.0},
    {"HexRoundsHalfToEven", u"&H20000000000001", 9007199254740992.0},
    {"HexRoundsUp", u"&H20000000000003", 9007199254740996.0},
    {"OctalRoundsHalfToEven", u"&O400000000000000001", 9007199254740992.0},
    {"FullWidthDigits", u"\uFF11\uFF12", 12},
    {"FullWidthSignAndPoint", u"\uFF0D\uFF11\uFF0E\uFF15", -1.5},
    {"IdeographicSpaceIsBlank", u"1\u30002", 12},
    {"OverflowSaturates", u"1e400", DBL_MAX},
    {"NegativeOverflowSaturates", u"-1e400", -DBL_MAX},
    {"RoundingPastLargestSaturates", u"1.7976931348623159e308", DBL_MAX},
    {"LargestDouble", u"1.7976931348623157e308", DBL_MAX},
    {"UnderflowIsZero", u"1e-400", 0},
    {"SmallestSubnormal", u"4.9406564584124654e-324", 4.9406564584124654e-324},
    {"HugeExponentDigits", u"1e99999999999999999999999", DBL_MAX},
    {"HugeNegativeExponent", u"1e-99999999999999999999999", 0},
    {"ThousandDigits", kLongOne, DBL_MAX},
    {"HexBeyondLargest", kHexPastLargest, DBL_MAX},
    {"OctalBeyondLargest", kOctalPastLargest, DBL_MAX},
    {"LongLeadingZerosAndExponent", kZerosThenExponent, 1},
    {"DigitsFarOutStillRound", kHalfwayPlusFarDigit, 9007199254740994.0},
};

class EntryValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(EntryValueTest, ReadsTheNumberAtTheStart) {
    const ValueCase& c = GetParam();
    EXPECT_EQ(EntryValue(c.text), c.value);
}

INSTANTIATE_TEST_SUITE_P(Texts, EntryValueTest, testing::ValuesIn(kValues),
                         [](const auto& test) { return std::string(test.param.name); });

struct TextCase {
    const char* name;
    double value;
    std::string_view text;
};

const TextCase kTexts[] = {
    {"Zero", 0.0, "0"},
    {"NegativeZero", -0.0, "0"},
    {"Integer", 255.0 + 9, "264"},
    {"NegativeInteger", -7.0, "-7"},
    {"LargestPlainInteger", 999999999999999.0, "999999999999999"},
    {"Fraction", 1.5, "1.5"},
    {"NegativeFraction", -2.25, "-2.25"},
    {"SmallFixed", 0.0001, "0.0001"},
    {"SmallExponent", 0.00001, "1E-05"},
    {"NegativeSmallExponent", -2.5e-7, "-2.5E-07"},
    {"NoLongerPlain", 1e15, "1E+15"},
    {"RoundsToFifteenDigits", 123456789012345.6, "123456789012346"},
    {"RoundsUpIntoExponent", 999999999999999.9, "1E+15"},
    {"BinaryNoiseIsRounded", 0.1 + 0.2, "0.3"},
    {"LargeInteger", 12345678901234567890.0, "1.23456789012346E+19"},
    {"ThreeDigitExponent", 1e100, "1E+100"},
    {"Largest", DBL_MAX, "1.79769313486232E+308"},
    {"SmallestSubnormal", 4.9406564584124654e-324, "4.94065645841247E-324"},
};

class NumberTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(NumberTextTest, WritesTheNumber) {
    const TextCase& c = GetParam();
    EXPECT_EQ(NumberText(c.value), c.text);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberTextTest, testing::ValuesIn(kTexts),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(NumberText, RefusesValuesWithoutAText) {
    EXPECT_THROW(NumberText(INFINITY), std::domain_error);
    EXPECT_THROW(NumberText(NAN), std::domain_error);
}

// Any finite double: its text ends in a digit and reads back to the same
// value within the 15 significant digits it shows.
TEST(NumberText, RoundTripsThroughEntryValue) {
    std::mt19937_64 random(1440);
    for (int round = 0; round < 20000; ++round) {
        const std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        const std::string text = NumberText(value);
        ASSERT_TRUE(text.back() >= '0' && text.back() <= '9') << text;
        const std::u16string wide(text.begin(), text.end());
        const double back = EntryValue(wide);
        ASSERT_LE(std::fabs(back - value), std::fabs(value) * 1e-14) << text;
    }
}

}  // namespace
}  // namespace rongxi::core
