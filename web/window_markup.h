// The main window as HTML, from the layout table: the page carries it, so
// that the browser paints the window before the program has loaded. Frames
// are fieldsets, boxes inputs, buttons buttons, each with its design name
// as its id and its rectangle in twips as CSS properties, which the page's
// style sheet lays out at desktop widths. The boxes take no input until the
// program is ready to judge it.
#pragma once

#include <string>

namespace rongxi::web {

std::string WindowMarkup();

}  // namespace rongxi::web
