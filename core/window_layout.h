// The main window's fixed layout, as data, and the few rules that turn it
// into pixels and fonts for any toolkit.
//
// Controls are known by their role (`Control`), which indexes the layout
// table. Each row also carries the control's design name ("Text1",
// "Command1", ...), which the toolkits use as object name or element id, so
// tests and anyone reading the design find a control by it. Positions and
// sizes are in twips (1/1440 inch) relative to the control's container:
// fifteen twips make one pixel at 96 dpi.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace rongxi::core {

// In tab order, which is also the order of the layout table.
enum class Control {
    EntryFrame,  // around the three entry boxes and the buttons
    Entry1,      // the draw's first digit
    Entry2,
    Entry3,
    ComputeButton,  // fills the kill rows
    ClearButton,    // empties all nine boxes
    ExitButton,
    KillRowFrame,  // around the six kill rows
    KillRow1,
    KillRow2,
    KillRow3,
    KillRow4,
    KillRow5,
    KillRow6,
};
inline constexpr std::size_t kControlCount = 14;

enum class ControlKind { Frame, EntryBox, ResultBox, Button };

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlSpec {
    Control id;
    std::string_view designName;
    ControlKind kind;
    std::optional<Control> frame;     // the frame it sits in; none for a frame
    std::string_view caption;         // UTF-8; empty for text boxes
    TwipRect twips;                   // relative to the frame, or to the window's client area
    std::string_view accessibleName;  // what a screen reader says
};

inline constexpr std::string_view kWindowDesignName = "Form1";
inline constexpr std::string_view kWindowCaption = "榕汐 ";  // the trailing blank is part of it
inline constexpr int kClientWidthTwips = 5130;
inline constexpr int kClientHeightTwips = 3465;

// The entry boxes are 375 wide at a pitch of 360, so neighbours share one
// pixel of border.
inline constexpr std::array<ControlSpec, kControlCount> kWindowLayout{{
    {Control::EntryFrame,
     "Frame1",
     ControlKind::Frame,
     {},
     "输入开奖号",
     {120, 0, 4935, 735},
     "输入开奖号"},
    {Control::Entry1,
     "Text1",
     ControlKind::EntryBox,
     Control::EntryFrame,
     "",
     {120, 240, 375, 375},
     "开奖号第一位"},
    {Control::Entry2,
     "Text2",
     ControlKind::EntryBox,
     Control::EntryFrame,
     "",
     {480, 240, 375, 375},
     "开奖号第二位"},
    {Control::Entry3,
     "Text3",
     ControlKind::EntryBox,
     Control::EntryFrame,
     "",
     {840, 240, 375, 375},
     "开奖号第三位"},
    {Control::ComputeButton,
     "Command1",
     ControlKind::Button,
     Control::EntryFrame,
     "杀垃圾",
     {1320, 240, 1095, 375},
     "杀垃圾"},
    {Control::ClearButton,
     "Command2",
     ControlKind::Button,
     Control::EntryFrame,
     "清除数据",
     {2520, 240, 1095, 375},
     "清除数据"},
    {Control::ExitButton,
     "Command3",
     ControlKind::Button,
     Control::EntryFrame,
     "退出",
     {3720, 240, 1095, 375},
     "退出"},
    {Control::KillRowFrame,
     "Frame2",
     ControlKind::Frame,
     {},
     "杀垃圾复试",
     {120, 840, 4935, 2535},
     "杀垃圾复试"},
    {Control::KillRow1,
     "Text4",
     ControlKind::ResultBox,
     Control::KillRowFrame,
     "",
     {120, 240, 4695, 315},
     "杀垃圾复试第1行"},
    {Control::KillRow2,
     "Text5",
     ControlKind::ResultBox,
     Control::KillRowFrame,
     "",
     {120, 600, 4695, 315},
     "杀垃圾复试第2行"},
    {Control::KillRow3,
     "Text6",
     ControlKind::ResultBox,
     Control::KillRowFrame,
     "",
     {120, 960, 4695, 315},
     "杀垃圾复试第3行"},
    {Control::KillRow4,
     "Text7",
     ControlKind::ResultBox,
     Control::KillRowFrame,
     "",
     {120, 1320, 4695, 315},
     "杀垃圾复试第4行"},
    {Control::KillRow5,
     "Text8",
     ControlKind::ResultBox,
     Control::KillRowFrame,
     "",
     {120, 1680, 4695, 315},
     "杀垃圾复试第5行"},
    {Control::KillRow6,
     "Text9",
     ControlKind::ResultBox,
     Control::KillRowFrame,
     "",
     {120, 2040, 4695, 315},
     "杀垃圾复试第6行"},
}};

constexpr std::size_t IndexOf(Control control) { return static_cast<std::size_t>(control); }
constexpr const ControlSpec& SpecOf(Control control) { return kWindowLayout[IndexOf(control)]; }

