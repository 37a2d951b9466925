#include "ui/qt/program_identity.h"

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include "ui/qt/version.h"

namespace rongxi::ui {

// Every size the icon theme ships, each drawn pixel for pixel, so no desktop
// has to scale a small one up.
QIcon ProgramIcon() {
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons/hicolor"), QDir::Dirs);
    while (sizes.hasNext()) icon.addFile(sizes.next() + QStringLiteral("/apps/rongxi.png"));
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

}  // namespace rongxi::ui
