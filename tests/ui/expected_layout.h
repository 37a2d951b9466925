// The window as a user measures it at 96 dpi: every control's kind, frame,
// caption and rectangle in the client area, and the Tab cycle. One table for
// every front-end's window test.
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
    std::string_view accessibleName;  // what a screen reader says, UTF-8
};

inline constexpr int kClientWidth = 342;
inline constexpr int kClientHeight = 231;

inline constexpr std::array<ExpectedControl, 14> kExpectedLayout{{
    {"Frame1", Kind::Frame, "Form1", "输入开奖号", 8, 0, 329, 49, "输入开奖号"},
    {"Text1", Kind::EntryBox, "Frame1", "", 16, 16, 25, 25, "开奖号第一位"},
    {"Text2", Kind::EntryBox, "Frame1", "", 40, 16, 25, 25, "开奖号第二位"},
    {"Text3", Kind::EntryBox, "Frame1", "", 64, 16, 25, 25, "开奖号第三位"},
    {"Command1", Kind::Button, "Frame1", "杀垃圾", 96, 16, 73, 25, "杀垃圾"},
    {"Command2", Kind::Button, "Frame1", "清除数据", 176, 16, 73, 25, "清除数据"},
    {"Command3", Kind::Button, "Frame1", "退出", 256, 16, 73, 25, "退出"},
    {"Frame2", Kind::Frame, "Form1", "杀垃圾复试", 8, 56, 329, 169, "杀垃圾复试"},
    {"Text4", Kind::ResultBox, "Frame2", "", 16, 72, 313, 21, "杀垃圾复试第1行"},
    {"Text5", Kind::ResultBox, "Frame2", "", 16, 96, 313, 21, "杀垃圾复试第2行"},
    {"Text6", Kind::ResultBox, "Frame2", "", 16, 120, 313, 21, "杀垃圾复试第3行"},
    {"Text7", Kind::ResultBox, "Frame2", "", 16, 144, 313, 21, "杀垃圾复试第4行"},
    {"Text8", Kind::ResultBox, "Frame2", "", 16, 168, 313, 21, "杀垃圾复试第5行"},
    {"Text9", Kind::ResultBox, "Frame2", "", 16, 192, 313, 21, "杀垃圾复试第6行"},
}};

// Tab from Text1 walks this cycle and comes back to Text1.
inline constexpr std::array<std::string_view, 12> kTabCycle{
    "Text1", "Text2", "Text3", "Command1", "Command2", "Command3",
    "Text4", "Text5", "Text6", "Text7",    "Text8",    "Text9"};

}  // namespace rongxi::test
