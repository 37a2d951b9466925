// The yardstick for start-up: a bare Qt Widgets window of the same size with
// the same fourteen widget kinds and captions, Qt's default fonts and style,
// and no handlers. Whatever rongxi costs beyond this is its own.
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("榕汐 "));
    window.resize(342, 231);

    auto* entries = new QGroupBox(QStringLiteral("输入开奖号"), &window);
    entries->setGeometry(8, 0, 329, 49);
    for (int i = 0; i < 3; ++i) (new QLineEdit(entries))->setGeometry(8 + 24 * i, 16, 25, 25);
    const QString captions[] = {QStringLiteral("杀垃圾"), QStringLiteral("清除数据"),
                                QStringLiteral("退出")};
    for (int i = 0; i < 3; ++i) {
        (new QPushButton(captions[i], entries))->setGeometry(88 + 80 * i, 16, 73, 25);
    }
    auto* results = new QGroupBox(QStringLiteral("杀垃圾复试"), &window);
    results->setGeometry(8, 56, 329, 169);
    for (int i = 0; i < 6; ++i) (new QLineEdit(results))->setGeometry(8, 16 + 24 * i, 313, 21);

    window.show();
    return QApplication::exec();
}
