#include "ui/program_identity.h"

#include <QGuiApplication>
#include <QString>

#include "ui/version.h"

namespace rongxi::ui {

QIcon ProgramIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/hicolor/16x16/apps/rongxi.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/hicolor/32x32/apps/rongxi.png"), QSize(32, 32));
    return icon;
}

void ApplyProgramIdentity() {
    QGuiApplication::setApplicationName(QStringLiteral("rongxi"));
    QGuiApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    QGuiApplication::setWindowIcon(ProgramIcon());
}

}  // namespace rongxi::ui
