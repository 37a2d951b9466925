// Shared between NumberText and the kill-row builder, which needs only the
// last character and asks for it millions of times in the tests.
#pragma once

namespace rongxi::core::detail {

// The last character of NumberText(value), without building the text where
// the value is a plain integer. The value must be finite.
char LastNumberTextChar(double value) noexcept;

}  // namespace rongxi::core::detail
