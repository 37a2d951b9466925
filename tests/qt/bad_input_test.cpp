// Input nobody should give, given through the window: huge pastes, line
// breaks and control characters, typing that arrives while a clear runs. The
// window keeps working and its rows stay right.
#include <QApplication>
#include <QClipboard>
#include <QtTest>

#include <array>
#include <string>

#include "core/unicode_text.h"
#include "data/draw_scenarios.h"
#include "window_driver.h"

class BadInputTest : public QObject {
    Q_OBJECT

    WindowDriver user_;

    void pasteInto(int number, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        user_.clickBox(number);
        QTest::keySequence(user_.box(number), QKeySequence::Paste);
    }
    // The six rows the boxes should show for what the entry boxes hold now.
    [[nodiscard]] QStringList expectedRows() const {
        const std::array<std::u16string, 3> entries{user_.box(1)->text().toStdU16String(),
                                                    user_.box(2)->text().toStdU16String(),
                                                    user_.box(3)->text().toStdU16String()};
        QStringList texts;
        for (const std::string& row :
             rongxi::test::ExpectedRows({entries[0], entries[1], entries[2]})) {
            texts << QString::fromStdString(row);
        }
        return texts;
    }

private slots:
    void init() { user_.open(); }
    void cleanup() { user_.close(); }

    void megabytePastedIntoAResultBoxIsReplacedWhole() {
        const QString megabyte(1 << 20, QLatin1Char('9'));
        pasteInto(4, megabyte);
        QCOMPARE(user_.box(4)->text().size(), megabyte.size());
        pasteInto(1, megabyte);
        QCOMPARE(user_.box(1)->text(), QStringLiteral("9"));
        user_.click(QStringLiteral("Command1"));
        QCOMPARE(user_.box(4)->text(), QStringLiteral("9012378*0123489*0123489"));
    }

    void pastedBreaksAndControlCharactersLeaveOneCharacter_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("line feed first") << "\n5";
        QTest::newRow("carriage return and line feed") << "\r\n7";
        QTest::newRow("tab") << "\t3";
        QTest::newRow("bell and escape") << QString(QChar(7)) + QChar(27) + "1";
        QTest::newRow("nul") << QString(QChar(0)) + "4";
        QTest::newRow("lines") << "1\n2\n3";
        QTest::newRow("only a line feed") << "\n";
        QTest::newRow("replacement and private use")
            << QString(QChar(0xFFFD)) + QChar(0xE000) + QChar(0xFFFF);
    }
    void pastedBreaksAndControlCharactersLeaveOneCharacter() {
        QFETCH(QString, clipboard);
        for (int number = 1; number <= 3; ++number) {
            pasteInto(number, clipboard);
            QVERIFY(rongxi::core::CharacterCount(user_.box(number)->text().toStdU16String()) <= 1);
            QVERIFY(user_.box(number)->text().isValidUtf16());
        }
        user_.click(QStringLiteral("Command1"));
        QCOMPARE(user_.texts(4, 9), expectedRows());
    }

    void typingDuringAClearLandsAfterIt() {
        WindowDriver::type(QStringLiteral("123"));
        user_.click(QStringLiteral("Command1"));
        // A key that arrives while the clear is between Text4 and Text5.
        bool typed = false;
        connect(user_.box(5), &QLineEdit::textChanged, this, [this, &typed] {
            if (typed) return;
            typed = true;
            QTest::keyClick(user_.box(1), '7');
        });
        user_.click(QStringLiteral("Command2"));
        QVERIFY(typed);
        QCOMPARE(user_.texts(1, 9), (QStringList{"7", "", "", "", "", "", "", "", ""}));
        user_.click(QStringLiteral("Command1"));
        QCOMPARE(user_.texts(4, 9), expectedRows());
        QCOMPARE(user_.box(4)->text(), QStringLiteral("7890156*0123489*0123489"));
    }
};

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
