// Who the program is to the desktop: its name, its version "1.00", the
// desktop entry that task bars match it to, and its icon.
#pragma once

#include <QIcon>

namespace rongxi::qt {

QIcon ProgramIcon();

// Call once, after the application object exists and before any window.
void ApplyProgramIdentity();

// The interface is Simplified Chinese in every locale, Qt's own texts too
// (the boxes' context menu, the message box's button). Call once, before any
// window; false when Qt's Chinese translation is not installed, and Qt's
// texts stay in English.
bool LoadQtChineseTranslation();

}  // namespace rongxi::qt
