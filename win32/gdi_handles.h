// Owned GDI objects (a font recreated for a new DPI frees the old one), and
// what the system knows of its fonts.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace rongxi::win32 {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

inline int CALLBACK NoteFontFound(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/,
                                  DWORD /*type*/, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

// Whether a font of this face is installed with this character set
// (DEFAULT_CHARSET: any).
inline bool IsFontInstalled(const std::wstring& face, BYTE charSet = DEFAULT_CHARSET) {
    LOGFONTW wanted{};
    wanted.lfCharSet = charSet;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, &NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace rongxi::win32
