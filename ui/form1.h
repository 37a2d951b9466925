// The program's one window.
//
// Form1 builds its fourteen controls from the layout table in form1_layout.h
// and wires exactly the events that do something; every other event is left
// to Qt. Handlers stay thin: read boxes, call the kill-row generator, write
// boxes. A handler that fails reports the failure and ends the program, so
// nothing is left half done behind the user's back.
#pragma once

#include <QWidget>
#include <string_view>
#include <unordered_map>

class QLineEdit;

namespace rongxi::ui {

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

private:
    void createControls();
    void connectHandlers();

    // The five event handlers.
    void computeKillRows();  // Command1 Click
    void clearData();        // Command2 Click
    void exitProgram();      // Command3 Click
    void advanceEntry(std::string_view changedBox,
                      std::string_view nextBox);  // Text1, Text2 Change

    [[nodiscard]] QWidget* control(std::string_view name) const;
    [[nodiscard]] QLineEdit* textBox(std::string_view name) const;

    std::unordered_map<std::string_view, QWidget*> controls_;
};

}  // namespace rongxi::ui
