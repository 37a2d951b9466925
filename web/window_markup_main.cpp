// Prints the main window's HTML and the page's notices, which the build puts
// into the page.
#include <cstdio>

#include "web/window_markup.h"

int main() {
    const std::string markup = rongxi::web::WindowMarkup() + "\n" + rongxi::web::NoticesMarkup();
    // A whole line: the output is written out line by line.
    return std::puts(markup.c_str()) < 0 ? 1 : 0;
}
