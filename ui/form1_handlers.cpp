#include "ui/form1_handlers.h"

#include <array>

#include "compute/kill_rows.h"
#include "ui/form1_layout.h"
#include "ui/unicode_text.h"

namespace rongxi::ui {
namespace {

struct ClickHandler {
    std::string_view button;
    void (Form1Handlers::*handler)();
};

// Typing a character into an entry box moves the caret on to the next one, so
// a draw is typed in one run. Text3 has no successor.
struct EntryAdvance {
    std::string_view changedBox;
    std::string_view nextBox;
};
constexpr std::array<EntryAdvance, 2> kEntryChain{{{"Text1", "Text2"}, {"Text2", "Text3"}}};

}  // namespace

void Form1Handlers::click(std::string_view control) {
    static constexpr std::array<ClickHandler, 3> kClickHandlers{{
        {"Command1", &Form1Handlers::computeKillRows},
        {"Command2", &Form1Handlers::clearData},
        {"Command3", &Form1Handlers::exitProgram},
    }};
    for (const ClickHandler& entry : kClickHandlers) {
        if (entry.button == control) run([this, &entry] { (this->*entry.handler)(); });
    }
}

void Form1Handlers::change(std::string_view box) {
    for (const EntryAdvance& link : kEntryChain) {
        if (link.changedBox == box)
            run([this, &link] { advanceEntry(link.changedBox, link.nextBox); });
    }
}

void Form1Handlers::computeKillRows() {
    const KillRows rows =
        ComputeKillRows(window_.text("Text1"), window_.text("Text2"), window_.text("Text3"));
    // Row by row, so a failure leaves the rows before it written.
    for (std::size_t row = 0; row < rows.size(); ++row) {
        window_.setText(KillRowTable[row].resultBox, Utf16FromUtf8(rows[row]));
    }
}

void Form1Handlers::clearData() {
    // In tab order the text boxes are Text1 to Text9: the order they are emptied in.
    for (const ControlSpec& spec : Form1Layout) {
        if (spec.kind == ControlKind::EntryBox || spec.kind == ControlKind::ResultBox) {
            window_.setText(spec.name, u"");
        }
    }
}

void Form1Handlers::exitProgram() { window_.endProgram(0); }

// Only the length counts: any one character moves the caret on, and an
// emptied box (a deleted character, or the clear) keeps it.
void Form1Handlers::advanceEntry(std::string_view changedBox, std::string_view nextBox) {
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

std::u16string FailureText(std::string_view what) { return u"运行时错误：" + Utf16FromUtf8(what); }

}  // namespace rongxi::ui