static_assert(
    [] {
        for (std::size_t index = 0; index < kWindowLayout.size(); ++index) {
            if (IndexOf(kWindowLayout[index].id) != index) return false;
        }
        return true;
    }(),
    "each row of the layout table stands at the index of its control");

// The control of a table index, such as a toolkit's control number; none
// outside the table.
constexpr std::optional<Control> ControlAt(std::size_t index) {
    if (index >= kWindowLayout.size()) return std::nullopt;
    return kWindowLayout[index].id;
}

constexpr std::optional<Control> ControlByDesignName(std::string_view name) {
    for (const ControlSpec& spec : kWindowLayout) {
        if (spec.designName == name) return spec.id;
    }
    return std::nullopt;
}

constexpr bool IsTextBox(Control control) {
    const ControlKind kind = SpecOf(control).kind;
    return kind == ControlKind::EntryBox || kind == ControlKind::ResultBox;
}

// Where a rectangle is measured from: the control's frame (toolkits that
// nest controls in their frames) or the window's client area.
enum class Origin { Frame, ClientArea };

struct PixelRect {
    int x;
    int y;
    int width;
    int height;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline constexpr int kStandardDpi = 96;
inline constexpr int kTwipsPerInch = 1440;

// Twips to pixels at `dpi`, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}
// Pixels at 96 dpi to pixels at `dpi`, rounded to the nearest pixel.
constexpr int ScaledPixels(int pixels, int dpi) {
    return (pixels * dpi + kStandardDpi / 2) / kStandardDpi;
}

constexpr PixelRect ControlPixels(Control control, Origin origin, int dpi = kStandardDpi) {
    const ControlSpec& spec = SpecOf(control);
    TwipRect twips = spec.twips;
    if (origin == Origin::ClientArea && spec.frame) {
        twips.left += SpecOf(*spec.frame).twips.left;
        twips.top += SpecOf(*spec.frame).twips.top;
    }
    return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
            TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

constexpr PixelRect ClientAreaPixels(int dpi = kStandardDpi) {
    return {0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
}

// The boxes use "宋体" (SimSun), bold. Where it is missing, the first of the
// nearest Chinese serif faces that is installed stands in, never a Latin-only
// face, so both the digits and any Chinese character typed into a box keep
// their Simplified forms.
inline constexpr std::array<std::string_view, 5> kBoxFontFamilies{
    "宋体", "SimSun", "NSimSun", "Noto Serif CJK SC", "AR PL UMing CN"};

// Captions (frames and buttons) use the first of these that is installed,
// else the desktop's own interface face: every caption is Chinese, and these
// draw it in Simplified forms whatever the user's locale.
inline constexpr std::array<std::string_view, 6> kCaptionFamilies{
    "Microsoft YaHei UI", "Microsoft YaHei",    "PingFang SC",
    "Noto Sans CJK SC",   "Source Han Sans SC", "WenQuanYi Micro Hei"};

// The face a box asks for: the first of kBoxFontFamilies that
// `isInstalled` finds, else the first of them, for the system to stand in
// for as it can.
template <typename IsInstalled>
constexpr std::string_view BoxFontFamily(IsInstalled&& isInstalled) {
    for (std::string_view family : kBoxFontFamilies) {
        if (isInstalled(family)) return family;
    }
    return kBoxFontFamilies.front();
}

// The face the captions ask for: the first of kCaptionFamilies that
// `isInstalled` finds; none means the desktop's own interface face.
template <typename IsInstalled>
constexpr std::optional<std::string_view> CaptionFontFamily(IsInstalled&& isInstalled) {
    for (std::string_view family : kCaptionFamilies) {
        if (isInstalled(family)) return family;
    }
    return std::nullopt;
}

// The font's height in pixels at `dpi`: the boxes at 14.25 pt and 10.5 pt,
// the captions at 9 pt. The caption size is fixed too, since the layout is:
// captions at a desktop's 10 or 11 pt would not fit their frames and buttons.
constexpr int FontPixels(ControlKind kind, int dpi = kStandardDpi) {
    switch (kind) {
        case ControlKind::EntryBox:
            return ScaledPixels(19, dpi);
        case ControlKind::ResultBox:
            return ScaledPixels(14, dpi);
        case ControlKind::Frame:
        case ControlKind::Button:
            break;
    }
    return ScaledPixels(12, dpi);
}

// How many UTF-16 units a box's toolkit control may hold; none for no limit.
// An entry box holds one character, which may take two units (a character
// outside the Basic Multilingual Plane): the one-character rule itself is
// kept by EntryBoxModel. A result box has no limit of its own, where
// toolkits otherwise stop at some tens of thousands.
constexpr std::optional<int> LengthLimitUnits(ControlKind kind) {
    if (kind == ControlKind::EntryBox) return 2;
    return std::nullopt;
}

}  // namespace rongxi::core
