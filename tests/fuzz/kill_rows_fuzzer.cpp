// libFuzzer target for the kill-row generator. The input is read as two
// split points and UTF-16 text, cut into three entries; its first eight bytes
// also serve as a double for NumberText. Every input must keep the
// generator's promises, checked below; a broken one aborts the run.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/kill_rows.h"

namespace {

void Require(bool condition, const char* promise) {
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// NumberText ends in a digit and reads back to its value within the 15
// significant digits it shows.
void CheckNumberText(double value) {
    const std::string text = rongxi::core::NumberText(value);
    Require(!text.empty() && IsDigit(text.back()), "NumberText ends in a digit");
    const std::u16string wide(text.begin(), text.end());
    const double back = rongxi::core::EntryValue(wide);
    Require(std::fabs(back - value) <= std::fabs(value) * 1e-14, "NumberText round-trips");
}

int OneCharacterDigit(std::u16string_view entry) {
    const char16_t c = entry[0];
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'\uFF10' && c <= u'\uFF19') return c - u'\uFF10';
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) CheckNumberText(value);
    }
    if (size < 2) return 0;

    std::u16string text((size - 2) / 2, u'\0');
    std::memcpy(text.data(), data + 2, text.size() * 2);
    const std::size_t first = text.size() * data[0] / 255;
    const std::size_t second = (text.size() - first) * data[1] / 255;
    const std::u16string_view all(text);
    const std::array<std::u16string_view, 3> entries{
        all.substr(0, first), all.substr(first, second), all.substr(first + second)};

    std::array<double, 3> values{};
    for (std::size_t i = 0; i < 3; ++i) {
        values[i] = rongxi::core::EntryValue(entries[i]);
        Require(std::isfinite(values[i]), "EntryValue is finite");
    }

    const rongxi::core::KillRows rows =
        rongxi::core::ComputeKillRows(entries[0], entries[1], entries[2]);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string& row = rows[r];
        Require(row.size() == 23, "a row has 23 characters");
        Require(row[7] == '*' && row[15] == '*', "a row has * at its 8th and 16th place");
        for (std::size_t group = 0; group < 3; ++group) {
            for (std::size_t i = 0; i < 7; ++i) {
                const char digit = row[group * 8 + i];
                Require(IsDigit(digit), "a row is digits elsewhere");
                const int offset = rongxi::core::KillRowTable[r].offsets[i];
                const double sum = values[group] + offset;
                Require(digit == rongxi::core::NumberText(sum).back(),
                        "a digit ends the sum's text");
                if (entries[group].size() == 1) {
                    const int expected = (OneCharacterDigit(entries[group]) + offset) % 10;
                    Require(digit == '0' + expected, "one character gives (d + k) mod 10");
                }
            }
        }
    }
    if (size >= 10) CheckNumberText(values[0]);
    return 0;
}
