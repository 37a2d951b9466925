// Draws and the six rows the window must show for them
// (draw_scenarios.json): one table for the window behaviour and for every
// front-end's window test.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace rongxi::test {

struct DrawScenario {
    std::string_view name;
    std::array<std::string_view, 3> entries;  // Text1 to Text3, UTF-8
    std::array<std::string_view, 6> rows;     // Text4 to Text9
};

inline constexpr auto kDrawScenarios = std::to_array<DrawScenario>({
#include "data/draw_scenarios.inc"
});

// The rows for any three one-character entries, worked out by hand from the
// offsets of each row: a digit counts as itself (a full-width one too),
// anything else as 0, and each digit is (value + offset) mod 10.
inline constexpr std::array<std::array<int, 7>, 6> kRowOffsets{{
    {0, 1, 2, 3, 4, 8, 9},
    {0, 1, 5, 6, 7, 8, 9},
    {0, 2, 4, 5, 6, 7, 8},
    {0, 3, 4, 5, 6, 7, 9},
    {1, 2, 3, 4, 5, 6, 7},
    {2, 3, 5, 6, 7, 8, 9},
}};

inline int OneCharacterValue(std::u16string_view entry) {
    if (entry.size() != 1) return 0;
    const char16_t c = entry.front();
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'\uFF10' && c <= u'\uFF19') return c - u'\uFF10';
    return 0;
}

inline std::array<std::string, 6> ExpectedRows(const std::array<std::u16string_view, 3>& entries) {
    std::array<std::string, 6> rows;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t entry = 0; entry < entries.size(); ++entry) {
            if (entry > 0) rows[row] += '*';
            for (const int offset : kRowOffsets[row]) {
                rows[row] +=
                    static_cast<char>('0' + (OneCharacterValue(entries[entry]) + offset) % 10);
            }
        }
    }
    return rows;
}

}  // namespace rongxi::test
