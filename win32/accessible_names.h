// Screen readers on Windows learn each control's name from an annotation
// kept by the system's accessibility layer (Microsoft Active Accessibility),
// the same Chinese names as the Linux window gives.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

namespace rongxi::win32 {

struct AccessibleName {
    HWND control;
    std::string_view name;  // UTF-8
};

// Annotates each control with its name. Accessibility is a service to the
// user, not a condition for running: where the system offers no annotation
// service the window works without it. Returns whether all were annotated.
bool AnnotateAccessibleNames(std::span<const AccessibleName> names);

}  // namespace rongxi::win32
