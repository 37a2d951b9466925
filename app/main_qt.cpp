#include <QApplication>

#include "ui/qt/form1.h"
#include "ui/qt/program_identity.h"

int main(int /*argc*/, char* argv[]) {
    // The program takes no command line: Qt sees only the program's name, so
    // none of its own options (-geometry, -stylesheet, ...) apply either.
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, argv);
    rongxi::ui::ApplyProgramIdentity();
    rongxi::ui::LoadQtChineseTranslation();
    rongxi::ui::Form1 window;
    window.show();
    return QApplication::exec();
}
