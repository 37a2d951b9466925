#include "ui/program_identity.h"

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QString>

#include "ui/version.h"

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

}  // namespace rongxi::ui
