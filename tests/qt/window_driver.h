// Drives the main window the way a user does: finds controls by object name, clicks
// with the mouse, types into whatever has the keyboard focus.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <string_view>

#include "qt/main_window.h"
#include "qt/program_identity.h"

class WindowDriver {
public:
    // The window as the program sets it up: its identity and Qt's Chinese
    // texts, whatever the test's locale.
    template <typename Window = rongxi::qt::MainWindow>
    void open() {
        static const bool translated = [] {
            rongxi::qt::ApplyProgramIdentity();
            return rongxi::qt::LoadQtChineseTranslation();
        }();
        QVERIFY2(translated, "Qt's Simplified Chinese translation is not installed");
        window_ = std::make_unique<Window>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void close() { window_.reset(); }

    [[nodiscard]] rongxi::qt::MainWindow* window() const { return window_.get(); }

    template <typename Widget = QWidget>
    [[nodiscard]] Widget* find(const QString& name) const {
        auto* widget = window_->findChild<Widget*>(name);
        if (widget == nullptr) qFatal("no control %s", qPrintable(name));
        return widget;
    }
    [[nodiscard]] QLineEdit* box(int number) const {
        return find<QLineEdit>(QStringLiteral("Text%1").arg(number));
    }
    // The shared test tables are UTF-8.
    [[nodiscard]] static QString fromUtf8(std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    [[nodiscard]] static QString focusName() {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QString();
    }

    // Each key goes to the control that has the focus when it is pressed.
    static void type(const QString& text) {
        for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // One key press that produces text, as a keyboard layout or compose key
    // delivers a character outside the Basic Multilingual Plane.
    static void typeCharacter(const QString& character) {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, character,
                            Qt::NoModifier);
    }
    void clickBox(int number) const { QTest::mouseClick(box(number), Qt::LeftButton); }
    void typeInto(int number, const QString& text) const {
        clickBox(number);
        for (char32_t character : text.toUcs4()) {
            QTest::sendKeyEvent(QTest::Click, box(number), Qt::Key_unknown,
                                QString::fromUcs4(&character, 1), Qt::NoModifier);
        }
    }
    void click(const QString& button) const {
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    }
    [[nodiscard]] QStringList texts(int first, int last) const {
        QStringList texts;
        for (int number = first; number <= last; ++number) texts << box(number)->text();
        return texts;
    }

private:
    std::unique_ptr<rongxi::qt::MainWindow> window_;
};
