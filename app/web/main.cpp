// The web page's program: creates the window and shows it. The browser runs
// the event loop, and the window lives as long as the page.
#include "ui/web/form1.h"

int main() {
    static rongxi::ui::Form1 window;
    window.show();
}
