// The web page's program: creates the window and shows it. The browser runs
// the event loop, and the window lives as long as the page.
#include <exception>

#include "web/main_window.h"

int main() {
    try {
        static rongxi::web::MainWindow window;
        window.show();
    } catch (const std::exception& failure) {
        rongxi::web::ReportStartupFailure(failure.what());
    }
}
