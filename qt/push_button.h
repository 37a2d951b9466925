// A push button that Enter presses as well as Space, as push buttons do on
// the desktop this program comes from. None of the window's buttons is a
// default button, so Enter in a text box still presses nothing.
#pragma once

#include <QPushButton>

#include "core/window_behaviour.h"

namespace rongxi::qt {

class PushButton : public QPushButton {
    Q_OBJECT

public:
    PushButton(core::WindowBehaviour& behaviour, core::Control id, const QString& caption,
               QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    core::WindowBehaviour& behaviour_;
    core::Control id_;
};

}  // namespace rongxi::qt
