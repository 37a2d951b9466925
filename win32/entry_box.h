// An entry box: a standard EDIT control, subclassed so that arriving text
// takes the window behaviour's one edit (see core/entry_box_model.h) before
// the control inserts anything.
//
// Typed characters (a surrogate pair arrives as two WM_CHAR messages),
// pastes, by Ctrl+V, Shift+Insert or the context menu, and an input
// method's commits become one undoable replacement. Any other change (undo)
// reaches the model through the box's EN_CHANGE, which the main window
// routes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/window_behaviour.h"

namespace rongxi::win32 {

class EntryBox {
public:
    EntryBox() = default;
    EntryBox(const EntryBox&) = delete;
    EntryBox& operator=(const EntryBox&) = delete;
    ~EntryBox();

    // The box's own message handling runs guarded by `behaviour`, so that a
    // failure there is reported like a failure in a handler and never
    // crosses into the system.
    void attach(HWND edit, core::Control id, core::WindowBehaviour& behaviour);

private:
    static LRESULT CALLBACK SubclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onChar(WPARAM wParam, LPARAM lParam, core::Arrival how);
    LRESULT onComposition(WPARAM wParam, LPARAM lParam);
    LRESULT onKeyDown(WPARAM wParam, LPARAM lParam);
    void onContextMenu(LPARAM lParam);
    void arrive(core::Arrival how, std::u16string_view incoming);
    [[nodiscard]] core::TextSelection selection() const;

    HWND edit_ = nullptr;
    core::Control id_ = core::Control::Entry1;
    core::WindowBehaviour* behaviour_ = nullptr;
    wchar_t pendingHighSurrogate_ = 0;  // typed, waiting for its low half
    // What the box held, and what of it was selected, when an input
    // method's composition began: some controls show the composition in
    // place (Wine's), and the commit replaces what was selected then.
    struct Composition {
        std::u16string text;
        core::TextSelection replaced;
    };
    std::optional<Composition> composition_;
};

}  // namespace rongxi::win32
