// Every event handler of the window runs through RunHandler. Qt cannot carry
// an exception through its event loop, so a failure is stopped here, shown as
// a run-time error in the window's name, and the program ends with status 1:
// what the handler had already written stays written, nothing else runs.
#pragma once

#include <functional>

class QWidget;

namespace rongxi::ui {

void RunHandler(QWidget* window, const std::function<void()>& handler);

}  // namespace rongxi::ui
