// The window as a user meets it: real key and mouse events on Qt's offscreen
// platform, widgets found by their object names.
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <stdexcept>

#include "data/draw_scenarios.h"
#include "data/expected_layout.h"
#include "qt/program_identity.h"
#include "window_driver.h"

namespace {

// A window whose Text5 cannot be written.
class WindowWithABrokenBox : public rongxi::qt::MainWindow {
public:
    void setText(rongxi::core::Control box, std::u16string_view text) override {
        if (box == rongxi::core::Control::KillRow2) throw std::runtime_error("磁盘已满");
        MainWindow::setText(box, text);
    }
};

// Dropped data that offers text and cannot be read.
class UnreadableData : public QMimeData {
public:
    [[nodiscard]] QStringList formats() const override { return {QStringLiteral("text/plain")}; }

protected:
    [[nodiscard]] QVariant retrieveData(const QString& /*format*/,
                                        QMetaType /*type*/) const override {
        throw std::runtime_error("磁盘已满");
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    WindowDriver user_;

    [[nodiscard]] QStringList resultRows() const { return user_.texts(4, 9); }

private slots:
    void init() { user_.open(); }
    void cleanup() { user_.close(); }

    void opensWithEmptyBoxesAndTheCaretInTheFirstEntry() {
        for (int number = 1; number <= 9; ++number) QVERIFY(user_.box(number)->text().isEmpty());
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text1"));
    }

    void windowHasItsCaptionAndClientSize() {
        QCOMPARE(user_.window()->objectName(), QStringLiteral("Form1"));
        QCOMPARE(user_.window()->windowTitle(), QStringLiteral("榕汐 "));
        QCOMPARE(user_.window()->size(),
                 QSize(rongxi::test::kClientWidth, rongxi::test::kClientHeight));
        QVERIFY(user_.window()->isWindow());
        QVERIFY(!user_.window()->inherits("QDialog"));
    }

    void programCarriesItsVersionAndIcon() {
        rongxi::qt::ApplyProgramIdentity();
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.00"));
        QList<QSize> sizes = user_.window()->windowIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
        QCOMPARE(user_.window()->windowTitle(), QStringLiteral("榕汐 "));  // nothing appended to it
    }

    void controlSitsAtItsPixelRectangle_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("clientRect");
        for (const auto& c : rongxi::test::kExpectedLayout) {
            const char* kind = c.kind == rongxi::test::Kind::Frame    ? "QGroupBox"
                               : c.kind == rongxi::test::Kind::Button ? "QPushButton"
                                                                      : "QLineEdit";
            QTest::newRow(c.name.data())
                << WindowDriver::fromUtf8(c.name) << kind << WindowDriver::fromUtf8(c.container)
                << WindowDriver::fromUtf8(c.caption) << QRect(c.x, c.y, c.width, c.height);
        }
    }
    void controlSitsAtItsPixelRectangle() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, clientRect);
        QWidget* widget = user_.find(name);
        QVERIFY2(widget->inherits(qPrintable(kind)), widget->metaObject()->className());
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(QRect(widget->mapTo(user_.window(), QPoint(0, 0)), widget->size()), clientRect);
        if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            QCOMPARE(frame->title(), caption);
            QCOMPARE(frame->focusPolicy(), Qt::NoFocus);
        }
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), caption);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        if (auto* textBox = qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(textBox->alignment(), Qt::AlignCenter);
            QVERIFY(!textBox->isReadOnly());
        }
    }

    void boxesUseABoldChineseSerifFont_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("pixelSize");
        for (int number = 1; number <= 9; ++number) {
            QTest::addRow("Text%d", number) << number << (number <= 3 ? 19 : 14);
        }
    }
    void boxesUseABoldChineseSerifFont() {
        QFETCH(int, number);
        QFETCH(int, pixelSize);
        const QFontInfo info(user_.box(number)->font());
        QCOMPARE(info.pixelSize(), pixelSize);
        QVERIFY(info.bold());
        // A Chinese face, and not an interface (sans) one.
        QVERIFY2(
            QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::SimplifiedChinese),
            qPrintable(info.family()));
        QVERIFY2(!info.family().contains(QStringLiteral("Sans")) &&
                     !info.family().contains(QStringLiteral("Hei")),
                 qPrintable(info.family()));
    }

    void rowFitsItsResultBox() {
        QLineEdit* result = user_.box(4);
        const int rowWidth =
            result->fontMetrics().horizontalAdvance(QStringLiteral("8888888*8888888*8888888"));
        QVERIFY2(rowWidth < result->width() - 8, qPrintable(QString::number(rowWidth)));
    }

    void tabWalksTheCycleBothWays() {
        QStringList cycle;
        for (std::string_view name : rongxi::test::kTabCycle) cycle << WindowDriver::fromUtf8(name);
        cycle << cycle.first();
        QStringList forward{WindowDriver::focusName()};
        for (int step = 1; step < cycle.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            forward << WindowDriver::focusName();
        }
        QCOMPARE(forward, cycle);
        QStringList backward{WindowDriver::focusName()};
        for (int step = 1; step < cycle.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward << WindowDriver::focusName();
        }
        std::reverse(backward.begin(), backward.end());
        QCOMPARE(backward, cycle);
    }

    void resultBoxHasNoLengthLimit() {
        const QString longText(40000, QLatin1Char('8'));  // past QLineEdit's usual 32767
        QGuiApplication::clipboard()->setText(longText);
        QTest::mouseClick(user_.box(9), Qt::LeftButton);
        QTest::keySequence(user_.box(9), QKeySequence::Paste);
        QCOMPARE(user_.box(9)->text(), longText);
    }

    // The rows of each draw are the core's to test; here, that the button
    // reads the boxes and writes the rows.
    void computeWritesTheSixRows() {
        const auto& draw = rongxi::test::kDrawScenarios.front();
        QStringList entries;
        QStringList rows;
        for (std::string_view entry : draw.entries) entries << WindowDriver::fromUtf8(entry);
        for (std::string_view row : draw.rows) rows << WindowDriver::fromUtf8(row);
        for (int i = 0; i < 3; ++i) user_.typeInto(i + 1, entries[i]);
        user_.click(QStringLiteral("Command1"));
        QCOMPARE(resultRows(), rows);
        for (int i = 0; i < 3; ++i) QCOMPARE(user_.box(i + 1)->text(), entries[i]);
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Command1"));
        user_.click(QStringLiteral("Command1"));
        QCOMPARE(resultRows(), rows);
    }

    void computeReplacesOldResultTextWhole() {
        user_.typeInto(4, QStringLiteral("old text that is much longer than a kill row ever is"));
        user_.typeInto(9, QStringLiteral("x"));
        user_.click(QStringLiteral("Command1"));
        QCOMPARE(user_.box(4)->text(), QStringLiteral("0123489*0123489*0123489"));
        QCOMPARE(user_.box(9)->text(), QStringLiteral("2356789*2356789*2356789"));
    }

    void enterAndEscapeInABoxPressNoButton_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void enterAndEscapeInABoxPressNoButton() {
        QFETCH(int, key);
        user_.typeInto(1, QStringLiteral("1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTest::keyClick(user_.box(5), Qt::Key(key));
        QVERIFY(user_.box(1)->isVisible());
        QCOMPARE(user_.box(1)->text(), QStringLiteral("1"));
        QCOMPARE(resultRows(), QStringList(6, QString()));
    }

    // As on the desktop the program comes from: Enter presses the focused
    // button, as Space does.
    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void enterPressesTheFocusedButton() {
        QFETCH(int, key);
        WindowDriver::type(QStringLiteral("123"));
        WindowDriver::key(Qt::Key_Tab);
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Command1"));
        WindowDriver::key(Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(resultRows().first(), QStringLiteral("1234590*2345601*3456712"));
        WindowDriver::key(Qt::Key_Tab);
        WindowDriver::key(Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(user_.texts(1, 9), QStringList(9, QString()));
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Command2"));
    }

    // Qt's own texts are Chinese too, whatever the locale (the tests run in C).
    void contextMenuIsChinese() {
        // Through the window, where the platform's mouse events arrive.
        const QPoint inBox = user_.box(1)->mapTo(user_.window(), user_.box(1)->rect().center());
        QTest::mouseClick(user_.window()->windowHandle(), Qt::RightButton, {}, inBox);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QStringList texts;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) texts << action->text().section('\t', 0, 0);
        }
        menu->close();
        QCOMPARE(texts, (QStringList{"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)",
                                     "删除", "全选"}));
    }

    void resizingMovesNoControl() {
        const QRect before = user_.box(9)->geometry();
        user_.window()->resize(900, 700);
        QCOMPARE(user_.box(9)->geometry(), before);
        user_.window()->resize(120, 80);
        QCOMPARE(user_.box(9)->geometry(), before);
        QCOMPARE(user_.find("Frame2")->geometry(), QRect(8, 56, 329, 169));
    }

    void closingTheWindowEndsWithStatusZero() {
        user_.typeInto(1, QStringLiteral("1"));
        QTimer::singleShot(0, user_.window(), [this] { user_.window()->windowHandle()->close(); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!user_.window()->isVisible());
    }

    // A failure, wherever the window's own code meets it, is reported under
    // the caption and ends the program with status 1.
    void failureIsReportedAndEndsWithStatusOne_data() {
        QTest::addColumn<bool>("inAnEntryBox");
        QTest::newRow("in the compute command") << false;
        QTest::newRow("in an entry box's drop handling") << true;
    }
    void failureIsReportedAndEndsWithStatusOne() {
        QFETCH(bool, inAnEntryBox);
        if (!inAnEntryBox) {
            user_.close();
            user_.open<WindowWithABrokenBox>();
        }
        QString title;
        QString text;
        QString button;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                button = box->button(QMessageBox::Ok)->text();
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            }
        });
        poll.start(20);
        UnreadableData data;
        QTimer::singleShot(0, user_.window(), [&] {
            if (!inAnEntryBox) {
                user_.click(QStringLiteral("Command1"));
                return;
            }
            const QPoint centre = user_.box(1)->rect().center();
            QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(user_.box(1), &enter);
            QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(user_.box(1), &drop);
        });
        QCOMPARE(QApplication::exec(), 1);
        QCOMPARE(title, QStringLiteral("榕汐 "));
        QCOMPARE(text, QStringLiteral("运行时错误：磁盘已满"));
        QCOMPARE(button, QStringLiteral("确定"));
        if (!inAnEntryBox) {  // written before the failure
            QCOMPARE(user_.box(4)->text(), QStringLiteral("0123489*0123489*0123489"));
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
