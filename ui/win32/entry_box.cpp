#include "ui/win32/entry_box.h"

#include <commctrl.h>

#include "ui/win32/wide_text.h"

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
            text = TextInBlock(units, GlobalSize(data));
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

void EntryBox::attach(HWND edit, Control id, Form1Handlers& handlers) {
    edit_ = edit;
    id_ = id;
    handlers_ = &handlers;
    SetWindowSubclass(edit_, &EntryBox::SubclassProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK EntryBox::SubclassProc(HWND /*edit*/, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR /*subclassId*/, DWORD_PTR self) {
    auto* box = reinterpret_cast<EntryBox*>(self);
    LRESULT result = 0;
    box->handlers_->runGuarded([&] { result = box->handleMessage(message, wParam, lParam); });
    return result;
}

LRESULT EntryBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR:
            return onChar(wParam, lParam);
        case WM_PASTE:
            insert(ClipboardText(edit_));
            return 0;
        case WM_NCDESTROY: {
            const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
            RemoveWindowSubclass(edit_, &EntryBox::SubclassProc, kSubclassId);
            edit_ = nullptr;
            return result;
        }
        case WM_KILLFOCUS:
            // A half typed here must not pair with one typed after the focus
            // comes back.
            pendingHighSurrogate_ = 0;
            break;
        default:
            break;
    }
    return DefSubclassProc(edit_, message, wParam, lParam);
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
    const std::u16string taken = handlers_->admit(id_, WindowText(edit_), selection(), incoming);
    if (taken.empty()) return;  // a full box takes nothing
    const std::wstring text = WideFromUtf16(taken);
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

TextSelection EntryBox::selection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

}  // namespace rongxi::ui::win32
