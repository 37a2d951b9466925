// What the window does, written once for every front-end.
//
// A front-end builds its controls from the layout table (form1_layout.h) and
// passes every button click and every change of a box's text to
// Form1Handlers. Exactly five of those events do something: the clicks of
// Command1 (compute), Command2 (clear) and Command3 (exit), and the changes of
// Text1 and Text2 (the entry advance). Everything else is the toolkit's own.
//
// A handler that fails does not pass the failure back into the toolkit's
// event loop, which could not carry it: the window shows "运行时错误：…"
// under its caption and the program ends with status 1. What the handler had
// written before it failed stays written.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "ui/form1_window.h"

namespace rongxi::ui {

class Form1Handlers {
public:
    explicit Form1Handlers(Form1Window& window) : window_(window) {}

    void click(std::string_view control);
    void change(std::string_view box);

    // Runs any piece of window code the way the handlers run: a failure is
    // reported and ends the program with status 1.
    template <typename Handler>
    void run(Handler&& handler) noexcept;

private:
    void computeKillRows();
    void clearData();
    void exitProgram();
    void advanceEntry(std::string_view changedBox, std::string_view nextBox);

    void reportFailure(std::u16string_view message) noexcept;

    Form1Window& window_;
};

// The text of the failure report for a failure described by `what` (UTF-8).
std::u16string FailureText(std::string_view what);
inline constexpr int kFailureExitStatus = 1;

template <typename Handler>
void Form1Handlers::run(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& failure) {
        reportFailure(FailureText(failure.what()));
    } catch (...) {
        reportFailure(FailureText("未知错误"));
    }
}

}  // namespace rongxi::ui
