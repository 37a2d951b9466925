// The DPI a window is shown at, on every Windows from 7 SP1 on.
//
// The program is built against Windows 7's headers, so nothing newer can be
// called directly; the newer functions are looked up when first needed:
// GetDpiForWindow (Windows 10, version 1607) gives the window's own DPI,
// else GetDpiForMonitor (Windows 8.1) the DPI of the screen it is on, else
// the system's DPI, which is all Windows 7 and 8 know.
#pragma once

#include <windows.h>

namespace rongxi::win32 {

UINT WindowDpi(HWND window);

// The system's DPI: that of the main screen, where a new window opens.
UINT SystemDpi();

}  // namespace rongxi::win32
