// What the window does, written once for every front-end.
//
// A front-end builds its controls from the layout table (form1_layout.h)
// and routes three kinds of event here: a button's click (click), a change
// of any box's text (textChanged), and text arriving in a box by any path
// (admit). Exactly five events do something: the clicks of Command1
// (compute), Command2 (clear) and Command3 (exit), and the changes of Text1
// and Text2 (the entry advance). The entry boxes' one-character rule is kept
// here too, one EntryBoxModel per box. Everything else is the toolkit's own.
//
// A handler that fails does not pass the failure back into the toolkit's
// event loop, which could not carry it: the window shows "运行时错误：…"
// under its caption and the program ends with status 1. What the handler had
// written before it failed stays written. Front-ends run their own event
// code through runGuarded() for the same treatment.
#pragma once

#include <array>
#include <exception>
#include <string>
#include <string_view>

#include "ui/entry_box_model.h"
#include "ui/form1_layout.h"
#include "ui/form1_window.h"

namespace rongxi::ui {

class Form1Handlers {
public:
    explicit Form1Handlers(Form1Window& window) : window_(window) {}

    void click(Control control);

    // After any change of a box's text, by the user or by the program, with
    // the text it now shows. Returns what the front-end puts right when the
    // change broke an entry box's rule.
    [[nodiscard]] BoxCorrection textChanged(Control box, std::u16string_view shown);

    // What `box`, showing `shown`, takes in place of `selection` when
    // `incoming` arrives; empty when it takes nothing.
    [[nodiscard]] std::u16string admit(Control box, std::u16string_view shown,
                                       TextSelection selection, std::u16string_view incoming);

    // Runs a piece of event code the way the handlers run: a failure is
    // reported and ends the program with status 1.
    template <typename EventCode>
    void runGuarded(EventCode&& code) noexcept;

    // Shows `message` under the window's caption and ends the program with
    // status 1: what a handler's failure comes to, also for failures a
    // toolkit reports on its own.
    void reportFailure(std::u16string_view message) noexcept;

private:
    void computeKillRows();
    void clearData();
    void exitProgram();
    void advanceEntry(Control changedBox, Control nextBox);
    void change(Control box);

    [[nodiscard]] EntryBoxModel* entryBox(Control box);

    Form1Window& window_;
    std::array<EntryBoxModel, 3> entryBoxes_;  // Text1 to Text3
};

// The text of the failure report for a failure described by `what` (UTF-8).
std::u16string FailureText(std::string_view what);
inline constexpr int kFailureExitStatus = 1;

template <typename EventCode>
void Form1Handlers::runGuarded(EventCode&& code) noexcept {
    try {
        code();
    } catch (const std::exception& failure) {
        reportFailure(FailureText(failure.what()));
    } catch (...) {
        reportFailure(FailureText("未知错误"));
    }
}

}  // namespace rongxi::ui
