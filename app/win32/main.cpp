#include <windows.h>

#include <exception>
#include <string>

#include "ui/form1_handlers.h"
#include "ui/form1_layout.h"
#include "ui/win32/form1.h"
#include "ui/win32/wide_text.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    // The command line is ignored: the program takes none.
    using namespace rongxi::ui;
    try {
        win32::Form1 window(instance);
        return window.showAndRunMessageLoop(showCommand);
    } catch (const std::exception& failure) {
        // No window to show it in front of: the system could not make one.
        const std::wstring message = win32::WideFromUtf16(FailureText(failure.what()));
        const std::wstring caption = win32::WideFromUtf8(kWindowCaption);
        MessageBoxW(nullptr, message.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
        return kFailureExitStatus;
    }
}
