#include "qt/push_button.h"

#include <QKeyEvent>

namespace rongxi::qt {

PushButton::PushButton(core::WindowBehaviour& behaviour, core::Control id, const QString& caption,
                       QWidget* parent)
    : QPushButton(caption, parent), behaviour_(behaviour), id_(id) {
    setAutoDefault(false);
}

void PushButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain) {
        if (!event->isAutoRepeat()) behaviour_.enterPressed(id_);
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace rongxi::qt
