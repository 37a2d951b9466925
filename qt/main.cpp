#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <utility>

#include <iconv.h>
#include <langinfo.h>

#include "core/startup_failure.h"
#include "core/window_behaviour.h"
#include "qt/qt_text.h"

#include "qt/display_probe.h"
#include "qt/main_window.h"
#include "qt/platform_choice.h"
#include "qt/program_identity.h"

namespace {

QtMessageHandler gQtMessages = nullptr;
QList<std::pair<QtMsgType, QString>> gHeldMessages;
// The platforms the program asked Qt for, if any.
std::string gPlatforms;
// The user's character set, read before Qt, which switches a locale that is
// not UTF-8 to C.UTF-8.
std::string gLocaleCharset;

// `utf8` in the user's character set; empty where it cannot be written in it.
std::string InLocaleCharset(const std::string& utf8) {
    iconv_t convert = iconv_open(gLocaleCharset.c_str(), "UTF-8");
    // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open's value for failure.
    if (convert == reinterpret_cast<iconv_t>(-1)) return utf8;
    std::string in = utf8;
    std::string out(in.size() * 4, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size();
    std::size_t room = out.size();
    const bool whole = iconv(convert, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
    iconv_close(convert);
    if (!whole) return {};
    out.resize(out.size() - room);
    return out;
}

const char* Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Qt ends the program with an abort when it cannot start its platform,
// after warnings and a message that sends the user to reinstall it. Say
// what is wrong instead: the display where none is set or none answers,
// else the platform tried with Qt's own reason; Chinese first where the
// locale can write it, and end with status 1. Qt's warnings are held until
// the application has been made.
void ReportStartupFailure(QtMsgType type, const QMessageLogContext& /*context*/,
                          const QString& message) {
    gHeldMessages.append({type, message});
    if (type != QtFatalMsg) return;
    QStringList reason;
    for (const auto& [heldType, held] : std::as_const(gHeldMessages)) reason << held.trimmed();
    const std::string qtReason = reason.join(u'\n').toStdString();
    const std::string_view userPlatforms = Environment("QT_QPA_PLATFORM");
    const rongxi::core::StartupFailureText text = rongxi::core::StartupFailureMessage({
        .platforms = gPlatforms.empty() ? userPlatforms : std::string_view(gPlatforms),
        .platformsFromUser = !userPlatforms.empty(),
        .display = Environment("DISPLAY"),
        .waylandDisplay = Environment("WAYLAND_DISPLAY"),
        .displayAnswers = rongxi::qt::X11DisplayAnswers(Environment("DISPLAY")),
        .waylandAnswers = rongxi::qt::WaylandDisplayAnswers(Environment("WAYLAND_DISPLAY"),
                                                            Environment("XDG_RUNTIME_DIR")),
        .reason = qtReason,
    });
    const std::string chinese = InLocaleCharset(text.chinese + "\n");
    std::fputs(chinese.c_str(), stderr);
    std::fputs((text.english + "\n").c_str(), stderr);
    if (!text.reason.empty()) std::fputs((text.reason + "\n").c_str(), stderr);
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
    // The program takes no command line: Qt sees only the program's name and
    // the platforms chosen for the desktop, so none of Qt's other options
    // (-geometry, -stylesheet, ...) apply.
    gPlatforms =
        rongxi::qt::PlatformsForSession({.currentDesktop = Environment("XDG_CURRENT_DESKTOP"),
                                         .display = Environment("DISPLAY"),
                                         .waylandDisplay = Environment("WAYLAND_DISPLAY"),
                                         .qtPlatform = Environment("QT_QPA_PLATFORM")});
    std::string platformOption = "-platform";
    char* qtArguments[] = {argv[0], platformOption.data(), gPlatforms.data(), nullptr};
    int qtArgumentCount = gPlatforms.empty() ? 1 : 3;
    std::setlocale(LC_CTYPE, "");
    gLocaleCharset = nl_langinfo(CODESET);
    gQtMessages = qInstallMessageHandler(&ReportStartupFailure);
    QApplication application(qtArgumentCount, qtArguments);
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
