#include "qt/program_identity.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include "qt/version.h"

namespace rongxi::qt {

// The sizes window systems draw a window's icon at (title bar, task bar,
// window switcher), each drawn pixel for pixel. Qt decodes every image it is
// given when the window opens, and the X window carries them all, so the
// larger theme sizes, which menus and software centres take from the icon
// theme, stay out of it.
QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/rongxi.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

void ApplyProgramIdentity() {
    QGuiApplication::setApplicationName(QStringLiteral("rongxi"));
    QGuiApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    QGuiApplication::setWindowIcon(ProgramIcon());
}

bool LoadQtChineseTranslation() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    const bool loaded =
        translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) QCoreApplication::installTranslator(translator);
    return loaded;
}

}  // namespace rongxi::qt
