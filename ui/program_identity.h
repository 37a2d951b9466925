// Who the program is to the desktop: its name, its version "1.00", the
// desktop entry that task bars match it to, and its icon.
#pragma once

#include <QIcon>

namespace rongxi::ui {

QIcon ProgramIcon();

// Call once, after the application object exists and before any window.
void ApplyProgramIdentity();

}  // namespace rongxi::ui
