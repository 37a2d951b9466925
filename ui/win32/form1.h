// The program's one window, in plain Win32.
//
// Form1 creates its fourteen controls from the layout table in
// ui/form1_layout.h (group boxes for the frames, EDIT boxes, push buttons)
// and passes every click and every change of a box's text to the shared
// handlers (ui/form1_handlers.h). For them it is a Form1Window. Sizes and
// fonts follow the window's DPI, and are set again when the window moves to
// a screen with another one.
#pragma once

#include <windows.h>

#include <array>
#include <string_view>

#include "ui/form1_handlers.h"
#include "ui/form1_layout.h"
#include "ui/form1_window.h"
#include "ui/win32/entry_box.h"
#include "ui/win32/gdi_handles.h"

namespace rongxi::ui::win32 {

class Form1 : public Form1Window {
public:
    explicit Form1(HINSTANCE instance);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    virtual ~Form1();

    // Shows the window with the focus in Text1 and runs the message loop
    // until the program ends; returns the exit status.
    int run(int showCommand);

    [[nodiscard]] std::u16string text(std::string_view box) const override;
    void setText(std::string_view box, std::u16string_view text) override;
    void setFocus(std::string_view box) override;
    void endProgram(int status) override;
    void showFailure(std::u16string_view title, std::u16string_view message) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(WPARAM wParam, LPARAM lParam);
    void onActivate(bool active);
    void onDpiChanged(UINT dpi, const RECT& suggested);

    void createControls();
    void layOut(UINT dpi);
    void createFonts(UINT dpi);
    void annotateAccessibleNames();

    [[nodiscard]] HWND control(std::string_view name) const;
    [[nodiscard]] const ControlSpec* specOf(HWND control) const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::array<HWND, Form1Layout.size()> controls_{};
    std::array<EntryBox, 3> entryBoxes_;
    std::array<EntryBox*, Form1Layout.size()> entryBoxOf_{};  // by control, null for others
    HWND lastFocus_ = nullptr;
    FontHandle entryFont_;
    FontHandle resultFont_;
    FontHandle captionFont_;
    int exitStatus_ = 0;
    bool annotated_ = false;
    bool comReady_ = false;
    Form1Handlers handlers_{*this};
};

}  // namespace rongxi::ui::win32
