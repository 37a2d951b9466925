// rongxi's window with one box that cannot be written, so that the compute
// command fails at Text6: how the program reports a failure in a handler.
#include <windows.h>

#include <stdexcept>

#include "ui/win32/form1.h"

namespace {

using rongxi::ui::Control;

class FailingForm1 : public rongxi::ui::win32::Form1 {
public:
    using Form1::Form1;

    void setText(Control box, std::u16string_view text) override {
        if (box == Control::Text6) throw std::runtime_error("磁盘已满");
        Form1::setText(box, text);
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    FailingForm1 window(instance);
    return window.showAndRunMessageLoop(showCommand);
}
