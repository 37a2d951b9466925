// The text boxes as assistive programs read and edit them.
//
// Qt's own interface for a line edit reports an empty run of text
// attributes at every offset; a screen reader that reads a text run by run
// (Orca) then drops the last character, which in a kill row is a wrong row.
// This interface answers with one run over the whole text, and otherwise
// reads the box as Qt's does. Text an assistive program inserts into an
// entry box arrives by the box's rule, as typed or pasted text does.
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace rongxi::qt {

// Makes every QLineEdit of the program answer through AccessibleTextBox.
void InstallAccessibleTextBoxes();

class AccessibleTextBox : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit AccessibleTextBox(QLineEdit* box);

    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    [[nodiscard]] QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // Text.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    [[nodiscard]] int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    [[nodiscard]] int cursorPosition() const override;
    void setCursorPosition(int position) override;
    [[nodiscard]] QString text(int startOffset, int endOffset) const override;
    [[nodiscard]] int characterCount() const override;
    [[nodiscard]] QRect characterRect(int offset) const override;
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // Editable text.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    [[nodiscard]] QLineEdit* box() const;
};

}  // namespace rongxi::qt
