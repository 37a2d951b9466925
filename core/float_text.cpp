#include "core/float_text.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace rongxi::core::detail {

char* WriteScientific(char* first, char* last, double value, int precision) {
#ifdef RONGXI_HAVE_FLOAT_CHARCONV
    return std::to_chars(first, last, value, std::chars_format::scientific, precision).ptr;
#else
    return WriteScientificC(first, last, value, precision);
#endif
}

std::from_chars_result ReadDouble(const char* first, const char* last, double& value,
                                  std::chars_format format) {
#ifdef RONGXI_HAVE_FLOAT_CHARCONV
    return std::from_chars(first, last, value, format);
#else
    return ReadDoubleC(first, last, value, format);
#endif
}

char* WriteScientificC(char* first, char* last, double value, int precision) {
    const int written =
        std::snprintf(first, static_cast<std::size_t>(last - first), "%.*e", precision, value);
    if (written < 0 || written >= last - first) return last;
    return first + written;
}

std::from_chars_result ReadDoubleC(const char* first, const char* last, double& value,
                                   std::chars_format format) {
    // strtod wants a NUL-terminated text, and "0x" before hexadecimal digits.
    // The callers' texts are some 820 characters at most.
    constexpr std::string_view kHexPrefix = "0x";
    std::array<char, 1024> text{};
    const std::string_view prefix = format == std::chars_format::hex ? kHexPrefix : "";
    const auto length = static_cast<std::size_t>(last - first);
    if (prefix.size() + length >= text.size()) return {first, std::errc::invalid_argument};
    prefix.copy(text.data(), prefix.size());
    std::string_view(first, length).copy(text.data() + prefix.size(), length);

    char* end = nullptr;
    errno = 0;
    const double result = std::strtod(text.data(), &end);
    const auto consumed =
        static_cast<std::ptrdiff_t>(end - text.data()) - static_cast<std::ptrdiff_t>(prefix.size());
    if (consumed <= 0) return {first, std::errc::invalid_argument};
    const char* const stop = first + consumed;
    // Too large, or too small for even a subnormal.
    if (errno == ERANGE && (std::isinf(result) || result == 0.0)) {
        return {stop, std::errc::result_out_of_range};
    }
    value = result;
    return {stop, std::errc{}};
}

}  // namespace rongxi::core::detail
