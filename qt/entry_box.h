// An entry box: a QLineEdit whose arriving text the window behaviour cuts
// down (see core/entry_box_model.h).
//
// Text arriving from the user (keys, pastes by keyboard, context menu or
// middle click, drops, input-method commits) is cut down before QLineEdit
// inserts it, so each such edit stays one ordinary, undoable step; so is
// text an assistive program inserts through the accessibility interface
// (qt/accessible_text_box.h). Anything else that changes the text (undo, or
// an assistive program setting the whole value) reaches the model through
// the box's textChanged, which the main window routes.
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QString>
#include <optional>

#include "core/window_behaviour.h"

namespace rongxi::qt {

class EntryBox : public QLineEdit {
    Q_OBJECT

public:
    EntryBox(core::WindowBehaviour& behaviour, core::Control id, QWidget* parent);

    // `incoming` arrives by `how` in place of `replaced`: the box takes what
    // the rule lets it, as one undoable edit.
    void receive(core::Arrival how, const QString& incoming, core::TextSelection replaced);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void pressKey(QKeyEvent* event);
    void commitInput(QInputMethodEvent* event);
    void drop(QDropEvent* event);
    void releaseMouse(QMouseEvent* event);
    void openContextMenu(QContextMenuEvent* event);
    void pasteFrom(QClipboard::Mode mode);

    [[nodiscard]] std::optional<core::TextEdit> editFor(core::Arrival how, const QString& incoming,
                                                        core::TextSelection replaced);
    [[nodiscard]] core::TextSelection selection() const;

    core::WindowBehaviour& behaviour_;
    core::Control id_;
};

}  // namespace rongxi::qt
