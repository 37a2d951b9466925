// The program's one window, as a web page.
//
// Its fourteen controls are in the page already, as HTML built from the
// layout table (web/window_markup.h), so that the browser paints them before
// the program has loaded; the program takes them over. Every click, every text
// arriving in an entry box and every change of a box's text goes to the
// window behaviour (core/window_behaviour.h), which decides what happens.
//
// A page cannot close its browser tab: ending the program puts a notice in
// the window's place, with a link that starts it again.
#pragma once

#include <emscripten/val.h>

#include <optional>
#include <string>
#include <vector>

#include "core/main_window.h"
#include "core/window_behaviour.h"
#include "core/window_layout.h"

namespace rongxi::web {

class MainWindow final : public core::MainWindow {
public:
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    // Opens the boxes to input and puts the keyboard focus into the first
    // entry box.
    void show();

    [[nodiscard]] std::u16string text(core::Control box) const override;
    void setText(core::Control box, std::u16string_view text) override;
    void correctText(core::Control box, std::u16string_view text) override;
    void setFocus(core::Control box) override;
    void announce(std::u16string_view text) override;
    void endProgram(int status) override;
    void showFailure(std::u16string_view title, std::u16string_view message) override;

    // The page's events, which the window listens for as a whole.
    void click(const emscripten::val& event);
    void beforeInput(const emscripten::val& event);
    void input(const emscripten::val& event);
    void compositionStart(const emscripten::val& event);
    void compositionEnd(const emscripten::val& event);
    // The desktop's colour scheme changed.
    void paletteChanged(const emscripten::val& event);
    // The page's width changed (a phone turned, larger text).
    void resized(const emscripten::val& event);
    // A failure that the page reports: one thrown by the browser itself
    // while a handler used it.
    void uncaughtFailure(const std::string& what);

private:
    void adoptControls();
    void colourBoxBorders();
    void fitRowHeight(core::Control box);

    [[nodiscard]] std::optional<core::Control> controlOf(const emscripten::val& event) const;
    // The control that is `target` or holds it, if any.
    [[nodiscard]] std::optional<core::Control> controlAt(const emscripten::val& target) const;
    [[nodiscard]] emscripten::val element(core::Control id) const;

    core::WindowBehaviour behaviour_{*this};
    emscripten::val window_;
    std::vector<emscripten::val> controls_;  // in table order
    emscripten::val announcement_;           // the live region
    // What a box held, and what of it was selected, when a composition
    // began in it; none between compositions.
    struct Composition {
        core::Control box;
        std::u16string text;
        core::TextSelection replaced;
    };
    std::optional<Composition> composition_;
    std::u16string failure_;  // what showFailure was given, shown once the program ends
    bool ended_ = false;
};

// A failure while the window is made: the page shows its report where the
// window would be.
void ReportStartupFailure(const char* what) noexcept;

}  // namespace rongxi::web
