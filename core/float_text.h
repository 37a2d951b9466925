// Floating-point text conversions for EntryValue and NumberText: the C++
// library's std::to_chars and std::from_chars where it has them for double,
// else the C library's printf and strtod, which give the same results. Both
// round correctly; strtod alone calls a subnormal result out of range, and
// ReadDouble does not.
//
// The C library's conversions follow the C locale's decimal point: they are
// used only where nothing sets another locale (the web page).
#pragma once

#include <charconv>

namespace rongxi::core::detail {

// `value` in scientific notation with `precision` digits after the point and
// at least two exponent digits, as std::to_chars writes it ("1.5e+03").
// The range must have room for the text and a terminating NUL.
char* WriteScientific(char* first, char* last, double value, int precision);

// The number at the start of the range, rounded to nearest: decimal with an
// optional exponent ("0.123e45"), or hexadecimal digits alone ("1f").
std::from_chars_result ReadDouble(const char* first, const char* last, double& value,
                                  std::chars_format format);

// The C library's way, built everywhere so that the tests compare the two.
char* WriteScientificC(char* first, char* last, double value, int precision);
std::from_chars_result ReadDoubleC(const char* first, const char* last, double& value,
                                   std::chars_format format);

}  // namespace rongxi::core::detail
