// The main window as HTML, from the layout table: the page carries it, so
// that the browser paints the window before the program has loaded. Frames
// are fieldsets, boxes inputs, buttons buttons, each with its design name
// as its id and its rectangle in twips as CSS properties, which the page's
// style sheet lays out at desktop widths. What the user does there before
// the program runs is kept by the page and handed to the program once it
// does (web/index.html). A polite live region closes the window.
#pragma once

#include <string>
#include <string_view>

namespace rongxi::web {

// The id of the window's live region: what the window announces to screen
// readers stands there, out of sight.
inline constexpr std::string_view kAnnouncementId = "Announcement";

std::string WindowMarkup();

// The page's notices in the window's place: without JavaScript, where the
// browser cannot run the program, and where it could not be downloaded,
// with a link that tries again (hidden until then).
std::string NoticesMarkup();

}  // namespace rongxi::web
