// What the Linux program says when its graphical interface cannot be
// started: the display itself where none is set or none answers, otherwise
// the platform or display it tried and the toolkit's own reason.
#pragma once

#include <string>
#include <string_view>

namespace rongxi::core {

struct StartupFailure {
    // The toolkit's platforms asked for, as a ";"-separated list (Qt's
    // "-platform"); empty for the toolkit's own choice.
    std::string_view platforms{};
    bool platformsFromUser = false;     // the user named them (QT_QPA_PLATFORM)
    std::string_view display{};         // DISPLAY
    std::string_view waylandDisplay{};  // WAYLAND_DISPLAY
    bool displayAnswers = false;        // an X server listens where DISPLAY points
    bool waylandAnswers = false;        // a compositor listens where WAYLAND_DISPLAY points
    std::string_view reason{};          // what the toolkit said, one line or more
};

// One line in Chinese, one in English (UTF-8), and the toolkit's reason
// after them where the display is not what failed (else empty).
struct StartupFailureText {
    std::string chinese;
    std::string english;
    std::string reason;
};

StartupFailureText StartupFailureMessage(const StartupFailure& failure);

}  // namespace rongxi::core
