// The window on a scaled screen (run under several QT_SCALE_FACTOR values):
// everything grows by the factor, and no text is cut off by its control.
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

#include "window_driver.h"

namespace {

double ExpectedFactor() {
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return factor.isEmpty() ? 1.0 : factor.toDouble();
}

// Columns of dark ("ink") pixels inside the widget, leaving out its border.
// Returns {-1, -1} when there is none.
std::pair<int, int> InkColumns(QWidget* widget, int border) {
    const QImage image = widget->grab().toImage();
    int first = -1;
    int last = -1;
    for (int x = border; x < image.width() - border; ++x) {
        for (int y = border; y < image.height() - border; ++y) {
            if (qGray(image.pixel(x, y)) < 80) {
                if (first < 0) first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

}  // namespace

class ScalingTest : public QObject {
    Q_OBJECT

    WindowDriver user_;

    // Ink that reaches the inner edge of a control means its text was cut.
    void verifyTextIsWhole(QWidget* widget) {
        const double factor = widget->devicePixelRatioF();
        const int border = qCeil(2 * factor);
        const auto [first, last] = InkColumns(widget, border);
        const int width = qRound(widget->width() * factor);
        QVERIFY2(first >= 0, qPrintable(widget->objectName() + " shows no text"));
        QVERIFY2(first > border && last < width - border - 1,
                 qPrintable(QStringLiteral("%1: ink from %2 to %3 of %4")
                                .arg(widget->objectName())
                                .arg(first)
                                .arg(last)
                                .arg(width)));
    }

private slots:
    void init() { user_.open(); }
    void cleanup() { user_.close(); }

    void windowGrowsByTheFactor() {
        const double factor = ExpectedFactor();
        QCOMPARE(user_.window()->devicePixelRatioF(), factor);
        const QImage image = user_.window()->grab().toImage();
        QVERIFY(qAbs(image.width() - 342 * factor) <= 1);
        QVERIFY(qAbs(image.height() - 231 * factor) <= 1);
        // Every control keeps its place in 96-dpi pixels, so on the screen it
        // sits at that rectangle times the factor.
        QCOMPARE(user_.box(9)->mapTo(user_.window(), QPoint(0, 0)), QPoint(16, 192));
        const QImage row = user_.box(9)->grab().toImage();
        QVERIFY(qAbs(row.width() - 313 * factor) <= 1);
        QVERIFY(qAbs(row.height() - 21 * factor) <= 1);
    }

    void fontsGrowByTheFactor() {
        const double factor = ExpectedFactor();
        user_.clickBox(1);
        WindowDriver::type(QStringLiteral("8"));
        const QImage box = user_.box(1)->grab().toImage();
        int top = box.height();
        int bottom = -1;
        for (int y = 0; y < box.height(); ++y) {
            for (int x = 3; x < box.width() - 3; ++x) {
                if (qGray(box.pixel(x, y)) < 80) {
                    top = qMin(top, y);
                    bottom = qMax(bottom, y);
                }
            }
        }
        // A bold 19-pixel "8" is about 13 pixels tall at 96 dpi.
        const double height = bottom - top + 1;
        QVERIFY2(qAbs(height / factor - 13) <= 2, qPrintable(QString::number(height)));
    }

    // Desktops set their own font size (KDE 10 pt, GNOME 11 pt); the layout
    // is fixed, so the window must not take it up.
    void looksTheSameWhateverTheDesktopFontSize() {
        const QFont desktopFont = QApplication::font();
        // Put back however the test ends, so later tests see the usual font.
        const auto restore = qScopeGuard([&] { QApplication::setFont(desktopFont); });
        QImage first;
        for (const int points : {9, 11, 14}) {
            QFont font = desktopFont;
            font.setPointSize(points);
            QApplication::setFont(font);
            WindowDriver other;
            other.open();
            const QImage image = other.window()->grab().toImage();
            other.close();
            if (first.isNull()) first = image;
            QVERIFY2(image == first, qPrintable(QStringLiteral("differs at %1 pt").arg(points)));
        }
    }

    // ibus sends a word as preedit updates and then one commit, which the
    // box cuts down to its first character: that character shows whole.
    void aWordFromAnInputMethodLeavesItsFirstCharacterWhole_data() {
        QTest::addColumn<int>("number");
        for (int number = 1; number <= 3; ++number) QTest::addRow("Text%d", number) << number;
    }
    void aWordFromAnInputMethodLeavesItsFirstCharacterWhole() {
        QFETCH(int, number);
        QLineEdit* box = user_.box(number);
        const auto commit = [box](const QString& text) {
            QInputMethodEvent committing;
            committing.setCommitString(text);
            QApplication::sendEvent(box, &committing);
        };
        // The character as a plain commit shows it, the caret elsewhere.
        user_.clickBox(number);
        commit(QStringLiteral("你"));
        user_.clickBox(9);
        const auto [wholeFirst, wholeLast] = InkColumns(box, 0);
        QVERIFY(wholeFirst >= 0);

        user_.clickBox(number);
        WindowDriver::key(Qt::Key_End);
        WindowDriver::key(Qt::Key_Backspace);
        for (const QString& preedit :
             {QStringLiteral("n"), QStringLiteral("ni"), QStringLiteral("ni h"),
              QStringLiteral("ni hao"), QStringLiteral("你好")}) {
            // The caret at the end of the preedit, as ibus puts it.
            QInputMethodEvent composing(
                preedit, {{QInputMethodEvent::Cursor, static_cast<int>(preedit.size()), 1, {}}});
            QApplication::sendEvent(box, &composing);
            box->repaint();  // as the screen shows each step
        }
        commit(QStringLiteral("你好"));
        QCOMPARE(box->text(), QStringLiteral("你"));
        user_.clickBox(9);
        const auto [first, last] = InkColumns(box, 0);
        QVERIFY2(last - first == wholeLast - wholeFirst,
                 qPrintable(QStringLiteral("ink from %1 to %2, not %3 to %4")
                                .arg(first)
                                .arg(last)
                                .arg(wholeFirst)
                                .arg(wholeLast)));
    }

    void rowsAndCaptionsAreWhole() {
        WindowDriver::type(QStringLiteral("888"));
        user_.click(QStringLiteral("Command1"));  // also takes the caret out of the boxes
        for (int number = 1; number <= 9; ++number) verifyTextIsWhole(user_.box(number));
        for (const char* button : {"Command1", "Command2", "Command3"}) {
            verifyTextIsWhole(user_.find<QPushButton>(button));
        }
        for (const char* frame : {"Frame1", "Frame2"}) {
            auto* group = user_.find<QGroupBox>(frame);
            QVERIFY(group->fontMetrics().horizontalAdvance(group->title()) < group->width() / 2);
        }
    }
};

QTEST_MAIN(ScalingTest)
#include "scaling_test.moc"
