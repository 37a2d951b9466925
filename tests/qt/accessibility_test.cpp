// What a screen reader learns about the window: names, roles, groups, and the
// order in which the focus walks the controls.
#include <QAccessible>
#include <QApplication>
#include <QtTest>

#include "core/unicode_text.h"
#include "data/expected_layout.h"
#include "window_driver.h"

class AccessibilityTest : public QObject {
    Q_OBJECT

    WindowDriver user_;

    // What a screen reader asks the window: which control has the focus,
    // and what is it called?
    [[nodiscard]] QString focusedControlName() const {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(user_.window());
        QAccessibleInterface* focused = window->focusChild();
        if (focused == nullptr || !focused->state().focused) return {};
        return focused->text(QAccessible::Name);
    }

private slots:
    void init() { user_.open(); }
    void cleanup() { user_.close(); }

    void everyControlHasAChineseNameAndItsRole_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("group");
        using rongxi::test::Kind;
        for (const auto& c : rongxi::test::kExpectedLayout) {
            const QAccessible::Role role = c.kind == Kind::Frame    ? QAccessible::Grouping
                                           : c.kind == Kind::Button ? QAccessible::Button
                                                                    : QAccessible::EditableText;
            // The names the layout table gives; a control in a frame is
            // announced within the frame's group.
            const auto nameOf = [](std::string_view designName) {
                const auto control = rongxi::core::ControlByDesignName(designName);
                return control
                           ? WindowDriver::fromUtf8(rongxi::core::SpecOf(*control).accessibleName)
                           : QString();
            };
            QTest::newRow(c.name.data()) << WindowDriver::fromUtf8(c.name) << nameOf(c.name)
                                         << int(role) << nameOf(c.container);
        }
    }
    void everyControlHasAChineseNameAndItsRole() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QString, group);
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(user_.find(control));
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->text(QAccessible::Name), name);
        QCOMPARE(int(accessible->role()), role);
        if (!group.isEmpty()) QCOMPARE(accessible->parent()->text(QAccessible::Name), group);
    }

    void focusWalksTheTabOrder() {
        QStringList walked{focusedControlName()};
        for (int step = 0; step < 12; ++step) {
            WindowDriver::key(Qt::Key_Tab);
            walked << focusedControlName();
        }
        QCOMPARE(walked, (QStringList{"开奖号第一位", "开奖号第二位", "开奖号第三位", "杀垃圾",
                                      "清除数据", "退出", "杀垃圾复试第1行", "杀垃圾复试第2行",
                                      "杀垃圾复试第3行", "杀垃圾复试第4行", "杀垃圾复试第5行",
                                      "杀垃圾复试第6行", "开奖号第一位"}));
    }

    // On-screen keyboards and voice input edit a box through its
    // accessibility interface, as a screen reader calls it over AT-SPI.
    void assistiveEditsKeepOneWholeCharacter_data() {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("expected");
        const QString smile = QString::fromUcs4(U"\U0001F600");
        QTest::newRow("insertText into a full box") << "1"
                                                    << "insert 99"
                                                    << "1";
        QTest::newRow("insertText into an empty box") << ""
                                                      << "insert 99"
                                                      << "9";
        // The first character of what arrives takes the selection's place,
        // as when "56" is pasted over the selected character.
        QTest::newRow("replaceText of the whole text") << "1"
                                                       << "replace 56"
                                                       << "5";
        QTest::newRow("deleteText of half a wide character") << smile << "delete"
                                                             << "";
        QTest::newRow("setText of the value") << "1"
                                              << "value 99"
                                              << "1";
    }
    void assistiveEditsKeepOneWholeCharacter() {
        QFETCH(QString, held);
        QFETCH(QString, edit);
        QFETCH(QString, expected);
        QLineEdit* box = user_.box(1);
        if (!held.isEmpty()) WindowDriver::typeCharacter(held);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
        QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
        QVERIFY(editable != nullptr);
        const QString argument = edit.section(' ', 1);
        if (edit.startsWith("insert")) editable->insertText(0, argument);
        if (edit.startsWith("replace")) editable->replaceText(0, int(held.size()), argument);
        if (edit == "delete") editable->deleteText(0, 1);
        if (edit.startsWith("value")) accessible->setText(QAccessible::Value, argument);
        QCOMPARE(box->text(), expected);
        // The box stays a box of one character for whatever comes next.
        user_.clickBox(1);
        WindowDriver::type(QStringLiteral("4"));
        QCOMPARE(rongxi::core::CharacterCount(box->text().toStdU16String()), std::size_t{1});
    }

    void typingADrawMovesTheFocusBoxByBox() {
        QStringList walked{focusedControlName()};
        for (QChar digit : QStringLiteral("12")) {
            WindowDriver::type(digit);
            walked << focusedControlName();
        }
        QCOMPARE(walked, (QStringList{"开奖号第一位", "开奖号第二位", "开奖号第三位"}));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
