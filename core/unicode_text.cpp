#include "core/unicode_text.h"

#include <cstdint>

namespace rongxi::core {
namespace {

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Length in units of the character starting at `at`: 2 for a surrogate
// pair, 1 otherwise.
std::size_t UnitsAt(std::u16string_view text, std::size_t at) {
    return IsHigh(text[at]) && at + 1 < text.size() && IsLow(text[at + 1]) ? 2 : 1;
}

bool IsLoneSurrogateAt(std::u16string_view text, std::size_t at) {
    return (IsHigh(text[at]) || IsLow(text[at])) && UnitsAt(text, at) == 1;
}

bool IsControlAt(std::u16string_view text, std::size_t at) {
    const char16_t unit = text[at];
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

}  // namespace

std::size_t CharacterCount(std::u16string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += UnitsAt(text, at)) ++count;
    return count;
}

std::u16string TextCharacters(std::u16string_view text) {
    std::u16string kept;
    for (std::size_t at = 0; at < text.size(); at += UnitsAt(text, at)) {
        if (!IsLoneSurrogateAt(text, at) && !IsControlAt(text, at)) {
            kept += text.substr(at, UnitsAt(text, at));
        }
    }
    return kept;
}

std::u16string_view FirstTextCharacter(std::u16string_view text) {
    for (std::size_t at = 0; at < text.size(); at += UnitsAt(text, at)) {
        if (!IsLoneSurrogateAt(text, at) && !IsControlAt(text, at)) {
            return text.substr(at, UnitsAt(text, at));
        }
    }
    return {};
}

std::u16string Utf16FromUtf8(std::string_view utf8) {
    constexpr char32_t kReplacement = 0xFFFD;
    std::u16string out;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[at]);
        // Sequence length, smallest value it may encode, and the lead's bits.
        std::size_t length = 1;
        char32_t minimum = 0;
        char32_t code = lead;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, minimum = 0x80, code = lead & 0x1FU;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, minimum = 0x800, code = lead & 0x0FU;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, minimum = 0x10000, code = lead & 0x07U;
        } else if (lead >= 0x80) {
            code = kReplacement;  // a stray continuation byte or an invalid lead
        }
        std::size_t used = 1;
        while (used < length && at + used < utf8.size() &&
               (static_cast<std::uint8_t>(utf8[at + used]) & 0xC0U) == 0x80U) {
            code = code << 6 | (static_cast<std::uint8_t>(utf8[at + used]) & 0x3FU);
            ++used;
        }
        if (used != length || code < minimum || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            code = kReplacement;
        }
        at += used;
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

}  // namespace rongxi::core
