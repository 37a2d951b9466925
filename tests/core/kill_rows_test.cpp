#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>

#include "core/kill_rows.h"

namespace rongxi {
namespace {

struct DrawCase {
    const char* name;
    std::u16string_view e1, e2, e3;
    KillRows rows;
};

const DrawCase kDraws[] = {
    {"OneTwoThree",
     u"1",
     u"2",
     u"3",
     {"1234590*2345601*3456712", "1267890*2378901*3489012", "1356789*2467890*3578901",
      "1456780*2567891*3678902", "2345678*3456789*4567890", "3467890*4578901*5689012"}},
    {"AllZeros",
     u"0",
     u"0",
     u"0",
     {"0123489*0123489*0123489", "0156789*0156789*0156789", "0245678*0245678*0245678",
      "0345679*0345679*0345679", "1234567*1234567*1234567", "2356789*2356789*2356789"}},
    {"AllNines",
     u"9",
     u"9",
     u"9",
     {"9012378*9012378*9012378", "9045678*9045678*9045678", "9134567*9134567*9134567",
      "9234568*9234568*9234568", "0123456*0123456*0123456", "1245678*1245678*1245678"}},
    {"EmptyAndLetterCountAsZero",
     u"5",
     u"",
     u"x",
     {"5678934*0123489*0123489", "5601234*0156789*0156789", "5790123*0245678*0245678",
      "5890124*0345679*0345679", "6789012*1234567*1234567", "7801234*2356789*2356789"}},
};

class DrawTest : public testing::TestWithParam<DrawCase> {};

TEST_P(DrawTest, GivesTheSixRows) {
    const DrawCase& draw = GetParam();
    EXPECT_EQ(ComputeKillRows(draw.e1, draw.e2, draw.e3), draw.rows);
}

INSTANTIATE_TEST_SUITE_P(Draws, DrawTest, testing::ValuesIn(kDraws),
                         [](const auto& test) { return std::string(test.param.name); });

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

int DigitOf(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'\uFF10' && c <= u'\uFF19') return c - u'\uFF10';
    return 0;
}

// Every one-unit text, lone surrogates included: more than an entry box lets
// through, so the rule holds whatever a box is given.
TEST(KillRowShape, EveryOneUnitTextGivesDigitPlusOffsetModTen) {
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const std::u16string entry(1, static_cast<char16_t>(unit));
        const KillRows rows = ComputeKillRows(entry, u"7", entry);
        ExpectWellFormed(rows);
        const int digit = DigitOf(entry[0]);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t i = 0; i < 7; ++i) {
                const char expected =
                    static_cast<char>('0' + (digit + KillRowTable[r].offsets[i]) % 10);
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
}  // namespace rongxi
