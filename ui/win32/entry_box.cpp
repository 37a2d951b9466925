#include "ui/win32/entry_box.h"

#include <commctrl.h>

#include "ui/entry_rule.h"
#include "ui/win32/gdi_handles.h"

namespace rongxi::ui::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr wchar_t kCtrlA = 0x01;

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::u16string ClipboardText(HWND owner) {
    std::u16string text;
    if (IsClipboardFormatAvailable(CF_UNICODETEXT) == FALSE || OpenClipboard(owner) == FALSE) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Utf16FromWide(units);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

EntryBox::~EntryBox() {
    if (edit_ != nullptr) RemoveWindowSubclass(edit_, &EntryBox::SubclassProc, kSubclassId);
}

void EntryBox::attach(HWND edit, Form1Handlers& guard) {
    edit_ = edit;
    guard_ = &guard;
    SendMessageW(edit_, EM_SETLIMITTEXT, 2, 0);  // one character, which may take two units
    SetWindowSubclass(edit_, &EntryBox::SubclassProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK EntryBox::SubclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR /*id*/, DWORD_PTR self) {
    auto* box = reinterpret_cast<EntryBox*>(self);
    LRESULT result = 0;
    box->guard_->run([&] {
        switch (message) {
            case WM_CHAR:
                result = box->onChar(wParam, lParam);
                break;
            case WM_PASTE:
                box->insert(ClipboardText(edit));
                break;
            default:
                result = DefSubclassProc(edit, message, wParam, lParam);
        }
    });
    return result;
}

LRESULT EntryBox::onChar(WPARAM wParam, LPARAM lParam) {
    const auto unit = static_cast<wchar_t>(wParam);
    if (unit == kCtrlA) {
        // Select all, as a box does with visual styles; the older control
        // would take it for a character and report a change.
        SendMessageW(edit_, EM_SETSEL, 0, -1);
        return 0;
    }
    if (unit < L' ')
        return DefSubclassProc(edit_, WM_CHAR, wParam, lParam);  // Backspace, Ctrl+C, ...
    if (IsHighSurrogate(unit)) {
        pendingHighSurrogate_ = unit;  // its low half follows in the next WM_CHAR
        return 0;
    }
    std::u16string incoming;
    if (IsLowSurrogate(unit)) {
        if (pendingHighSurrogate_ == 0) return 0;  // a lone half never reaches the box
        incoming += static_cast<char16_t>(pendingHighSurrogate_);
    }
    pendingHighSurrogate_ = 0;
    incoming += static_cast<char16_t>(unit);
    insert(incoming);
    return 0;
}

void EntryBox::insert(std::u16string_view incoming) {
    const std::u16string taken = EntryInsertion(WindowText(edit_), heldIsSelected(), incoming);
    if (taken.empty()) return;  // a full box takes nothing
    const std::wstring text = WideFromUtf16(taken);
    inserting_ = true;  // a character replaced by itself is still an edit
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    inserting_ = false;
}

bool EntryBox::heldIsSelected() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == static_cast<DWORD>(GetWindowTextLengthW(edit_));
}

bool EntryBox::textChanged() {
    if (restoring_) return false;
    const std::u16string now = WindowText(edit_);
    // Some EDIT controls notify a change where there is none (Wine's on
    // Ctrl+A): only a real change, or an insertion, is the box's Change.
    if (now == held_ && !inserting_) return false;
    using Action = EntryCheck::Action;
    const EntryCheck check = CheckEntryChange(held_, now);
    const std::wstring text = WideFromUtf16(check.text);
    switch (check.action) {
        case Action::Report:
            return true;
        case Action::Restore:
            restoring_ = true;
            SetWindowTextW(edit_, text.c_str());
            restoring_ = false;
            return false;
        case Action::Replace:
            SetWindowTextW(edit_, text.c_str());  // reported as its own change
            return false;
    }
    return false;
}

}  // namespace rongxi::ui::win32
