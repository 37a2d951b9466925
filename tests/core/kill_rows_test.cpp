#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>

#include "core/kill_rows.h"
#include "core/unicode_text.h"
#include "data/draw_scenarios.h"

namespace rongxi::core {
namespace {

// The draws every window test checks (tests/data/draw_scenarios.json).
TEST(Draws, GiveTheirSixRows) {
    for (const auto& draw : rongxi::test::kDrawScenarios) {
        SCOPED_TRACE(draw.name);
        std::array<std::u16string, 3> entries;
        for (std::size_t i = 0; i < entries.size(); ++i)
            entries[i] = Utf16FromUtf8(draw.entries[i]);
        const KillRows rows = ComputeKillRows(entries[0], entries[1], entries[2]);
        for (std::size_t row = 0; row < rows.size(); ++row) EXPECT_EQ(rows[row], draw.rows[row]);
    }
}

// Longer texts follow the number's text, not (d + k) mod 10.
struct GroupCase {
    const char* name;
    std::u16string_view entry;
    std::string_view firstGroupOfRow1;
};

const GroupCase kLongerEntries[] = {
    {"TwoDigits", u"12", "2345601"},
    {"FractionEndsInFive", u"1.5", "5555555"},
    {"NegativeCrossesZero", u"-3", "3210156"},
    {"HexNumber", u"&HFF", "5678934"},
    {"FullWidthDigit", u"\uFF17", "7890156"},
    {"HugeSaturates", u"1e400", "8888888"},   // every sum is "1.79769313486232E+308"
    {"TinyFraction", u"0.00001", "5111111"},  // "1E-05", "1.00001", ...
};

class LongerEntryTest : public testing::TestWithParam<GroupCase> {};

TEST_P(LongerEntryTest, FirstGroupOfRowOne) {
    const GroupCase& c = GetParam();
    EXPECT_EQ(ComputeKillRows(c.entry, u"", u"")[0].substr(0, 7), c.firstGroupOfRow1);
}

INSTANTIATE_TEST_SUITE_P(Entries, LongerEntryTest, testing::ValuesIn(kLongerEntries),
                         [](const auto& test) { return std::string(test.param.name); });

void ExpectWellFormed(const KillRows& rows) {
    for (const std::string& row : rows) {
        ASSERT_EQ(row.size(), kKillRowLength) << row;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i == 7 || i == 15) {
                ASSERT_EQ(row[i], '*') << row;
            } else {
                ASSERT_TRUE(row[i] >= '0' && row[i] <= '9') << row;
            }
        }
    }
}

// Every one-unit text, lone surrogates included: more than an entry box lets
// through, so the rule holds whatever a box is given.
TEST(KillRowShape, EveryOneUnitTextGivesDigitPlusOffsetModTen) {
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const std::u16string entry(1, static_cast<char16_t>(unit));
        const KillRows rows = ComputeKillRows(entry, u"7", entry);
        ExpectWellFormed(rows);
        const int digit = rongxi::test::OneCharacterValue(entry);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t i = 0; i < 7; ++i) {
                const char expected =
                    static_cast<char>('0' + (digit + rongxi::test::kRowOffsets[r][i]) % 10);
                ASSERT_EQ(rows[r][i], expected)
                    << "U+" << std::hex << static_cast<int>(unit) << " row " << r;
                ASSERT_EQ(rows[r][16 + i], expected);
            }
        }
    }
}

TEST(KillRowShape, RandomLongerTextsAreWellFormed) {
    // Characters that steer the number reader, plus anything at all.
    std::u16string interesting = u"0123456789+-.eEdDhHoO& \t\n\u3000\uFF11\uFF0E";
    interesting += {char16_t{0xD800}, char16_t{0xDC00}};  // lone surrogate halves
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> length(0, 60);
    std::uniform_int_distribution<std::size_t> pick(0, interesting.size() - 1);
    std::uniform_int_distribution<int> anyUnit(0, 0xFFFF);
    std::bernoulli_distribution wild(0.1);
    for (int round = 0; round < 5000; ++round) {
        std::array<std::u16string, 3> entries;
        for (auto& entry : entries) {
            for (int n = length(random); n > 0; --n) {
                entry += wild(random) ? static_cast<char16_t>(anyUnit(random))
                                      : interesting[pick(random)];
            }
        }
        ExpectWellFormed(ComputeKillRows(entries[0], entries[1], entries[2]));
    }
}

TEST(KillRowShape, VeryLongTextsAreWellFormed) {
    const std::u16string digits(1'000'000, u'9');
    const std::u16string zerosThenDigit = u"0." + std::u16string(1'000'000, u'0') + u"7";
    ExpectWellFormed(ComputeKillRows(digits, zerosThenDigit, u"&H" + digits));
}

}  // namespace
}  // namespace rongxi::core
