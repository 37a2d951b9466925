// The main window as the window behaviour sees it: the few operations it
// uses, and nothing more. Each front-end implements them over its own
// controls; the tests implement them over a plain map.
//
// Texts are UTF-16, the way the toolkits hold them.
#pragma once

#include <string>
#include <string_view>

#include "core/window_layout.h"

namespace rongxi::core {

class MainWindow {
public:
    [[nodiscard]] virtual std::u16string text(Control box) const = 0;
    // Replaces the whole text; the box's change follows, as for any change.
    virtual void setText(Control box, std::u16string_view text) = 0;
    // Puts an entry box right after a change its rule refuses: replaces the
    // whole text with `text` as one of the toolkit's own undoable edits, so
    // the user can still undo what came before. The change follows, as for
    // any change.
    virtual void correctText(Control box, std::u16string_view text) = 0;
    virtual void setFocus(Control box) = 0;
    // Closes the window and ends the process with this status once the
    // handler that asked for it has returned.
    virtual void endProgram(int status) = 0;
    // Says `text` to a screen reader without moving the focus or showing
    // anything: for results that land away from the focus.
    virtual void announce(std::u16string_view text) = 0;
    // A modal message box in front of the window; returns once it is dismissed.
    virtual void showFailure(std::u16string_view title, std::u16string_view message) = 0;

protected:
    MainWindow() = default;
    ~MainWindow() = default;
    MainWindow(const MainWindow&) = default;
    MainWindow& operator=(const MainWindow&) = default;
};

}  // namespace rongxi::core
