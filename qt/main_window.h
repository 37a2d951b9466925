// The program's one window, in Qt.
//
// It builds its fourteen controls from the layout table
// (core/window_layout.h) and routes every click, every change of a box's
// text and every text arriving in an entry box to the window behaviour
// (core/window_behaviour.h), which decides what happens. For the behaviour
// it is a core::MainWindow: boxes to read and write, a focus to move, a
// program to end and a failure to show.
#pragma once

#include <QWidget>
#include <array>

#include "core/main_window.h"
#include "core/window_behaviour.h"
#include "core/window_layout.h"

class QLineEdit;

namespace rongxi::qt {

class Announcer;

class MainWindow : public QWidget, public core::MainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    [[nodiscard]] std::u16string text(core::Control box) const override;
    void setText(core::Control box, std::u16string_view text) override;
    void correctText(core::Control box, std::u16string_view text) override;
    using QWidget::setFocus;
    void setFocus(core::Control box) override;
    void endProgram(int status) override;
    void announce(std::u16string_view text) override;
    void showFailure(std::u16string_view title, std::u16string_view message) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void routeEvents();
    void colourBoxBorders();

    [[nodiscard]] QWidget* control(core::Control id) const {
        return controls_.at(core::IndexOf(id));
    }
    [[nodiscard]] QLineEdit* textBox(core::Control id) const;

    core::WindowBehaviour behaviour_{*this};
    std::array<QWidget*, core::kControlCount> controls_{};
    Announcer* announcer_ = nullptr;
};

}  // namespace rongxi::qt
