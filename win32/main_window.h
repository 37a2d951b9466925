// The program's one window, in plain Win32.
//
// It creates its fourteen controls from the layout table
// (core/window_layout.h: group boxes for the frames, EDIT boxes, push
// buttons) and routes every click, every change of a box's text and every
// text arriving in an entry box to the window behaviour
// (core/window_behaviour.h). For the behaviour it is a core::MainWindow.
// Sizes and fonts follow the window's DPI, and are set again when the
// window moves to a screen with another one.
#pragma once

#include <windows.h>

#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <type_traits>

#include "core/main_window.h"
#include "core/window_behaviour.h"
#include "core/window_layout.h"
#include "win32/accessible_names.h"
#include "win32/entry_box.h"
#include "win32/gdi_handles.h"

namespace rongxi::win32 {

struct WindowDestroyer {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

class MainWindow : public core::MainWindow {
public:
    // Throws std::system_error when the system cannot create the window or
    // one of its controls; what was made by then is destroyed.
    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    virtual ~MainWindow();

    // Shows the window with the focus in the first entry box and runs the
    // message loop until the program ends; returns the exit status.
    int showAndRunMessageLoop(int showCommand);

    // The window, or null once it has been destroyed.
    [[nodiscard]] HWND handle() const { return window_.get(); }

    [[nodiscard]] std::u16string text(core::Control box) const override;
    void setText(core::Control box, std::u16string_view text) override;
    void correctText(core::Control box, std::u16string_view text) override;
    void setFocus(core::Control box) override;
    void announce(std::u16string_view text) override;
    void endProgram(int status) override;
    void showFailure(std::u16string_view title, std::u16string_view message) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(WPARAM wParam, LPARAM lParam);
    void onEnter();
    void frameFocusedButton(HWND focused);
    void onActivate(bool active);
    void onDpiChanged(UINT dpi, const RECT& suggested);

    void createControls(UINT dpi);
    // Sizes, places and fonts for a new DPI.
    void layOut(UINT dpi);
    void sizeClientArea(UINT dpi) const;
    // Gives the controls fonts made for `dpi`; `redraw` for controls on show.
    void setFonts(UINT dpi, bool redraw);
    void annotateAccessibleNames();

    [[nodiscard]] HWND control(core::Control id) const { return controls_.at(core::IndexOf(id)); }
    [[nodiscard]] EntryBox* entryBox(core::Control id);

    HINSTANCE instance_;
    std::array<HWND, core::kControlCount> controls_{};
    HWND announcement_ = nullptr;  // a live region, out of sight
    std::array<EntryBox, 3> entryBoxes_;
    HWND lastFocus_ = nullptr;
    FontHandle entryFont_;
    FontHandle resultFont_;
    FontHandle captionFont_;
    int exitStatus_ = 0;
    bool running_ = false;  // the message loop runs: closing the window ends it
    bool annotated_ = false;
    std::optional<ComApartment> com_;  // for the annotations, once given
    core::WindowBehaviour behaviour_{*this};
    // Last, so that it goes first: destroying the window reaches the
    // members above, and a construction that fails partway destroys it too.
    WindowHandle window_;
};

// A failure while the window is made, reported with no window to show it
// in front of.
void ReportStartupFailure(const char* what) noexcept;

// Makes the window, shows it and runs the message loop; returns the exit
// status. A window that cannot be made is reported as a handler's failure
// is, and ends the program with status 1.
template <typename Window = MainWindow>
int RunMainWindow(HINSTANCE instance, int showCommand) {
    try {
        Window window(instance);
        return window.showAndRunMessageLoop(showCommand);
    } catch (const std::exception& failure) {
        ReportStartupFailure(failure.what());
        return core::kFailureExitStatus;
    }
}

}  // namespace rongxi::win32
