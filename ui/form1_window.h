// The window operations the event handlers use, and nothing more: read and
// write a box's text, give a box the keyboard focus, end the program, and
// show a failure. Each front-end (Qt, Win32) implements them over its own
// controls; the tests implement them over a plain map.
//
// Controls are named as in the layout table ("Text1", "Command1", ...), and
// texts are UTF-16, the way both toolkits hold them.
#pragma once

#include <string>
#include <string_view>

namespace rongxi::ui {

class Form1Window {
public:
    [[nodiscard]] virtual std::u16string text(std::string_view box) const = 0;
    // Replaces the whole text; the box's Change follows, as for any change.
    virtual void setText(std::string_view box, std::u16string_view text) = 0;
    virtual void setFocus(std::string_view box) = 0;
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
