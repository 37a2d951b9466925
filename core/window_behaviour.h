// What the main window does, written once for every front-end.
//
// The pieces: the kill rows (kill_rows.h) are plain arithmetic; the window's
// layout (window_layout.h) is a table in twips; the window behaviour here
// reaches the window only through the operations of MainWindow
// (main_window.h). A front-end (qt/, win32/, web/) builds its controls from
// the layout table, implements MainWindow over them, and routes its events
// here:
// - a button's click (click), and Enter on a control (enterPressed);
// - a change of any box's text (textChanged);
// - text arriving in an entry box by any path (editForArrival), and a
//   composition that could not be refused and has landed (compositionLanded).
// Exactly five events do something: the clicks of the compute, clear and
// exit buttons, and the changes of the first two entry boxes (the entry
// advance). The compute and the clear end by telling a screen reader what
// they changed, since it lies away from the focus (core/program_texts.h). The entry boxes'
// one-character rule is kept here too, one EntryBoxModel per box. Everything else is the toolkit's
// own.
//
// A handler that fails does not pass the failure back into the toolkit's
// event loop, which could not carry it: the window shows "运行时错误：…"
// under its caption and the program ends with status 1. What the handler had
// written before it failed stays written. Front-ends run their own event
// code through runGuarded() for the same treatment.
#pragma once

#include <array>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "core/entry_box_model.h"
#include "core/main_window.h"
#include "core/program_texts.h"
#include "core/window_layout.h"

namespace rongxi::core {

class WindowBehaviour {
public:
    explicit WindowBehaviour(MainWindow& window) : window_(window) {}

    void click(Control control);

    // Enter presses the button that has the focus, as Space does, and
    // nothing anywhere else: the window has no default button.
    void enterPressed(Control focused);

    // After any change of a box's text, by the user or by the program. An
    // entry box whose rule the change broke is put right here.
    void textChanged(Control box);

    // The one edit `box`, showing `shown` with `selection` selected, makes
    // when `incoming` arrives by the path `how`; none when it takes nothing.
    // Any text is taken by a box that is not an entry box.
    [[nodiscard]] std::optional<TextEdit> editForArrival(Control box, std::u16string_view shown,
                                                         TextSelection selection, Arrival how,
                                                         std::u16string_view incoming);

    // An input method's `commit` that a toolkit could not refuse has landed
    // in `box`, which showed `before` and had `replaced` selected when the
    // composition began: the box is put right to what editForArrival would
    // have made of it, and the change is taken as any other.
    void compositionLanded(Control box, std::u16string_view before, TextSelection replaced,
                           std::u16string_view commit);

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

    MainWindow& window_;
    std::array<EntryBoxModel, 3> entryBoxes_;
};

// The text of the failure report for a failure described by `what` (UTF-8),
// in a handler or while the window is made.
std::u16string FailureText(std::string_view what);

inline constexpr int kFailureExitStatus = 1;

template <typename EventCode>
void WindowBehaviour::runGuarded(EventCode&& code) noexcept {
    try {
        code();
    } catch (const std::exception& failure) {
        reportFailure(FailureText(failure.what()));
    } catch (...) {
        reportFailure(FailureText(TextOf(ProgramText::UnknownFailure)));
    }
}

}  // namespace rongxi::core
