// Whether a display server listens where the environment points, asked
// without the toolkit: a connection to its socket, closed at once. Tells a
// display that is not running from one that refuses the program.
#pragma once

#include <string_view>

namespace rongxi::qt {

// DISPLAY's server: ":N", "unix:N" and "/path:N" on this machine,
// "host:N" over TCP.
bool X11DisplayAnswers(std::string_view display);

// WAYLAND_DISPLAY's compositor: a socket name in the runtime directory, or
// an absolute path.
bool WaylandDisplayAnswers(std::string_view waylandDisplay, std::string_view runtimeDirectory);

}  // namespace rongxi::qt
