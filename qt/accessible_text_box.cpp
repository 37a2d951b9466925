#include "qt/accessible_text_box.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

#include "qt/entry_box.h"

namespace rongxi::qt {

namespace {

QAccessibleInterface* TextBoxFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QLineEdit")) return nullptr;
    auto* box = qobject_cast<QLineEdit*>(object);
    return box == nullptr ? nullptr : new AccessibleTextBox(box);
}

std::size_t Units(int offset) { return static_cast<std::size_t>(std::max(0, offset)); }

}  // namespace

// Factories installed later are asked first, before Qt's own.
void InstallAccessibleTextBoxes() {
    static const bool installed = [] {
        QAccessible::installFactory(&TextBoxFactory);
        return true;
    }();
    static_cast<void>(installed);
}

AccessibleTextBox::AccessibleTextBox(QLineEdit* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

QLineEdit* AccessibleTextBox::box() const { return static_cast<QLineEdit*>(widget()); }

QString AccessibleTextBox::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) return box()->text();
    return QAccessibleWidget::text(kind);
}

void AccessibleTextBox::setText(QAccessible::Text kind, const QString& text) {
    if (kind == QAccessible::Value) {
        box()->setText(text);
    } else {
        QAccessibleWidget::setText(kind, text);
    }
}

QAccessible::State AccessibleTextBox::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = box()->isReadOnly();
    state.editable = !box()->isReadOnly();
    state.selectableText = true;
    return state;
}

void* AccessibleTextBox::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

void AccessibleTextBox::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !box()->hasSelectedText()) return;
    *startOffset = box()->selectionStart();
    *endOffset = box()->selectionEnd();
}

int AccessibleTextBox::selectionCount() const { return box()->hasSelectedText() ? 1 : 0; }

void AccessibleTextBox::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void AccessibleTextBox::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) box()->deselect();
}

void AccessibleTextBox::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) box()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleTextBox::cursorPosition() const { return box()->cursorPosition(); }

void AccessibleTextBox::setCursorPosition(int position) { box()->setCursorPosition(position); }

QString AccessibleTextBox::text(int startOffset, int endOffset) const {
    if (startOffset > endOffset) return {};
    return box()->text().mid(startOffset, endOffset - startOffset);
}

int AccessibleTextBox::characterCount() const { return static_cast<int>(box()->text().size()); }

// The boxes centre their text, in one font.
QRect AccessibleTextBox::characterRect(int offset) const {
    const QString shown = box()->text();
    if (offset < 0 || offset >= shown.size()) return {};
    const QFontMetrics metrics(box()->font());
    const QRect area = box()->contentsRect().marginsRemoved(box()->textMargins());
    const int left = area.left() + (area.width() - metrics.horizontalAdvance(shown)) / 2 +
                     metrics.horizontalAdvance(shown.left(offset));
    const QRect character(left, area.center().y() - metrics.height() / 2,
                          metrics.horizontalAdvance(shown.mid(offset, 1)), metrics.height());
    return {box()->mapToGlobal(character.topLeft()), character.size()};
}

int AccessibleTextBox::offsetAtPoint(const QPoint& point) const {
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void AccessibleTextBox::scrollToSubstring(int startIndex, int endIndex) {
    box()->setCursorPosition(endIndex);
    box()->setCursorPosition(startIndex);
}

// The whole text is one run in the box's one font.
QString AccessibleTextBox::attributes(int /*offset*/, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void AccessibleTextBox::deleteText(int startOffset, int endOffset) {
    box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
}

void AccessibleTextBox::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void AccessibleTextBox::replaceText(int startOffset, int endOffset, const QString& text) {
    if (auto* entry = qobject_cast<EntryBox*>(box())) {
        entry->receive(core::Arrival::Assisted, text, {Units(startOffset), Units(endOffset)});
        return;
    }
    box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
}

}  // namespace rongxi::qt
