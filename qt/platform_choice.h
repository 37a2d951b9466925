// Which of Qt's platforms the program asks for on the user's desktop.
#pragma once

#include <string>
#include <string_view>

namespace rongxi::qt {

// What the desktop session says of itself (the environment's
// XDG_CURRENT_DESKTOP, DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM).
struct DesktopSession {
    std::string_view currentDesktop;
    std::string_view display;
    std::string_view waylandDisplay;
    std::string_view qtPlatform;
};

// The platforms to try in turn (Qt's "-platform" list), or empty for Qt's
// own choice. GNOME's compositor leaves a Wayland window's title bar to the
// program, where Qt would draw a title bar unlike any other on that desktop;
// through Xwayland the window gets GNOME's own. Wayland stays the fallback,
// and the user's own choice of platform stands.
std::string PlatformsForSession(const DesktopSession& session);

}  // namespace rongxi::qt
