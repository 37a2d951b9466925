#include "ui/qt/entry_box.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalBlocker>

#include "ui/entry_rule.h"

namespace rongxi::ui {
namespace {

// Keys whose text QLineEdit inserts: printable text, not a Ctrl shortcut.
bool InsertsText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return false;
    }
    return text.front().isPrint() || text.front().isSurrogate() ||
           text.front().category() == QChar::Other_PrivateUse;
}

}  // namespace

EntryBox::EntryBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(2);  // one character, which may take two UTF-16 units
    connect(this, &QLineEdit::textChanged, this, &EntryBox::holdEntryText);
}

QString EntryBox::admitted(const QString& incoming) const {
    const bool heldIsSelected = hasSelectedText() && selectedText() == text();
    return QString::fromStdU16String(
        EntryInsertion(text().toStdU16String(), heldIsSelected, incoming.toStdU16String()));
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (!InsertsText(event) || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString taken = admitted(event->text());
    if (taken.isEmpty()) {
        event->accept();  // refused, as a full box refuses a key
        return;
    }
    QKeyEvent admittedKey(event->type(), event->key(), event->modifiers(), taken,
                          event->isAutoRepeat());
    QLineEdit::keyPressEvent(&admittedKey);
    event->setAccepted(admittedKey.isAccepted());
}

void EntryBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    const QString taken = commit.isEmpty() ? commit : admitted(commit);
    if (taken == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent admittedCommit(event->preeditString(), event->attributes());
    admittedCommit.setCommitString(taken, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&admittedCommit);
    event->setAccepted(admittedCommit.isAccepted());
}

void EntryBox::dropEvent(QDropEvent* event) {
    // A drop lands beside what the box holds, never over it: only an empty
    // box takes one.
    const QString incoming = event->mimeData()->text();
    const QString taken = text().isEmpty() ? admitted(incoming) : QString();
    if (taken.isEmpty()) {
        event->ignore();
        return;
    }
    QMimeData mime;
    mime.setText(taken);
    QDropEvent admittedDrop(event->position(), event->possibleActions(), &mime, event->buttons(),
                            event->modifiers(), event->type());
    admittedDrop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&admittedDrop);
    event->setDropAction(admittedDrop.dropAction());
    event->setAccepted(admittedDrop.isAccepted());
}

void EntryBox::mouseReleaseEvent(QMouseEvent* event) {
    // A middle click pastes the primary selection where the caret is.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection() && rect().contains(event->pos())) {
        deselect();
        pasteFrom(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void EntryBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (menu == nullptr) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] { pasteFrom(QClipboard::Clipboard); });
    }
    menu->popup(event->globalPos());
    event->accept();
}

void EntryBox::pasteFrom(QClipboard::Mode mode) {
    if (isReadOnly()) return;
    const QString taken = admitted(QGuiApplication::clipboard()->text(mode));
    if (!taken.isEmpty()) insert(taken);  // replaces the selection; one undo step
}

void EntryBox::holdEntryText() {
    using Action = EntryCheck::Action;
    const EntryCheck check = CheckEntryChange(held_, text().toStdU16String());
    switch (check.action) {
        case Action::Report:
            emit entryChanged();
            break;
        case Action::Restore: {
            const QSignalBlocker quiet(this);
            setText(QString::fromStdU16String(check.text));
            break;
        }
        case Action::Replace:
            setText(QString::fromStdU16String(check.text));  // reported as its own change
            break;
    }
}

}  // namespace rongxi::ui
