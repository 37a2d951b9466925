// An entry box: a standard EDIT control, subclassed so that arriving text is
// cut down by the shared model (see ui/entry_box_model.h) before the control
// inserts it.
//
// Typed characters (a surrogate pair arrives as two WM_CHAR messages) and
// pastes become one undoable replacement of the selection. Any other change
// (an input method's commit, undo) reaches the model through the box's
// EN_CHANGE, which Form1 routes.
#pragma once

#include <windows.h>

#include <string>

#include "ui/form1_handlers.h"

namespace rongxi::ui::win32 {

class EntryBox {
public:
    EntryBox() = default;
    EntryBox(const EntryBox&) = delete;
    EntryBox& operator=(const EntryBox&) = delete;
    ~EntryBox();

    // The box's own message handling runs guarded by `handlers`, so that a
    // failure there is reported like a failure in a handler and never
    // crosses into the system.
    void attach(HWND edit, Control id, Form1Handlers& handlers);

private:
    static LRESULT CALLBACK SubclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onChar(WPARAM wParam, LPARAM lParam);
    void insert(std::u16string_view incoming);
    [[nodiscard]] TextSelection selection() const;

    HWND edit_ = nullptr;
    Control id_ = Control::Text1;
    Form1Handlers* handlers_ = nullptr;
    wchar_t pendingHighSurrogate_ = 0;  // typed, waiting for its low half
};

}  // namespace rongxi::ui::win32
