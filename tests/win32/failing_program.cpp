// rongxi's program with a fault put in, as the environment variable
// RONGXI_FAULT names it:
// - "box": the third kill-row box cannot be written, so that the compute
//   command fails there: how the program reports a failure in a handler;
// - "control": the system refuses to create the fifth window, one of the
//   controls: how the program reports a window it cannot make.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "win32/main_window.h"

namespace {

using rongxi::core::Control;

class WindowWithABrokenBox : public rongxi::win32::MainWindow {
public:
    using MainWindow::MainWindow;

    void setText(Control box, std::u16string_view text) override {
        if (box == Control::KillRow3) throw std::runtime_error("磁盘已满");
        MainWindow::setText(box, text);
    }
};

int gWindowsCreated = 0;

LRESULT CALLBACK RefuseTheFifthWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && ++gWindowsCreated == 5) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::wstring Fault() {
    std::wstring fault(16, L'\0');
    fault.resize(GetEnvironmentVariableW(L"RONGXI_FAULT", fault.data(), 16));
    return fault;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    if (Fault() == L"control") {
        SetWindowsHookExW(WH_CBT, &RefuseTheFifthWindow, nullptr, GetCurrentThreadId());
        return rongxi::win32::RunMainWindow(instance, showCommand);
    }
    return rongxi::win32::RunMainWindow<WindowWithABrokenBox>(instance, showCommand);
}
