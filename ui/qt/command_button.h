// A push button that Enter presses as well as Space, as push buttons do on
// the desktop this program comes from. None of the window's buttons is a
// default button, so Enter in a text box still presses nothing.
#pragma once

#include <QPushButton>

namespace rongxi::ui {

class CommandButton : public QPushButton {
    Q_OBJECT

public:
    CommandButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace rongxi::ui
