#include <windows.h>

#include "ui/win32/form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    // The command line is ignored: the program takes none.
    rongxi::ui::win32::Form1 window(instance);
    return window.run(showCommand);
}
