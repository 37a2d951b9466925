// The window operations the event handlers use, and nothing more: read and
// write a box's text, give a box the keyboard focus, end the program, and
// show a failure. Each front-end implements them over its own controls; the
// tests implement them over a plain map.
//
// Texts are UTF-16, the way the toolkits hold them.
#pragma once

#include <string>
#include <string_view>

#include "ui/form1_layout.h"

namespace rongxi::ui {

class Form1Window {
public:
    [[nodiscard]] virtual std::u16string text(Control box) const = 0;
    // Replaces the whole text; the box's Change follows, as for any change.
    virtual void setText(Control box, std::u16string_view text) = 0;
    virtual void setFocus(Control box) = 0;
    // Closes the window and ends the process with this status once the
    // handler that asked for it has returned.
    virtual void endProgram(int status) = 0;
    // A modal message box in front of the window; returns once it is dismissed.
    virtual void showFailure(std::u16string_view title, std::u16string_view message) = 0;

protected:
    Form1Window() = default;
    ~Form1Window() = default;
    Form1Window(const Form1Window&) = default;
    Form1Window& operator=(const Form1Window&) = default;
};

}  // namespace rongxi::ui
