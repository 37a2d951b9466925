// The program's one window, in Qt.
//
// Form1 builds its fourteen controls from the layout table in
// ui/form1_layout.h and passes every click and every change of a box's text
// to the shared handlers (ui/form1_handlers.h), which decide what happens.
// For them it is a Form1Window: boxes to read and write, a focus to move, a
// program to end and a failure to show.
#pragma once

#include <QWidget>
#include <string_view>
#include <unordered_map>

#include "ui/form1_handlers.h"
#include "ui/form1_window.h"

class QLineEdit;

namespace rongxi::ui {

class Form1 : public QWidget, public Form1Window {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // Runs window code the way the event handlers run.
    template <typename Handler>
    void runHandler(Handler&& handler) {
        handlers_.run(std::forward<Handler>(handler));
    }

    [[nodiscard]] std::u16string text(std::string_view box) const override;
    void setText(std::string_view box, std::u16string_view text) override;
    using QWidget::setFocus;
    void setFocus(std::string_view box) override;
    void endProgram(int status) override;
    void showFailure(std::u16string_view title, std::u16string_view message) override;

private:
    void createControls();
    void routeEvents();

    [[nodiscard]] QWidget* control(std::string_view name) const;
    [[nodiscard]] QLineEdit* textBox(std::string_view name) const;

    std::unordered_map<std::string_view, QWidget*> controls_;
    Form1Handlers handlers_{*this};
};

}  // namespace rongxi::ui
