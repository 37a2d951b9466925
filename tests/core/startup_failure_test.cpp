// What the Linux program says when its graphical interface cannot start:
// the display only where it is what failed.
#include "core/startup_failure.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rongxi::core::StartupFailure;
using rongxi::core::StartupFailureMessage;

TEST(StartupFailure, BlamesTheDisplayOnlyWhereNoneAnswers) {
    const struct {
        const char* name;
        StartupFailure failure;
        const char* english;  // a part of the English line
        bool givesQtsReason;
    } cases[] = {
        {"nothing set", {}, "no graphical display is set", false},
        {"a display that is not running",
         {.display = ":60"},
         "cannot reach the graphical display DISPLAY=:60",
         false},
        {"both not running",
         {.display = ":60", .waylandDisplay = "wayland-1"},
         "DISPLAY=:60, WAYLAND_DISPLAY=wayland-1",
         false},
        {"a running display that refuses the program",
         {.display = ":60", .displayAnswers = true},
         "cannot open the window on the graphical interface DISPLAY=:60",
         true},
        {"a platform the user named",
         {.platforms = "nonexistent",
          .platformsFromUser = true,
          .display = ":60",
          .displayAnswers = true},
         "interface nonexistent;",
         true},
        {"Wayland named without a compositor",
         {.platforms = "wayland", .platformsFromUser = true, .display = ":60"},
         "interface wayland;",
         true},
        {"the program's own choice, one display running",
         {.platforms = "xcb;wayland",
          .display = ":60",
          .waylandDisplay = "wayland-0",
          .waylandAnswers = true},
         "interface xcb;wayland;",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartupFailure failure = c.failure;
        failure.reason = "Qt's reason";
        const auto text = StartupFailureMessage(failure);
        EXPECT_EQ(text.chinese.rfind("rongxi: ", 0), 0U);
        EXPECT_EQ(text.english.rfind("rongxi: ", 0), 0U);
        EXPECT_NE(text.english.find(c.english), std::string::npos) << text.english;
        EXPECT_EQ(text.reason, c.givesQtsReason ? "Qt's reason" : "");
    }
}

}  // namespace
