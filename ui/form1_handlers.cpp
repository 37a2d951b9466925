#include "ui/form1_handlers.h"

#include <array>
#include <optional>
#include <utility>

#include "compute/kill_rows.h"
#include "ui/form1_layout.h"
#include "ui/unicode_text.h"

namespace rongxi::ui {
namespace {

struct ClickHandler {
    Control button;
    void (Form1Handlers::*handler)();
};

// Typing a character into an entry box moves the caret on to the next one, so
// a draw is typed in one run. Text3 has no successor.
struct EntryAdvance {
    Control changedBox;
    Control nextBox;
};
constexpr std::array<EntryAdvance, 2> kEntryChain{
    {{Control::Text1, Control::Text2}, {Control::Text2, Control::Text3}}};

// The result box of each row of the kill-row table, which names it.
constexpr std::array<Control, kKillRowCount> kResultBoxOfRow = [] {
    std::array<Control, kKillRowCount> boxes{};
    for (std::size_t row = 0; row < kKillRowCount; ++row) {
        const std::optional<Control> box = ControlNamed(KillRowTable[row].resultBox);
        if (!box || SpecOf(*box).kind != ControlKind::ResultBox) throw "not a result box";
        boxes[row] = *box;
    }
    return boxes;
}();

}  // namespace

void Form1Handlers::click(Control control) {
    static constexpr std::array<ClickHandler, 3> kClickHandlers{{
        {Control::Command1, &Form1Handlers::computeKillRows},
        {Control::Command2, &Form1Handlers::clearData},
        {Control::Command3, &Form1Handlers::exitProgram},
    }};
    for (const ClickHandler& entry : kClickHandlers) {
        if (entry.button == control) runGuarded([this, &entry] { (this->*entry.handler)(); });
    }
}

BoxCorrection Form1Handlers::textChanged(Control box, std::u16string_view shown) {
    EntryBoxModel* entry = entryBox(box);
    if (entry == nullptr) {
        change(box);
        return {};
    }
    EntryBoxModel::Verdict verdict = entry->changed(shown);
    if (verdict.report) change(box);
    return std::move(verdict.correction);
}

std::u16string Form1Handlers::admit(Control box, std::u16string_view shown, TextSelection selection,
                                    std::u16string_view incoming) {
    EntryBoxModel* entry = entryBox(box);
    if (entry == nullptr) return std::u16string(incoming);
    return entry->admit(shown, selection, incoming);
}

void Form1Handlers::change(Control box) {
    for (const EntryAdvance& link : kEntryChain) {
        if (link.changedBox == box) {
            runGuarded([this, &link] { advanceEntry(link.changedBox, link.nextBox); });
        }
    }
}

void Form1Handlers::computeKillRows() {
    const KillRows rows = ComputeKillRows(
        window_.text(Control::Text1), window_.text(Control::Text2), window_.text(Control::Text3));
    // Row by row, so a failure leaves the rows before it written.
    for (std::size_t row = 0; row < rows.size(); ++row) {
        window_.setText(kResultBoxOfRow[row], Utf16FromUtf8(rows[row]));
    }
}

void Form1Handlers::clearData() {
    // In tab order the text boxes are Text1 to Text9: the order they are emptied in.
    for (const ControlSpec& spec : Form1Layout) {
        if (IsTextBox(spec.id)) window_.setText(spec.id, u"");
    }
}

void Form1Handlers::exitProgram() { window_.endProgram(0); }

// Only the length counts: any one character moves the caret on, and an
// emptied box (a deleted character, or the clear) keeps it.
void Form1Handlers::advanceEntry(Control changedBox, Control nextBox) {
    if (CharacterCount(window_.text(changedBox)) == 1) window_.setFocus(nextBox);
}

void Form1Handlers::reportFailure(std::u16string_view message) noexcept {
    try {
        window_.showFailure(Utf16FromUtf8(kWindowCaption), message);
    } catch (...) {
        // Nothing more can be shown; the program still ends as reported.
    }
    window_.endProgram(kFailureExitStatus);
}

EntryBoxModel* Form1Handlers::entryBox(Control box) {
    if (SpecOf(box).kind != ControlKind::EntryBox) return nullptr;
    return &entryBoxes_.at(IndexOf(box) - IndexOf(Control::Text1));
}

std::u16string FailureText(std::string_view what) { return u"运行时错误：" + Utf16FromUtf8(what); }

}  // namespace rongxi::ui
