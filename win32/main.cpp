// The Windows program: the main window and its message loop. The command
// line is ignored: the program takes none.
#include <windows.h>

#include "win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    return rongxi::win32::RunMainWindow(instance, showCommand);
}
