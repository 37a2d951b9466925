#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/float_text.h"
#include "core/kill_rows.h"

namespace rongxi::core {
namespace {

constexpr char16_t kEnd = u'\0';

// Walks an entry text the way the number reader sees it: blanks, tabs and
// line feeds are not there at all, and full-width forms (what a Chinese input
// method types in full-width mode) are their ASCII twins.
class EntryScanner {
public:
    explicit EntryScanner(std::u16string_view text) : text_(text) { skipBlanks(); }

    [[nodiscard]] char16_t peek() const { return at_ < text_.size() ? Fold(text_[at_]) : kEnd; }
    void advance() {
        ++at_;
        skipBlanks();
    }
    [[nodiscard]] std::size_t position() const { return at_; }
    void rewind(std::size_t position) { at_ = position; }

private:
    static char16_t Fold(char16_t c) {
        if (c >= u'\uFF01' && c <= u'\uFF5E') return static_cast<char16_t>(c - 0xFEE0);
        if (c == u'\u3000') return u' ';
        return c;
    }
    static bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
    void skipBlanks() {
        while (at_ < text_.size() && IsBlank(Fold(text_[at_]))) ++at_;
    }

    std::u16string_view text_;
    std::size_t at_ = 0;
};

bool IsDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int DigitValue(char16_t c) {
    if (IsDecimalDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return 99;
}

// Past this many significant digits a decimal text is cut, keeping a sticky
// "1" for anything non-zero that was dropped. Every halfway point between two
// doubles has at most 767 significant digits, so the rounding stays exact
// while the work stays bounded for a text of any length.
constexpr std::size_t kKeptDecimalDigits = 800;
// 0.d * 10^310 is already beyond the largest double, and 0.d * 10^-330 below
// the smallest subnormal.
constexpr std::int64_t kOverflowScale = 310;
constexpr std::int64_t kUnderflowScale = -330;
constexpr std::int64_t kExponentCap = 1'000'000'000;

double ReadDecimal(EntryScanner& scanner) {
    double sign = 1.0;
    if (scanner.peek() == u'+' || scanner.peek() == u'-') {
        if (scanner.peek() == u'-') sign = -1.0;
        scanner.advance();
    }

    // value = 0.<significant> * 10^scale
    std::array<char, kKeptDecimalDigits + 1> significant{};
    std::size_t kept = 0;
    std::int64_t scale = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    for (char16_t c = scanner.peek();; c = scanner.peek()) {
        if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else if (IsDecimalDigit(c)) {
            anyDigit = true;
            const bool leadingZero = kept == 0 && c == u'0';
            if (leadingZero) {
                if (seenPoint) --scale;
            } else {
                if (!seenPoint) ++scale;
                if (kept < kKeptDecimalDigits) {
                    significant[kept++] = static_cast<char>(c);
                } else if (c != u'0') {
                    significant[kKeptDecimalDigits] = '1';
                }
            }
        } else {
            break;
        }
        scanner.advance();
    }
    if (!anyDigit) return 0.0;

    const char16_t marker = scanner.peek();
    if (marker == u'E' || marker == u'e' || marker == u'D' || marker == u'd') {
        const std::size_t beforeMarker = scanner.position();
        scanner.advance();
        std::int64_t exponentSign = 1;
        if (scanner.peek() == u'+' || scanner.peek() == u'-') {
            if (scanner.peek() == u'-') exponentSign = -1;
            scanner.advance();
        }
        if (IsDecimalDigit(scanner.peek())) {
            std::int64_t exponent = 0;
            for (; IsDecimalDigit(scanner.peek()); scanner.advance()) {
                if (exponent < kExponentCap) exponent = exponent * 10 + (scanner.peek() - u'0');
            }
            scale += exponentSign * exponent;
        } else {
            scanner.rewind(beforeMarker);  // "1e" is 1: the marker is not part of it
        }
    }

    if (kept == 0) return 0.0;
    if (scale > kOverflowScale) return sign * DBL_MAX;
    if (scale < kUnderflowScale) return 0.0;

    std::array<char, kKeptDecimalDigits + 16> text{};
    char* out = text.data();
    *out++ = '0';
    *out++ = '.';
    for (std::size_t i = 0; i < kept; ++i) *out++ = significant[i];
    if (significant[kKeptDecimalDigits] != '\0') *out++ = '1';
    *out++ = 'e';
    out = std::to_chars(out, text.data() + text.size(), scale).ptr;

    double value = 0.0;
    const auto result = detail::ReadDouble(text.data(), out, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range || std::isinf(value)) {
        return scale > 0 ? sign * DBL_MAX : 0.0;
    }
    return sign * value;
}

// "&H" hexadecimal and "&O" (or bare "&") octal integers. Their bits are
// regrouped into hexadecimal digits, which are read rounded to nearest.
constexpr std::size_t kMaxHexDigits = 256;  // 16^256 = 2^1024: past the largest double
constexpr std::size_t kMaxOctalDigits = 342;

double ReadRadixInteger(EntryScanner& scanner) {
    int bitsPerDigit = 3;
    const char16_t prefix = scanner.peek();
    if (prefix == u'H' || prefix == u'h') {
        bitsPerDigit = 4;
        scanner.advance();
    } else if (prefix == u'O' || prefix == u'o') {
        scanner.advance();
    }
    const int radix = 1 << bitsPerDigit;
    const std::size_t maxDigits = bitsPerDigit == 4 ? kMaxHexDigits : kMaxOctalDigits;

    std::array<std::uint8_t, kMaxOctalDigits * 3> bits{};
    std::size_t bitCount = 0;
    bool tooLarge = false;
    for (; DigitValue(scanner.peek()) < radix; scanner.advance()) {
        const int digit = DigitValue(scanner.peek());
        if (bitCount == 0 && digit == 0) continue;
        if (bitCount / static_cast<std::size_t>(bitsPerDigit) >= maxDigits) {
            tooLarge = true;
            continue;
        }
        for (int bit = bitsPerDigit - 1; bit >= 0; --bit) bits[bitCount++] = (digit >> bit) & 1;
    }
    if (tooLarge) return DBL_MAX;
    if (bitCount == 0) return 0.0;

    constexpr std::string_view kHexDigits = "0123456789abcdef";
    std::array<char, kMaxOctalDigits * 3 / 4 + 2> hex{};
    std::size_t hexCount = 0;
    const std::size_t padding = (4 - bitCount % 4) % 4;
    int nibble = 0;
    for (std::size_t i = 0; i < bitCount + padding; ++i) {
        const int bit = i < padding ? 0 : bits[i - padding];
        nibble = nibble << 1 | bit;
        if (i % 4 == 3) {
            hex[hexCount++] = kHexDigits[static_cast<std::size_t>(nibble)];
            nibble = 0;
        }
    }
    double value = 0.0;
    const auto result =
        detail::ReadDouble(hex.data(), hex.data() + hexCount, value, std::chars_format::hex);
    if (result.ec == std::errc::result_out_of_range || std::isinf(value)) return DBL_MAX;
    return value;
}

}  // namespace

double EntryValue(std::u16string_view text) noexcept {
    EntryScanner scanner(text);
    if (scanner.peek() == u'&') {
        scanner.advance();
        return ReadRadixInteger(scanner);
    }
    return ReadDecimal(scanner);
}

}  // namespace rongxi::core
