#include "core/window_behaviour.h"

#include <array>
#include <optional>
#include <utility>

#include "core/kill_rows.h"
#include "core/program_texts.h"
#include "core/unicode_text.h"
#include "core/window_layout.h"

namespace rongxi::core {
namespace {

struct ClickHandler {
    Control button;
    void (WindowBehaviour::*handler)();
};

// Typing a character into an entry box moves the caret on to the next one, so
// a draw is typed in one run. The third has no successor.
struct EntryAdvance {
    Control changedBox;
    Control nextBox;
};
constexpr std::array<EntryAdvance, 2> kEntryChain{
    {{Control::Entry1, Control::Entry2}, {Control::Entry2, Control::Entry3}}};

// The result box of each row of the kill-row table, which names it.
constexpr std::array<Control, kKillRowCount> kResultBoxOfRow = [] {
    std::array<Control, kKillRowCount> boxes{};
    for (std::size_t row = 0; row < kKillRowCount; ++row) {
        const std::optional<Control> box = ControlByDesignName(KillRowTable[row].resultBox);
        if (!box || SpecOf(*box).kind != ControlKind::ResultBox) throw "not a result box";
        boxes[row] = *box;
    }
    return boxes;
}();

}  // namespace

void WindowBehaviour::click(Control control) {
    static constexpr std::array<ClickHandler, 3> kClickHandlers{{
        {Control::ComputeButton, &WindowBehaviour::computeKillRows},
        {Control::ClearButton, &WindowBehaviour::clearData},
        {Control::ExitButton, &WindowBehaviour::exitProgram},
    }};
    for (const ClickHandler& entry : kClickHandlers) {
        if (entry.button == control) runGuarded([this, &entry] { (this->*entry.handler)(); });
    }
}

void WindowBehaviour::enterPressed(Control focused) {
    if (SpecOf(focused).kind == ControlKind::Button) click(focused);
}

void WindowBehaviour::textChanged(Control box) {
    runGuarded([this, box] {
        EntryBoxModel* entry = entryBox(box);
        if (entry == nullptr) {
            change(box);
            return;
        }
        EntryBoxModel::Verdict verdict = entry->textChanged(window_.text(box));
        if (verdict.report) change(box);
        if (verdict.correction) window_.correctText(box, *verdict.correction);
    });
}

std::optional<TextEdit> WindowBehaviour::editForArrival(Control box, std::u16string_view shown,
                                                        TextSelection selection, Arrival how,
                                                        std::u16string_view incoming) {
    EntryBoxModel* entry = entryBox(box);
    if (entry == nullptr) return TextEdit{selection, std::u16string(incoming)};
    return entry->editForArrival(shown, selection, how, incoming);
}

void WindowBehaviour::compositionLanded(Control box, std::u16string_view before,
                                        TextSelection replaced, std::u16string_view commit) {
    runGuarded([&] {
        const std::u16string landed =
            Applied(before, editForArrival(box, before, replaced, Arrival::Composed, commit));
        if (window_.text(box) != landed) {
            window_.correctText(box, landed);
        } else {
            textChanged(box);
        }
    });
}

void WindowBehaviour::change(Control box) {
    for (const EntryAdvance& link : kEntryChain) {
        if (link.changedBox == box) {
            runGuarded([this, &link] { advanceEntry(link.changedBox, link.nextBox); });
        }
    }
}

void WindowBehaviour::computeKillRows() {
    const KillRows rows =
        ComputeKillRows(window_.text(Control::Entry1), window_.text(Control::Entry2),
                        window_.text(Control::Entry3));
    // Row by row, so a failure leaves the rows before it written.
    for (std::size_t row = 0; row < rows.size(); ++row) {
        window_.setText(kResultBoxOfRow[row], Utf16FromUtf8(rows[row]));
    }
    window_.announce(Utf16FromUtf8(TextOf(ProgramText::RowsFilled)));
}

void WindowBehaviour::clearData() {
    // In tab order the text boxes are the entries, then the kill rows: the
    // order they are emptied in.
    for (const ControlSpec& spec : kWindowLayout) {
        if (IsTextBox(spec.id)) window_.setText(spec.id, u"");
    }
    window_.announce(Utf16FromUtf8(TextOf(ProgramText::BoxesCleared)));
}

void WindowBehaviour::exitProgram() { window_.endProgram(0); }

// Only the length counts: any one character moves the caret on, and an
// emptied box (a deleted character, or the clear) keeps it.
void WindowBehaviour::advanceEntry(Control changedBox, Control nextBox) {
    if (CharacterCount(window_.text(changedBox)) == 1) window_.setFocus(nextBox);
}

void WindowBehaviour::reportFailure(std::u16string_view message) noexcept {
    try {
        window_.showFailure(Utf16FromUtf8(kWindowCaption), message);
    } catch (...) {
        // Nothing more can be shown; the program still ends as reported.
    }
    window_.endProgram(kFailureExitStatus);
}

EntryBoxModel* WindowBehaviour::entryBox(Control box) {
    if (SpecOf(box).kind != ControlKind::EntryBox) return nullptr;
    return &entryBoxes_.at(IndexOf(box) - IndexOf(Control::Entry1));
}

std::u16string FailureText(std::string_view what) {
    return Utf16FromUtf8(std::string(TextOf(ProgramText::RuntimeError)) + std::string(what));
}

}  // namespace rongxi::core
