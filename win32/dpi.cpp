#include "win32/dpi.h"

#include "win32/library_function.h"

namespace rongxi::win32 {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

UINT WindowDpi(HWND window) {
    static const auto getDpiForWindow = LibraryFunction<GetDpiForWindowFunction>(
        GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (getDpiForWindow != nullptr) return getDpiForWindow(window);
    // shcore.dll is in System32 from Windows 8.1 on; where it is missing,
    // nothing is loaded from anywhere else.
    static const auto getDpiForMonitor = LibraryFunction<GetDpiForMonitorFunction>(
        LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor");
    if (getDpiForMonitor != nullptr) {
        UINT dpiX = 0;
        UINT dpiY = 0;
        if (SUCCEEDED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                       kEffectiveDpi, &dpiX, &dpiY))) {
            return dpiY;
        }
    }
    return SystemDpi();
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace rongxi::win32
