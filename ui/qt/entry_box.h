// An entry box: a QLineEdit that holds one whole character (see
// ui/entry_rule.h for the rule).
//
// Text arriving from the user (keys, pastes by keyboard, context menu or
// middle click, drops, input-method commits) is cut down to what the rule
// admits before QLineEdit inserts it, so each such edit stays one ordinary,
// undoable step. Anything else that changes the text (a screen reader's
// editing interface, for one) is put right after the fact. entryChanged() is
// emitted after every change that leaves the box holding an entry text.
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QString>
#include <string>

namespace rongxi::ui {

class EntryBox : public QLineEdit {
    Q_OBJECT

public:
    explicit EntryBox(QWidget* parent = nullptr);

signals:
    void entryChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    [[nodiscard]] QString admitted(const QString& incoming) const;
    void pasteFrom(QClipboard::Mode mode);
    void holdEntryText();

    std::u16string held_;  // the text as the rule last left it
};

}  // namespace rongxi::ui
