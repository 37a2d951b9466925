// Texts as the Windows API takes them: wchar_t, which is a UTF-16 unit on
// Windows.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/unicode_text.h"

namespace rongxi::win32 {

inline std::wstring WideFromUtf16(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::u16string Utf16FromWide(std::wstring_view text) { return {text.begin(), text.end()}; }
// The layout table's texts are UTF-8.
inline std::wstring WideFromUtf8(std::string_view utf8) {
    return WideFromUtf16(core::Utf16FromUtf8(utf8));
}

inline std::u16string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf16FromWide(text);
}

// The text in a memory block of `bytes` bytes, such as the clipboard's: up
// to its first NUL, and never past the block's end, whatever another
// program put there.
inline std::u16string TextInBlock(const wchar_t* units, std::size_t bytes) {
    const std::wstring_view block(units, bytes / sizeof(wchar_t));
    return Utf16FromWide(block.substr(0, std::min(block.find(L'\0'), block.size())));
}

}  // namespace rongxi::win32
