// The web page's program: creates the window and shows it. The browser runs
// the event loop, and the window lives as long as the page.
#include "web/main_window.h"

int main() {
    static rongxi::web::MainWindow window;
    window.show();
}
