// The program's one window, in Qt.
//
// Form1 builds its fourteen controls from the layout table in
// ui/form1_layout.h and routes every click, every change of a box's text and
// every text arriving in an entry box to the shared handlers
// (ui/form1_handlers.h), which decide what happens. For them it is a
// Form1Window: boxes to read and write, a focus to move, a program to end
// and a failure to show.
#pragma once

#include <QWidget>
#include <array>

#include "ui/form1_handlers.h"
#include "ui/form1_layout.h"
#include "ui/form1_window.h"

class QLineEdit;

namespace rongxi::ui {

class Form1 : public QWidget, public Form1Window {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    [[nodiscard]] std::u16string text(Control box) const override;
    void setText(Control box, std::u16string_view text) override;
    using QWidget::setFocus;
    void setFocus(Control box) override;
    void endProgram(int status) override;
    void showFailure(std::u16string_view title, std::u16string_view message) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void routeEvents();
    void colourBoxBorders();
    void correct(QLineEdit* box, const BoxCorrection& correction);

    [[nodiscard]] QWidget* control(Control id) const { return controls_.at(IndexOf(id)); }
    [[nodiscard]] QLineEdit* textBox(Control id) const;

    Form1Handlers handlers_{*this};
    std::array<QWidget*, kControlCount> controls_{};
};

}  // namespace rongxi::ui
