#include "ui/qt/entry_box.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

#include "ui/qt/qt_text.h"

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

std::size_t Units(qsizetype position) {
    return static_cast<std::size_t>(std::max<qsizetype>(0, position));
}

}  // namespace

EntryBox::EntryBox(Form1Handlers& handlers, Control id, QWidget* parent)
    : QLineEdit(parent), handlers_(handlers), id_(id) {}

// Qt's event loop cannot carry a failure: each override runs guarded, like
// the handlers.
void EntryBox::keyPressEvent(QKeyEvent* event) {
    handlers_.runGuarded([&] { pressKey(event); });
}
void EntryBox::inputMethodEvent(QInputMethodEvent* event) {
    handlers_.runGuarded([&] { commitInput(event); });
}
void EntryBox::dropEvent(QDropEvent* event) {
    handlers_.runGuarded([&] { drop(event); });
}
void EntryBox::mouseReleaseEvent(QMouseEvent* event) {
    handlers_.runGuarded([&] { releaseMouse(event); });
}
void EntryBox::contextMenuEvent(QContextMenuEvent* event) {
    handlers_.runGuarded([&] { openContextMenu(event); });
}

TextSelection EntryBox::selection() const {
    if (!hasSelectedText()) return {Units(cursorPosition()), Units(cursorPosition())};
    const std::size_t start = Units(selectionStart());
    return {start, start + Units(selectedText().size())};
}

QString EntryBox::admitted(const QString& incoming, TextSelection replaced) {
    return FromUtf16(
        handlers_.admit(id_, text().toStdU16String(), replaced, incoming.toStdU16String()));
}

void EntryBox::pressKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (!InsertsText(event) || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString taken = admitted(event->text(), selection());
    if (taken.isEmpty()) {
        event->accept();  // refused, as a full box refuses a key
        return;
    }
    QKeyEvent admittedKey(event->type(), event->key(), event->modifiers(), taken,
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
    const QString taken = admitted(commit, replaced);
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
    // A drop lands beside what the box holds, never over it.
    const QString taken = admitted(event->mimeData()->text(), {});
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
                [this] { handlers_.runGuarded([this] { pasteFrom(QClipboard::Clipboard); }); });
    }
    menu->popup(event->globalPos());
    event->accept();
}

void EntryBox::pasteFrom(QClipboard::Mode mode) {
    if (isReadOnly()) return;
    const QString taken = admitted(QGuiApplication::clipboard()->text(mode), selection());
    if (!taken.isEmpty()) insert(taken);  // replaces the selection; one undo step
}

}  // namespace rongxi::ui
