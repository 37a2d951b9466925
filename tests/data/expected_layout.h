// The window as a user measures it at 96 dpi (expected_layout.json): every
// control's kind, frame, caption and rectangle in the client area, and the
// Tab cycle. One table for every front-end's window test.
#pragma once

#include <array>
#include <string_view>

namespace rongxi::test {

enum class Kind { Frame, EntryBox, ResultBox, Button };

struct ExpectedControl {
    std::string_view name;
    Kind kind;
    std::string_view container;
    std::string_view caption;  // UTF-8
    int x;
    int y;
    int width;
    int height;
};

struct ExpectedWindow {
    int clientWidth;
    int clientHeight;
    // Tab from Text1 walks this cycle and comes back to Text1.
    std::array<std::string_view, 12> tabCycle;
};
inline constexpr ExpectedWindow kExpectedWindow{
#include "data/expected_window.inc"
};
inline constexpr int kClientWidth = kExpectedWindow.clientWidth;
inline constexpr int kClientHeight = kExpectedWindow.clientHeight;
inline constexpr auto kTabCycle = kExpectedWindow.tabCycle;

inline constexpr auto kExpectedLayout = std::to_array<ExpectedControl>({
#include "data/expected_layout.inc"
});

}  // namespace rongxi::test
