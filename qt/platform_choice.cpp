#include "qt/platform_choice.h"

namespace rongxi::qt {

namespace {

// XDG_CURRENT_DESKTOP is a colon-separated list, such as "ubuntu:GNOME".
bool NamesDesktop(std::string_view desktops, std::string_view name) {
    while (!desktops.empty()) {
        const std::size_t end = desktops.find(':');
        if (desktops.substr(0, end) == name) return true;
        if (end == std::string_view::npos) break;
        desktops.remove_prefix(end + 1);
    }
    return false;
}

}  // namespace

std::string PlatformsForSession(const DesktopSession& session) {
    const bool gnomeOnWayland =
        NamesDesktop(session.currentDesktop, "GNOME") && !session.waylandDisplay.empty();
    if (!gnomeOnWayland || session.display.empty() || !session.qtPlatform.empty()) return {};
    return "xcb;wayland";
}

}  // namespace rongxi::qt
