// Owned GDI objects: a font recreated for a new DPI frees the old one.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace rongxi::ui::win32 {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

}  // namespace rongxi::ui::win32
