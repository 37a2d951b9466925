#include "win32/entry_box.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <array>
#include <utility>

#include "core/entry_rule.h"
#include "core/program_texts.h"
#include "win32/wide_text.h"

namespace rongxi::win32 {

using namespace rongxi::core;

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr wchar_t kCtrlA = 0x01;

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// The parts of an input method's message that carry its commit.
constexpr LPARAM kCommitParts =
    GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE;

std::u16string CommittedText(HWND edit) {
    std::u16string text;
    HIMC context = ImmGetContext(edit);
    if (context == nullptr) return text;
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    if (bytes > 0) {
        std::wstring units(static_cast<std::size_t>(bytes) / sizeof(wchar_t), L'\0');
        ImmGetCompositionStringW(context, GCS_RESULTSTR, units.data(), static_cast<DWORD>(bytes));
        text.assign(units.begin(), units.end());
    }
    ImmReleaseContext(edit, context);
    return text;
}

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

// The box's context menu, with the commands, texts and separators of the
// system's own, each sent to the box as its message: so its Paste goes
// through the rule as Ctrl+V does, which the system's menu would bypass.
struct MenuCommand {
    UINT message;  // also the item's identifier
    ProgramText text;
    bool separatorAfter;
};
constexpr std::array<MenuCommand, 6> kMenuCommands{{
    {WM_UNDO, ProgramText::MenuUndo, true},
    {WM_CUT, ProgramText::MenuCut, false},
    {WM_COPY, ProgramText::MenuCopy, false},
    {WM_PASTE, ProgramText::MenuPaste, false},
    {WM_CLEAR, ProgramText::MenuDelete, true},
    {EM_SETSEL, ProgramText::MenuSelectAll, false},
}};

// As the system's menu, an item is greyed where it would do nothing: Paste
// too where the box would take nothing of the clipboard's text.
bool IsMenuCommandAvailable(HWND edit, UINT message, TextSelection selected) {
    const std::u16string shown = WindowText(edit);
    switch (message) {
        case WM_UNDO:
            return SendMessageW(edit, EM_CANUNDO, 0, 0) != 0;
        case WM_CUT:
        case WM_COPY:
        case WM_CLEAR:
            return selected.start != selected.end;
        case WM_PASTE:
            return EditForArrival(shown, selected, Arrival::Pasted, ClipboardText(edit))
                .has_value();
        default:
            return !shown.empty() && (selected.start != 0 || selected.end < shown.size());
    }
}

}  // namespace

EntryBox::~EntryBox() {
    if (edit_ != nullptr) RemoveWindowSubclass(edit_, &EntryBox::SubclassProc, kSubclassId);
}

void EntryBox::attach(HWND edit, Control id, WindowBehaviour& behaviour) {
    edit_ = edit;
    id_ = id;
    behaviour_ = &behaviour;
    SetWindowSubclass(edit_, &EntryBox::SubclassProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK EntryBox::SubclassProc(HWND /*edit*/, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR /*subclassId*/, DWORD_PTR self) {
    auto* box = reinterpret_cast<EntryBox*>(self);
    LRESULT result = 0;
    box->behaviour_->runGuarded([&] { result = box->handleMessage(message, wParam, lParam); });
    return result;
}

LRESULT EntryBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR:
            return onChar(wParam, lParam, Arrival::Typed);
        // An input method's commit: whole, or a character at a time.
        case WM_IME_STARTCOMPOSITION:
            composition_ = Composition{WindowText(edit_), selection()};
            break;
        case WM_IME_COMPOSITION:
            return onComposition(wParam, lParam);
        case WM_IME_CHAR:
            return onChar(wParam, lParam, Arrival::Composed);
        case WM_KEYDOWN:
            return onKeyDown(wParam, lParam);
        case WM_PASTE:
            arrive(Arrival::Pasted, ClipboardText(edit_));
            return 0;
        case WM_CONTEXTMENU:
            onContextMenu(lParam);
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
            composition_.reset();
            break;
        default:
            break;
    }
    return DefSubclassProc(edit_, message, wParam, lParam);
}

LRESULT EntryBox::onChar(WPARAM wParam, LPARAM lParam, Arrival how) {
    const auto unit = static_cast<wchar_t>(wParam);
    if (unit == kCtrlA) {
        // Select all, as a box does with visual styles; the older control
        // would take it for a character and report a change.
        SendMessageW(edit_, EM_SETSEL, 0, -1);
        return 0;
    }
    // Backspace, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z: the control's commands.
    if (unit < L' ') return DefSubclassProc(edit_, WM_CHAR, wParam, lParam);
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
    arrive(how, incoming);
    return 0;
}

// A commit is the window's composition, which the behaviour puts right to
// what the rule makes of it in place of what was selected when it began
// (also where the control showed it in place); the rest of the message (a
// composition that goes on) is the control's.
LRESULT EntryBox::onComposition(WPARAM wParam, LPARAM lParam) {
    if ((lParam & GCS_RESULTSTR) == 0) {
        return DefSubclassProc(edit_, WM_IME_COMPOSITION, wParam, lParam);
    }
    const Composition started = std::exchange(composition_, std::nullopt)
                                    .value_or(Composition{WindowText(edit_), selection()});
    behaviour_->compositionLanded(id_, started.text, started.replaced, CommittedText(edit_));
    const LPARAM rest = lParam & ~kCommitParts;
    if (rest != 0) DefSubclassProc(edit_, WM_IME_COMPOSITION, wParam, rest);
    return 0;
}

// The control pastes on Shift+Insert without a WM_PASTE.
LRESULT EntryBox::onKeyDown(WPARAM wParam, LPARAM lParam) {
    if (wParam == VK_INSERT && IsDown(VK_SHIFT) && !IsDown(VK_CONTROL) && !IsDown(VK_MENU)) {
        SendMessageW(edit_, WM_PASTE, 0, 0);
        return 0;
    }
    return DefSubclassProc(edit_, WM_KEYDOWN, wParam, lParam);
}

void EntryBox::onContextMenu(LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the box
        RECT box{};
        GetWindowRect(edit_, &box);
        at = {box.left, box.bottom};
    }
    SetFocus(edit_);
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    const TextSelection selected = selection();
    for (const MenuCommand& command : kMenuCommands) {
        const UINT state =
            IsMenuCommandAvailable(edit_, command.message, selected) ? MF_ENABLED : MF_GRAYED;
        const std::wstring text = WideFromUtf8(TextOf(command.text));
        AppendMenuW(menu, MF_STRING | state, command.message, text.c_str());
        if (command.separatorAfter) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, edit_, nullptr));
    DestroyMenu(menu);
    if (chosen == EM_SETSEL) {
        SendMessageW(edit_, EM_SETSEL, 0, -1);
    } else if (chosen != 0) {
        SendMessageW(edit_, chosen, 0, 0);
    }
}

// Text arriving by any path: the behaviour's one edit, made as the
// control's own undoable replacement. Selecting changes no text.
void EntryBox::arrive(Arrival how, std::u16string_view incoming) {
    const std::optional<TextEdit> edit =
        behaviour_->editForArrival(id_, WindowText(edit_), selection(), how, incoming);
    if (!edit) return;  // a full box takes nothing
    const std::wstring text = WideFromUtf16(edit->text);
    SendMessageW(edit_, EM_SETSEL, edit->range.start, static_cast<LPARAM>(edit->range.end));
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

TextSelection EntryBox::selection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

}  // namespace rongxi::win32
