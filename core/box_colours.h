// The colour of a box's border, chosen from the desktop's palette so that
// the box stands out from the window around it and from the box beside it
// (WCAG asks a contrast of 3:1 of such borders), in light, dark and
// high-contrast palettes alike.
#pragma once

namespace rongxi::core {

struct Rgb {
    int red;
    int green;
    int blue;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// WCAG's contrast ratio of two colours, from 1 to 21.
double ContrastRatio(Rgb first, Rgb second);

struct BoxBorders {
    Rgb normal;
    Rgb focused;  // around the box that has the keyboard focus
};

// A box's border is the first colour on the way from `window` (the window's
// background) to `text` (its text) that stands out from both `window` and
// `base` (a box's background) by 3.5:1, a little above what WCAG asks;
// `text` itself where no colour on the way does. The focused box takes
// `highlight` where that stands out 3:1 from both and from the border of the
// others, else `text`: the focus is told by its colour, not only by a
// thicker line.
BoxBorders BoxBorderColours(Rgb window, Rgb base, Rgb text, Rgb highlight);

}  // namespace rongxi::core
