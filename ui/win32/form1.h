// The program's one window, in plain Win32.
//
// Form1 creates its fourteen controls from the layout table in
// ui/form1_layout.h (group boxes for the frames, EDIT boxes, push buttons)
// and routes every click, every change of a box's text and every text
// arriving in an entry box to the shared handlers (ui/form1_handlers.h).
// For them it is a Form1Window. Sizes and fonts follow the window's DPI, and
// are set again when the window moves to a screen with another one.
#pragma once

#include <windows.h>

#include <array>

#include "ui/form1_handlers.h"
#include "ui/form1_layout.h"
#include "ui/form1_window.h"
#include "ui/win32/entry_box.h"
#include "ui/win32/gdi_handles.h"

namespace rongxi::ui::win32 {

class Form1 : public Form1Window {
public:
    // Throws std::system_error when the system cannot create the window.
    explicit Form1(HINSTANCE instance);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    virtual ~Form1();

    // Shows the window with the focus in Text1 and runs the message loop
    // until the program ends; returns the exit status.
    int showAndRunMessageLoop(int showCommand);

    // The window, or null once it has been destroyed.
    [[nodiscard]] HWND handle() const { return window_; }

    [[nodiscard]] std::u16string text(Control box) const override;
    void setText(Control box, std::u16string_view text) override;
    void setFocus(Control box) override;
    void endProgram(int status) override;
    void showFailure(std::u16string_view title, std::u16string_view message) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(WPARAM wParam, LPARAM lParam);
    void onEnter();
    void onTextChanged(Control box);
    void onActivate(bool active);
    void onDpiChanged(UINT dpi, const RECT& suggested);

    void createControls();
    void layOut(UINT dpi);
    void createFonts(UINT dpi);
    void annotateAccessibleNames();

    [[nodiscard]] HWND control(Control id) const { return controls_.at(IndexOf(id)); }

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    std::array<EntryBox, 3> entryBoxes_;
    HWND lastFocus_ = nullptr;
    FontHandle entryFont_;
    FontHandle resultFont_;
    FontHandle captionFont_;
    int exitStatus_ = 0;
    bool restoring_ = false;  // a box's own text being put back: no change to route
    bool annotated_ = false;
    bool comReady_ = false;
    Form1Handlers handlers_{*this};
};

}  // namespace rongxi::ui::win32
