// The program's one window, as a web page.
//
// Form1 builds its fourteen controls as HTML elements from the layout table
// in ui/form1_layout.h: frames as fieldsets, boxes as inputs, buttons as
// buttons. Each carries its rectangle in twips as CSS properties, which the
// page's style sheet lays out at desktop widths. Every click, every text
// arriving in an entry box and every change of a box's text goes to the
// shared handlers (ui/form1_handlers.h), which decide what happens.
//
// A page cannot close its browser tab: ending the program puts a notice in
// the window's place, with a link that starts it again.
#pragma once

#include <emscripten/val.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/form1_handlers.h"
#include "ui/form1_layout.h"
#include "ui/form1_window.h"

namespace rongxi::ui {

class Form1 final : public Form1Window {
public:
    Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1();

    // Puts the window into the page and the keyboard focus into Text1.
    void show();

    [[nodiscard]] std::u16string text(Control box) const override;
    void setText(Control box, std::u16string_view text) override;
    void setFocus(Control box) override;
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
    // A failure that the page reports: one thrown by the browser itself
    // while a handler used it.
    void uncaughtFailure(const std::string& what);

private:
    void createControls();
    void colourBoxBorders();
    void boxChanged(Control box);
    void correct(Control box, const BoxCorrection& correction);

    [[nodiscard]] std::optional<Control> controlOf(const emscripten::val& event) const;
    [[nodiscard]] emscripten::val element(Control id) const;

    Form1Handlers handlers_{*this};
    emscripten::val window_;
    std::vector<emscripten::val> controls_;  // in table order
    // What an entry box held, and what of it was selected, when a
    // composition began in it.
    struct Composition {
        Control box;
        std::u16string text;
        TextSelection replaced;
    };
    std::optional<Composition> composition_;
    std::u16string failure_;  // what showFailure was given, shown once the program ends
    bool ended_ = false;
};

}  // namespace rongxi::ui
