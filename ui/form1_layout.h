// The window's fixed layout, as data. Positions and sizes are in twips
// (1/1440 inch) relative to the control's container; at 96 dpi fifteen twips
// make one pixel, and Qt's device-pixel scaling takes care of other screens.
#pragma once

#include <array>
#include <string_view>

namespace rongxi::ui {

inline constexpr int kTwipsPerPixel = 15;

enum class ControlKind { Frame, EntryBox, ResultBox, Button };

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view container;  // "Form1" or the name of a frame
    std::string_view caption;    // UTF-8; empty for text boxes
    TwipRect twips;
    std::string_view accessibleName;  // what a screen reader says
};

inline constexpr std::string_view kWindowName = "Form1";
inline constexpr std::string_view kWindowCaption = "榕汐 ";  // the trailing blank is part of it
inline constexpr int kClientWidthTwips = 5130;
inline constexpr int kClientHeightTwips = 3465;

// Rows are in tab order. The entry boxes are 375 wide at a pitch of 360, so
// neighbours share one pixel of border: that is how the window has always
// looked.
inline constexpr std::array<ControlSpec, 14> Form1Layout{{
    {"Frame1", ControlKind::Frame, "Form1", "输入开奖号", {120, 0, 4935, 735}, "输入开奖号"},
    {"Text1", ControlKind::EntryBox, "Frame1", "", {120, 240, 375, 375}, "开奖号第一位"},
    {"Text2", ControlKind::EntryBox, "Frame1", "", {480, 240, 375, 375}, "开奖号第二位"},
    {"Text3", ControlKind::EntryBox, "Frame1", "", {840, 240, 375, 375}, "开奖号第三位"},
    {"Command1", ControlKind::Button, "Frame1", "杀垃圾", {1320, 240, 1095, 375}, "杀垃圾"},
    {"Command2", ControlKind::Button, "Frame1", "清除数据", {2520, 240, 1095, 375}, "清除数据"},
    {"Command3", ControlKind::Button, "Frame1", "退出", {3720, 240, 1095, 375}, "退出"},
    {"Frame2", ControlKind::Frame, "Form1", "杀垃圾复试", {120, 840, 4935, 2535}, "杀垃圾复试"},
    {"Text4", ControlKind::ResultBox, "Frame2", "", {120, 240, 4695, 315}, "杀垃圾复试第1行"},
    {"Text5", ControlKind::ResultBox, "Frame2", "", {120, 600, 4695, 315}, "杀垃圾复试第2行"},
    {"Text6", ControlKind::ResultBox, "Frame2", "", {120, 960, 4695, 315}, "杀垃圾复试第3行"},
    {"Text7", ControlKind::ResultBox, "Frame2", "", {120, 1320, 4695, 315}, "杀垃圾复试第4行"},
    {"Text8", ControlKind::ResultBox, "Frame2", "", {120, 1680, 4695, 315}, "杀垃圾复试第5行"},
    {"Text9", ControlKind::ResultBox, "Frame2", "", {120, 2040, 4695, 315}, "杀垃圾复试第6行"},
}};

// The boxes use "宋体" (SimSun), bold. Where it is missing, the first of the
// nearest Chinese serif faces that is installed stands in, never a Latin-only
// face, so both the digits and any Chinese character typed into a box keep
// their Simplified forms.
inline constexpr std::array<std::string_view, 5> kBoxFontFamilies{
    "宋体", "SimSun", "NSimSun", "Noto Serif CJK SC", "AR PL UMing CN"};
inline constexpr int kEntryBoxFontPixels = 19;   // 14.25 pt
inline constexpr int kResultBoxFontPixels = 14;  // 10.5 pt

// Captions use the first of these that is installed, else the desktop's
// default face: every caption is Chinese, and these draw it in Simplified
// forms whatever the user's locale. Their size is fixed, 9 pt at 96 dpi, so
// the captions fit the fixed layout whatever size the desktop's font has.
inline constexpr std::array<std::string_view, 5> kCaptionFamilies{
    "Microsoft YaHei", "PingFang SC", "Noto Sans CJK SC", "Source Han Sans SC",
    "WenQuanYi Micro Hei"};
inline constexpr int kCaptionFontPixels = 12;  // 9 pt

}  // namespace rongxi::ui
