// Owned GDI objects (a font recreated for a new DPI frees the old one), and
// texts as the Windows API takes them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "ui/unicode_text.h"

namespace rongxi::ui::win32 {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

// Texts cross the API as wchar_t, which is a UTF-16 unit on Windows.
inline std::wstring WideFromUtf16(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::u16string Utf16FromWide(std::wstring_view text) { return {text.begin(), text.end()}; }
// The layout table's texts are UTF-8.
inline std::wstring WideFromUtf8(std::string_view utf8) {
    return WideFromUtf16(Utf16FromUtf8(utf8));
}

inline std::u16string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf16FromWide(text);
}

}  // namespace rongxi::ui::win32
