// Which platforms the program asks Qt for, by desktop session.
#include "qt/platform_choice.h"

#include <gtest/gtest.h>

namespace {

using rongxi::qt::DesktopSession;
using rongxi::qt::PlatformsForSession;

struct SessionCase {
    DesktopSession session;
    const char* platforms;
};

const SessionCase kSessions[] = {
    // GNOME on Wayland, as its distributions name it: X11 through Xwayland
    // first, so that GNOME draws the title bar.
    {{"GNOME", ":0", "wayland-0", ""}, "xcb;wayland"},
    {{"ubuntu:GNOME", ":0", "wayland-0", ""}, "xcb;wayland"},
    {{"GNOME-Classic:GNOME", ":1", "wayland-1", ""}, "xcb;wayland"},
    // Compositors that decorate Wayland windows, or let Qt do so as their
    // own programs do: Qt's choice.
    {{"KDE", ":0", "wayland-0", ""}, ""},
    {{"sway", ":0", "wayland-1", ""}, ""},
    {{"GNOMEish", ":0", "wayland-0", ""}, ""},
    // GNOME on X11, GNOME without Xwayland, and a platform the user chose.
    {{"GNOME", ":0", "", ""}, ""},
    {{"GNOME", "", "wayland-0", ""}, ""},
    {{"GNOME", ":0", "wayland-0", "wayland"}, ""},
};

TEST(PlatformChoice, FollowsTheDesktopSession) {
    for (const auto& [session, platforms] : kSessions) {
        EXPECT_EQ(PlatformsForSession(session), platforms)
            << session.currentDesktop << " " << session.display << " " << session.waylandDisplay
            << " " << session.qtPlatform;
    }
}

}  // namespace
