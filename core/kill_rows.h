// The kill-row generator: turns the three digits of a draw into six kill rows.
//
// A kill row lists, for each entered digit in turn, the seven digits at the
// row's fixed offsets above it (wrapping 9 to 0), the three groups of seven
// joined by "*". Each entry is read as the number it starts with
// (EntryValue), each sum is written as text (NumberText), and its last
// character is the digit, which keeps the result defined for entry texts of
// any length and content, not only for single digits.
//
// This library knows nothing about windows: the window passes the texts of
// its boxes in (as UTF-16, the way the boxes hold them) and writes the rows
// back out.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace rongxi::core {

struct KillRowSpec {
    std::string_view resultBox;  // name of the box that shows the row
    std::array<int, 7> offsets;  // ascending; also the order of the digits
};

inline constexpr std::size_t kKillRowCount = 6;
inline constexpr std::size_t kKillRowLength = 23;  // 3 groups of 7 and two "*"

inline constexpr std::array<KillRowSpec, kKillRowCount> KillRowTable{{
    {"Text4", {0, 1, 2, 3, 4, 8, 9}},
    {"Text5", {0, 1, 5, 6, 7, 8, 9}},
    {"Text6", {0, 2, 4, 5, 6, 7, 8}},
    {"Text7", {0, 3, 4, 5, 6, 7, 9}},
    {"Text8", {1, 2, 3, 4, 5, 6, 7}},
    {"Text9", {2, 3, 5, 6, 7, 8, 9}},
}};

using KillRows = std::array<std::string, kKillRowCount>;

// The number at the start of an entry text; 0 when it does not start with
// one. Always finite: magnitudes beyond a double saturate at the largest one.
double EntryValue(std::u16string_view text) noexcept;

// The decimal text of a finite number; it always ends in a digit.
// Throws std::domain_error for infinity and NaN, which have no such text.
std::string NumberText(double value);

// The six kill rows, in KillRowTable order, for the three entry texts.
// Defined for every input: each row is 23 characters, digits with "*" at the
// 8th and 16th place.
KillRows ComputeKillRows(std::u16string_view e1, std::u16string_view e2, std::u16string_view e3);

}  // namespace rongxi::core
