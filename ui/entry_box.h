// An entry box holds one character of any kind: a digit, a letter, a blank,
// or a character outside the Basic Multilingual Plane, which Qt stores as two
// UTF-16 units. QLineEdit's maxLength counts units, so with a limit of one it
// would keep half of such a character. EntryBox makes room for two units and
// lets a validator enforce "one character", the way a limit of one would for
// any other character: typing into a full box is refused, and typing, pasting
// or an input method's commit into an empty (or wholly selected) box keeps
// the first whole character. A box never holds a lone surrogate.
#pragma once

#include <QLineEdit>
#include <QString>

namespace rongxi::ui {

// Characters as the user sees them: a surrogate pair is one.
qsizetype CharacterCount(const QString& text);

class EntryBox : public QLineEdit {
    Q_OBJECT

public:
    explicit EntryBox(QWidget* parent = nullptr);

    // What the box held, and whether all of it was selected, when the event
    // that is changing it began.
    [[nodiscard]] const QString& textBeforeEdit() const { return textBeforeEdit_; }
    [[nodiscard]] bool wholeTextSelectedBeforeEdit() const { return wholeSelected_; }

protected:
    bool event(QEvent* event) override;

private:
    QString textBeforeEdit_;
    bool wholeSelected_ = false;
};

}  // namespace rongxi::ui
