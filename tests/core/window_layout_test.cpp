// The layout table turned into pixels and font sizes, against the window as
// a user measures it.
#include <gtest/gtest.h>

#include <string>

#include "core/box_colours.h"
#include "core/window_layout.h"
#include "data/expected_layout.h"

namespace {

using namespace rongxi::core;

TEST(WindowLayout, PixelsAtEveryScaleFollowTheMeasuredWindow) {
    for (const int scale : {1, 2}) {
        const int dpi = 96 * scale;
        EXPECT_EQ(ClientAreaPixels(dpi), (PixelRect{0, 0, rongxi::test::kClientWidth * scale,
                                                    rongxi::test::kClientHeight * scale}));
        for (const auto& expected : rongxi::test::kExpectedLayout) {
            SCOPED_TRACE(std::string(expected.name) + " at " + std::to_string(dpi) + " dpi");
            const std::optional<Control> control = ControlByDesignName(expected.name);
            ASSERT_TRUE(control);
            EXPECT_EQ(ControlPixels(*control, Origin::ClientArea, dpi),
                      (PixelRect{expected.x * scale, expected.y * scale, expected.width * scale,
                                 expected.height * scale}));
        }
    }
    // Within its frame, Text9 sits 8 pixels in and 136 down.
    EXPECT_EQ(ControlPixels(Control::KillRow6, Origin::Frame), (PixelRect{8, 136, 313, 21}));
    EXPECT_FALSE(ControlByDesignName("Form1"));
    EXPECT_FALSE(ControlAt(14));
}

TEST(WindowLayout, FontSizesAndLengthLimitsByKind) {
    const struct {
        ControlKind kind;
        int pixelsAt96;
        int pixelsAt144;
        std::optional<int> limit;
    } kinds[] = {
        {ControlKind::EntryBox, 19, 29, 2},              // 14.25 pt
        {ControlKind::ResultBox, 14, 21, std::nullopt},  // 10.5 pt
        {ControlKind::Button, 12, 18, std::nullopt},     // 9 pt
        {ControlKind::Frame, 12, 18, std::nullopt},
    };
    for (const auto& k : kinds) {
        EXPECT_EQ(FontPixels(k.kind), k.pixelsAt96);
        EXPECT_EQ(FontPixels(k.kind, 144), k.pixelsAt144);
        EXPECT_EQ(LengthLimitUnits(k.kind), k.limit);
    }
}

TEST(BoxColours, TheBorderStandsOutFromWindowAndBoxInEveryPalette) {
    constexpr Rgb kBlue{48, 140, 198};
    const struct {
        const char* name;
        Rgb window;
        Rgb base;
        Rgb text;
    } palettes[] = {
        {"light", {239, 239, 239}, {255, 255, 255}, {0, 0, 0}},
        {"dark", {53, 53, 53}, {42, 42, 42}, {255, 255, 255}},
        {"high contrast", {0, 0, 0}, {0, 0, 0}, {255, 255, 255}},
        {"dark box in a light window", {239, 239, 239}, {30, 30, 30}, {0, 0, 0}},
    };
    for (const auto& p : palettes) {
        const BoxBorders borders = BoxBorderColours(p.window, p.base, p.text, kBlue);
        EXPECT_GE(ContrastRatio(borders.normal, p.window), 3.0) << p.name;
        EXPECT_GE(ContrastRatio(borders.normal, p.base), 3.0) << p.name;
        // The focused box differs from the others by its colour.
        EXPECT_GE(ContrastRatio(borders.focused, borders.normal), 3.0) << p.name;
    }
    EXPECT_NEAR(ContrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    // A highlight that would vanish into the window does not mark the focus.
    const BoxBorders pale =
        BoxBorderColours({239, 239, 239}, {255, 255, 255}, {0, 0, 0}, {220, 230, 240});
    EXPECT_EQ(pale.focused, (Rgb{0, 0, 0}));
}

}  // namespace
