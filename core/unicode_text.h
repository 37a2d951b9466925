// Texts as the boxes hold them: UTF-16, where a character outside the Basic
// Multilingual Plane takes two units (a surrogate pair). A user sees one
// character there, and the one-character rule of the entry boxes counts it
// as one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rongxi::core {

// Characters as the user sees them: a surrogate pair is one, and so is a
// lone surrogate unit.
std::size_t CharacterCount(std::u16string_view text);

// The text without what is not text: lone surrogate units and control
// characters (C0, DEL and C1).
std::u16string TextCharacters(std::u16string_view text);

// The first character of the text that is text; empty when there is none.
std::u16string_view FirstTextCharacter(std::u16string_view text);

// UTF-8 to UTF-16; a byte that does not belong to a valid sequence becomes
// U+FFFD, so any text, even a broken one, can be shown.
std::u16string Utf16FromUtf8(std::string_view utf8);

}  // namespace rongxi::core
