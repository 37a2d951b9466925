// An entry box: a standard EDIT control, subclassed so that it holds one
// whole character (see ui/entry_rule.h for the rule).
//
// The EDIT counts UTF-16 units, so it gets room for two. Typed characters
// (a surrogate pair arrives as two WM_CHAR messages) and pastes are cut down
// to what the rule admits before the control inserts them, as one undoable
// replacement of the selection. Any other change (an input method's commit,
// undo) is checked when the control reports it, through textChanged().
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

    // `guard` runs the box's own message handling, so that a failure there
    // is reported like a failure in a handler and never crosses into the system.
    void attach(HWND edit, Form1Handlers& guard);

    // Call on the box's EN_CHANGE. Puts the box right if the change broke
    // the rule; true when the change is to be reported as the box's Change.
    bool textChanged();

private:
    static LRESULT CALLBACK SubclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT onChar(WPARAM wParam, LPARAM lParam);
    void insert(std::u16string_view incoming);
    [[nodiscard]] bool heldIsSelected() const;

    HWND edit_ = nullptr;
    Form1Handlers* guard_ = nullptr;
    std::u16string held_;  // the text as the rule last left it
    wchar_t pendingHighSurrogate_ = 0;
    bool restoring_ = false;
    bool inserting_ = false;
};

}  // namespace rongxi::ui::win32
