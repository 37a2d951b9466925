#include "qt/entry_box.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

#include "qt/qt_text.h"

namespace rongxi::qt {

using namespace rongxi::core;

namespace {

// Keys that may bring text: not a Ctrl shortcut, and not one of the editing
// keys whose text is a control character (Backspace, Tab, Enter, Esc,
// Delete), which stay QLineEdit's commands. What of the rest is text, the
// window behaviour decides.
bool MayBringText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return false;
    }
    return text.front() >= QChar(0x20) && text.front() != QChar(0x7F);
}

std::size_t Units(qsizetype position) {
    return static_cast<std::size_t>(std::max<qsizetype>(0, position));
}

}  // namespace

EntryBox::EntryBox(WindowBehaviour& behaviour, Control id, QWidget* parent)
    : QLineEdit(parent), behaviour_(behaviour), id_(id) {}

// Qt's event loop cannot carry a failure: each override runs guarded, like
// the handlers.
void EntryBox::keyPressEvent(QKeyEvent* event) {
    behaviour_.runGuarded([&] { pressKey(event); });
}
void EntryBox::inputMethodEvent(QInputMethodEvent* event) {
    behaviour_.runGuarded([&] { commitInput(event); });
}
void EntryBox::dropEvent(QDropEvent* event) {
    behaviour_.runGuarded([&] { drop(event); });
}
void EntryBox::mouseReleaseEvent(QMouseEvent* event) {
    behaviour_.runGuarded([&] { releaseMouse(event); });
}
void EntryBox::contextMenuEvent(QContextMenuEvent* event) {
    behaviour_.runGuarded([&] { openContextMenu(event); });
}

TextSelection EntryBox::selection() const {
    if (!hasSelectedText()) return {Units(cursorPosition()), Units(cursorPosition())};
    const std::size_t start = Units(selectionStart());
    return {start, start + Units(selectedText().size())};
}

std::optional<TextEdit> EntryBox::editFor(Arrival how, const QString& incoming,
                                          TextSelection replaced) {
    return behaviour_.editForArrival(id_, text().toStdU16String(), replaced, how,
                                     incoming.toStdU16String());
}

void EntryBox::pressKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (!MayBringText(event) || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const std::optional<TextEdit> edit = editFor(Arrival::Typed, event->text(), selection());
    if (!edit) {
        event->accept();  // refused, as a full box refuses a key
        return;
    }
    QKeyEvent admittedKey(event->type(), event->key(), event->modifiers(), FromUtf16(edit->text),
                          event->isAutoRepeat());
    QLineEdit::keyPressEvent(&admittedKey);
    event->setAccepted(admittedKey.isAccepted());
}

void EntryBox::commitInput(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // A commit may replace text around the caret (reconversion, some
    // keyboards) instead of the selection.
    TextSelection replaced = selection();
    if (event->replacementLength() > 0) {
        const qsizetype start = cursorPosition() + event->replacementStart();
        replaced = {Units(start), Units(start + event->replacementLength())};
    }
    const std::optional<TextEdit> edit = editFor(Arrival::Composed, commit, replaced);
    const QString taken = edit ? FromUtf16(edit->text) : QString();
    if (taken == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent admittedCommit(event->preeditString(), event->attributes());
    if (taken.isEmpty()) {
        admittedCommit.setCommitString(QString());  // nothing replaced, nothing inserted
    } else {
        admittedCommit.setCommitString(taken, event->replacementStart(),
                                       event->replacementLength());
    }
    QLineEdit::inputMethodEvent(&admittedCommit);
    event->setAccepted(admittedCommit.isAccepted());
}

void EntryBox::drop(QDropEvent* event) {
    const std::optional<TextEdit> edit =
        editFor(Arrival::Dropped, event->mimeData()->text(), selection());
    if (!edit) {
        event->ignore();
        return;
    }
    QMimeData mime;
    mime.setText(FromUtf16(edit->text));
    QDropEvent admittedDrop(event->position(), event->possibleActions(), &mime, event->buttons(),
                            event->modifiers(), event->type());
    admittedDrop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&admittedDrop);
    event->setDropAction(admittedDrop.dropAction());
    event->setAccepted(admittedDrop.isAccepted());
}

void EntryBox::releaseMouse(QMouseEvent* event) {
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

void EntryBox::openContextMenu(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (menu == nullptr) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this,
                [this] { behaviour_.runGuarded([this] { pasteFrom(QClipboard::Clipboard); }); });
    }
    menu->popup(event->globalPos());
    event->accept();
}

void EntryBox::pasteFrom(QClipboard::Mode mode) {
    if (isReadOnly()) return;
    receive(Arrival::Pasted, QGuiApplication::clipboard()->text(mode), selection());
}

void EntryBox::receive(Arrival how, const QString& incoming, TextSelection replaced) {
    const std::optional<TextEdit> edit = editFor(how, incoming, replaced);
    if (!edit) return;
    const auto start = static_cast<int>(edit->range.start);
    setSelection(start, static_cast<int>(edit->range.end) - start);
    insert(FromUtf16(edit->text));  // replaces the selection; one undo step
}

}  // namespace rongxi::qt
