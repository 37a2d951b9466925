#include "ui/entry_box.h"

#include <QEvent>
#include <QValidator>

namespace rongxi::ui {
namespace {

// The first character of text that is whole; lone surrogate halves are
// skipped. Empty when there is none.
QString FirstWholeCharacter(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            return text.mid(i, 2);
        }
        if (!text[i].isSurrogate()) return text.mid(i, 1);
    }
    return {};
}

class OneCharacterValidator : public QValidator {
public:
    explicit OneCharacterValidator(EntryBox* box) : QValidator(box), box_(box) {}

    State validate(QString& input, int& position) const override {
        if (CharacterCount(input) <= 1 && input.isValidUtf16()) return Acceptable;
        // Something was added to a box that already held its character.
        const bool wasFull =
            !box_->textBeforeEdit().isEmpty() && !box_->wholeTextSelectedBeforeEdit();
        if (wasFull) return Invalid;
        // The box was empty or its text was replaced, so the input is all new
        // text: keep its first character, as pasting into a full-length box does.
        const QString first = FirstWholeCharacter(input);
        if (first.isEmpty()) return Invalid;
        input = first;
        position = static_cast<int>(first.size());
        return Acceptable;
    }

private:
    EntryBox* box_;
};

}  // namespace

qsizetype CharacterCount(const QString& text) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++count) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    }
    return count;
}

EntryBox::EntryBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(2);  // one character, which may take two UTF-16 units
    setValidator(new OneCharacterValidator(this));
}

bool EntryBox::event(QEvent* event) {
    // Every edit by the user (keys, input methods, drops, middle-click and
    // context-menu pastes) arrives inside an event to the box itself.
    textBeforeEdit_ = text();
    wholeSelected_ = !textBeforeEdit_.isEmpty() && selectedText() == textBeforeEdit_;
    return QLineEdit::event(event);
}

}  // namespace rongxi::ui
