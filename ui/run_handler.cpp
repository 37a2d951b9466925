#include "ui/run_handler.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <exception>

namespace rongxi::ui {
namespace {

void ReportFailure(QWidget* window, const QString& message) {
    QMessageBox box(QMessageBox::Critical, window->windowTitle(),
                    QStringLiteral("运行时错误：%1").arg(message), QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("RuntimeErrorBox"));
    box.exec();
    QCoreApplication::exit(1);
}

}  // namespace

void RunHandler(QWidget* window, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        ReportFailure(window, QString::fromUtf8(failure.what()));
    } catch (...) {
        ReportFailure(window, QStringLiteral("未知错误"));
    }
}

}  // namespace rongxi::ui
