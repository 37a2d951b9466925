#include <QApplication>

#include "ui/form1.h"
#include "ui/program_identity.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    rongxi::ui::ApplyProgramIdentity();
    rongxi::ui::Form1 window;
    window.show();
    return QApplication::exec();
}
