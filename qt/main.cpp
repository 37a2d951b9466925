#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

#include "core/window_behaviour.h"
#include "qt/qt_text.h"

#include "qt/main_window.h"
#include "qt/program_identity.h"

namespace {

QtMessageHandler gQtMessages = nullptr;
QList<std::pair<QtMsgType, QString>> gHeldMessages;

// Qt ends the program with an abort when it can reach no display, after
// warnings and a message that sends the user to reinstall it. Say what is
// wrong instead, in Chinese first, and end with status 1. Qt's warnings are
// held until the application has been made.
void ReportNoDisplay(QtMsgType type, const QMessageLogContext& /*context*/,
                     const QString& message) {
    if (type != QtFatalMsg) {
        gHeldMessages.append({type, message});
        return;
    }
    std::fputs(
        "rongxi: 找不到可以显示窗口的图形界面：请在桌面会话中启动（需要 DISPLAY 或 "
        "WAYLAND_DISPLAY）。\n"
        "rongxi: no graphical display can be reached: start it from a desktop session "
        "(DISPLAY or WAYLAND_DISPLAY).\n",
        stderr);
    std::_Exit(1);
}

// Makes the window, shows it and runs the event loop; returns the exit
// status. A window that cannot be made is reported as a handler's failure
// is, with status 1.
int RunMainWindow() {
    using namespace rongxi;
    try {
        qt::MainWindow window;
        window.show();
        return QApplication::exec();
    } catch (const std::exception& failure) {
        // No window to show it in front of: it could not be made.
        QMessageBox::critical(nullptr, qt::FromUtf8(core::kWindowCaption),
                              qt::FromUtf16(core::FailureText(failure.what())));
        return core::kFailureExitStatus;
    }
}

}  // namespace

int main(int /*argc*/, char* argv[]) {
    // The program takes no command line: Qt sees only the program's name, so
    // none of its own options (-geometry, -stylesheet, ...) apply either.
    int qtArgumentCount = 1;
    gQtMessages = qInstallMessageHandler(&ReportNoDisplay);
    QApplication application(qtArgumentCount, argv);
    qInstallMessageHandler(gQtMessages);
    for (const auto& [type, message] : std::as_const(gHeldMessages)) {
        gQtMessages(type, QMessageLogContext(), message);
    }
    gHeldMessages.clear();
    rongxi::qt::ApplyProgramIdentity();
    rongxi::qt::LoadQtChineseTranslation();
    const int status = RunMainWindow();
    // The window is gone and the program keeps nothing, so the process ends
    // here, without taking the application down: Qt 6.4's Wayland client can
    // hang for good while it does (the display waits for its event thread,
    // which waits to read events that never come).
    std::fflush(nullptr);
    std::_Exit(status);
}
