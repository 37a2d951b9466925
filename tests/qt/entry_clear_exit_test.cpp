// Typing a draw, clearing the boxes and leaving the program, with real key,
// mouse and input-method events.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTimer>
#include <QtTest>

#include "window_driver.h"

namespace {

const QString kSmile = QString::fromUcs4(U"\U0001F600");  // two UTF-16 units, one character

bool HasLoneSurrogate(const QString& text) { return !text.isValidUtf16(); }

}  // namespace

class EntryClearExitTest : public QObject {
    Q_OBJECT

    WindowDriver user_;

    // Puts a character into Text1 and the caret back after it, as a user
    // who clicks into a box they filled before.
    void fillFirstBox(const QString& character) {
        WindowDriver::typeCharacter(character);
        user_.clickBox(1);
        WindowDriver::key(Qt::Key_End);
    }
    void paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
    }

private slots:
    void init() { user_.open(); }
    void cleanup() { user_.close(); }

    void typingADrawFillsOneBoxPerCharacter() {
        WindowDriver::type(QStringLiteral("123"));
        QCOMPARE(user_.texts(1, 3), (QStringList{"1", "2", "3"}));
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text3"));
        WindowDriver::type(QStringLiteral("4"));  // Text3 is full and keeps the caret
        QCOMPARE(user_.texts(1, 3), (QStringList{"1", "2", "3"}));
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text3"));
    }

    void editsOfAFilledBox_data() {
        QTest::addColumn<QString>("held");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("typed");  // "\b" is Backspace
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<QString>("expectedFocus");
        const struct {
            const char* name;
            QString held;
            bool selectAll;
            QString typed;
            QString expectedText;
            const char* expectedFocus;
        } rows[] = {
            {"deleting keeps the caret", "1", false, "\b", "", "Text1"},
            {"a second character is refused", "1", false, "2", "1", "Text1"},
            {"a wide second character is refused", "1", false, kSmile, "1", "Text1"},
            {"a second character after a wide one is refused", kSmile, false, "2", kSmile, "Text1"},
            {"replacing the selection moves on", "1", true, "5", "5", "Text2"},
            {"replacing it by itself moves on", "1", true, "1", "1", "Text2"},
            {"replacing it by a wide one moves on", "1", true, kSmile, kSmile, "Text2"},
            {"deleting a wide character removes it whole", kSmile, false, "\b", "", "Text1"},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name) << row.held << row.selectAll << row.typed << row.expectedText
                                    << QString::fromLatin1(row.expectedFocus);
        }
    }
    void editsOfAFilledBox() {
        QFETCH(QString, held);
        QFETCH(bool, selectAll);
        QFETCH(QString, typed);
        QFETCH(QString, expectedText);
        QFETCH(QString, expectedFocus);
        fillFirstBox(held);
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text1"));
        if (selectAll) WindowDriver::key(Qt::Key_A, Qt::ControlModifier);
        if (typed == "\b") {
            WindowDriver::key(Qt::Key_Backspace);
        } else {
            WindowDriver::typeCharacter(typed);
        }
        QCOMPARE(user_.box(1)->text(), expectedText);
        QCOMPARE(WindowDriver::focusName(), expectedFocus);
    }

    void pastingKeepsTheFirstWholeCharacter_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expectedText");
        QTest::newRow("digits") << "123"
                                << "1";
        QTest::newRow("wide character first") << kSmile + "2" << kSmile;
        QTest::newRow("wide character second") << "1" + kSmile << "1";
        QTest::newRow("line break") << "9\n8"
                                    << "9";
    }
    void pastingKeepsTheFirstWholeCharacter() {
        QFETCH(QString, clipboard);
        QFETCH(QString, expectedText);
        paste(clipboard);
        QCOMPARE(user_.box(1)->text(), expectedText);
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text2"));
    }

    // A paste or drop the box cuts down is still one ordinary step to undo.
    void cutDownInsertionsUndoInOneStep_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Ctrl+V") << "paste";
        QTest::newRow("Shift+Insert") << "insert";
        QTest::newRow("drop") << "drop";
    }
    void cutDownInsertionsUndoInOneStep() {
        QFETCH(QString, how);
        user_.clickBox(3);
        QLineEdit* box = user_.box(3);
        if (how == "drop") {
            QMimeData data;
            data.setText(QStringLiteral("12"));
            const QPoint centre = box->rect().center();
            QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
            QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &drop);
            QCOMPARE(box->text(), QStringLiteral("1"));
            QApplication::sendEvent(box, &drop);  // onto a full box: refused
            QCOMPARE(box->text(), QStringLiteral("1"));
        } else {
            QGuiApplication::clipboard()->setText(QStringLiteral("89"));
            if (how == "paste") WindowDriver::key(Qt::Key_V, Qt::ControlModifier);
            if (how == "insert") WindowDriver::key(Qt::Key_Insert, Qt::ShiftModifier);
            QCOMPARE(box->text(), QStringLiteral("8"));
        }
        const QString taken = box->text();
        WindowDriver::key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), QString());
        WindowDriver::key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(box->text(), taken);
    }

    void loneSurrogatesNeverReachABox() {
        const QString halves = QString(QChar(0xD83D)) + QChar(0xDC00) + QChar(0xDE00) + "4";
        paste(QString(QChar(0xDE00)) + "4");
        paste(halves);
        QInputMethodEvent commit;
        commit.setCommitString(QString(QChar(0xD83D)));
        QApplication::sendEvent(QApplication::focusWidget(), &commit);
        for (int number = 1; number <= 3; ++number) {
            QVERIFY2(!HasLoneSurrogate(user_.box(number)->text()),
                     qPrintable(WindowDriver::focusName()));
        }
    }

    void inputMethodTextActsAsTyped() {
        QInputMethodEvent preedit(QStringLiteral("yi"), {});
        QApplication::sendEvent(user_.box(1), &preedit);
        QCOMPARE(user_.box(1)->text(), QString());
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text1"));

        QInputMethodEvent commit;
        commit.setCommitString(kSmile);
        QApplication::sendEvent(user_.box(1), &commit);
        QCOMPARE(user_.box(1)->text(), kSmile);
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text2"));

        QInputMethodEvent fullWidth;
        fullWidth.setCommitString(QStringLiteral("３"));
        QApplication::sendEvent(user_.box(2), &fullWidth);
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text3"));
        QApplication::sendEvent(user_.box(2), &commit);  // full: refused
        QCOMPARE(user_.box(2)->text(), QStringLiteral("３"));

        // A commit that replaces the character before the caret
        // (reconversion, some keyboards) leaves the new one, in one step.
        QInputMethodEvent replacing;
        replacing.setCommitString(QStringLiteral("5"), -1, 1);
        QApplication::sendEvent(user_.box(2), &replacing);
        QCOMPARE(user_.box(2)->text(), QStringLiteral("5"));
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text3"));
        QTest::keyClick(user_.box(2), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(user_.box(2)->text(), QStringLiteral("３"));
    }

    void fullWidthDigitsFromAnInputMethodComputeAsDigits() {
        QInputMethodEvent preedit(QStringLiteral("１"), {});  // still being composed
        QApplication::sendEvent(QApplication::focusWidget(), &preedit);
        user_.click(QStringLiteral("Command1"));
        QCOMPARE(user_.box(4)->text(), QStringLiteral("0123489*0123489*0123489"));

        user_.clickBox(1);
        for (const QString& digit :
             {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３")}) {
            QInputMethodEvent commit;
            commit.setCommitString(digit);
            QApplication::sendEvent(QApplication::focusWidget(), &commit);
        }
        QCOMPARE(user_.texts(1, 3), (QStringList{"１", "２", "３"}));
        user_.click(QStringLiteral("Command1"));
        QCOMPARE(user_.box(4)->text(), QStringLiteral("1234590*2345601*3456712"));
        QCOMPARE(user_.box(9)->text(), QStringLiteral("3467890*4578901*5689012"));
    }

    void caretMovesIntoAFilledBoxWithoutSelectingIt() {
        user_.clickBox(2);
        WindowDriver::type(QStringLiteral("7"));
        user_.clickBox(1);
        WindowDriver::type(QStringLiteral("1"));
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Text2"));
        QCOMPARE(user_.box(2)->text(), QStringLiteral("7"));
        QVERIFY(!user_.box(2)->hasSelectedText());
    }

    // The clear's order and its nested advances are the core's to test; here,
    // that the button empties the window's nine boxes and keeps the focus.
    void clearEmptiesAllNineAndKeepsTheFocus() {
        WindowDriver::type(QStringLiteral("123"));
        user_.click(QStringLiteral("Command1"));
        user_.click(QStringLiteral("Command2"));
        QCOMPARE(user_.texts(1, 9), QStringList(9, QString()));
        QCOMPARE(WindowDriver::focusName(), QStringLiteral("Command2"));
    }

    void exitEndsTheProgramWithStatusZero() {
        WindowDriver::type(QStringLiteral("12"));
        QTimer::singleShot(0, user_.window(), [this] { user_.click(QStringLiteral("Command3")); });
        QCOMPARE(QApplication::exec(), 0);
    }
};

QTEST_MAIN(EntryClearExitTest)
#include "entry_clear_exit_test.moc"
