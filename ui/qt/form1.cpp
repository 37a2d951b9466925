#include "ui/qt/form1.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <limits>
#include <optional>

#include "ui/form1_layout.h"
#include "ui/qt/command_button.h"
#include "ui/qt/entry_box.h"
#include "ui/qt/program_identity.h"

namespace rongxi::ui {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromUtf16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

// The first of the families that is installed. Asking Qt for a family that
// is not installed makes it resolve the name through fontconfig, which costs
// more than the rest of the window takes to build; the font database Qt has
// loaded anyway answers the same question at no cost.
template <std::size_t N>
std::optional<QString> FirstInstalledFamily(const std::array<std::string_view, N>& wanted) {
    const QStringList installed = QFontDatabase::families();
    for (std::string_view name : wanted) {
        const QString family = FromUtf8(name);
        if (installed.contains(family, Qt::CaseInsensitive)) return family;
    }
    return std::nullopt;
}

QRect ToPixels(const TwipRect& twips) {
    return {twips.left / kTwipsPerPixel, twips.top / kTwipsPerPixel, twips.width / kTwipsPerPixel,
            twips.height / kTwipsPerPixel};
}

QFont BoxFont(int pixelSize) {
    static const QString family =
        FirstInstalledFamily(kBoxFontFamilies).value_or(FromUtf8(kBoxFontFamilies.front()));
    QFont font(family);
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Bold);
    return font;
}

// A face that draws Chinese in Simplified forms whatever the user's locale,
// at a fixed size: the layout is fixed, so captions at the desktop's size
// (10 or 11 pt on most desktops) would not fit their frames and buttons.
// Larger text comes from scaling the whole window.
QFont CaptionFont() {
    QFont font = QApplication::font();
    if (const auto family = FirstInstalledFamily(kCaptionFamilies)) font.setFamily(*family);
    font.setPixelSize(kCaptionFontPixels);
    return font;
}

// The classic style draws a frame's caption on its border line rather than
// above it. It is shared by both frames and lives as long as the application.
QStyle* FrameStyle() {
    static QStyle* style = [] {
        QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"));
        if (classic != nullptr) classic->setParent(QCoreApplication::instance());
        return classic;
    }();
    return style;
}

QWidget* CreateControl(const ControlSpec& spec, QWidget* container) {
    const QString caption = FromUtf8(spec.caption);
    switch (spec.kind) {
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(caption, container);
            if (QStyle* style = FrameStyle()) frame->setStyle(style);
            return frame;
        }
        case ControlKind::Button:
            return new CommandButton(caption, container);
        case ControlKind::EntryBox:
        case ControlKind::ResultBox: {
            const bool entry = spec.kind == ControlKind::EntryBox;
            QLineEdit* box = entry ? new EntryBox(container) : new QLineEdit(container);
            // QLineEdit keeps 32767 characters unless told otherwise; a result
            // box has no limit of its own.
            if (!entry) box->setMaxLength(std::numeric_limits<int>::max());
            box->setFont(BoxFont(entry ? kEntryBoxFontPixels : kResultBoxFontPixels));
            box->setAlignment(Qt::AlignCenter);
            return box;
        }
    }
    return nullptr;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(FromUtf8(kWindowName));
    setWindowTitle(FromUtf8(kWindowCaption));
    setWindowIcon(ProgramIcon());
    setFont(CaptionFont());
    resize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
    createControls();
    routeEvents();
}

void Form1::createControls() {
    QWidget* previousInTabOrder = nullptr;
    for (const ControlSpec& spec : Form1Layout) {
        QWidget* container = spec.container == kWindowName ? this : control(spec.container);
        QWidget* widget = CreateControl(spec, container);
        widget->setObjectName(FromUtf8(spec.name));
        widget->setAccessibleName(FromUtf8(spec.accessibleName));
        widget->setGeometry(ToPixels(spec.twips));
        controls_.emplace(spec.name, widget);
        if (widget->focusPolicy() == Qt::NoFocus) continue;  // frames
        if (previousInTabOrder != nullptr) setTabOrder(previousInTabOrder, widget);
        previousInTabOrder = widget;
    }
}

// Every click and every change goes to the shared handlers, which know the
// five that do something.
void Form1::routeEvents() {
    for (const ControlSpec& spec : Form1Layout) {
        const std::string_view name = spec.name;
        QWidget* widget = control(name);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            connect(button, &QPushButton::clicked, this, [this, name] { handlers_.click(name); });
        } else if (auto* entry = qobject_cast<EntryBox*>(widget)) {
            connect(entry, &EntryBox::entryChanged, this, [this, name] { handlers_.change(name); });
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            connect(box, &QLineEdit::textChanged, this, [this, name] { handlers_.change(name); });
        }
    }
}

std::u16string Form1::text(std::string_view box) const {
    return textBox(box)->text().toStdU16String();
}

void Form1::setText(std::string_view box, std::u16string_view text) {
    textBox(box)->setText(FromUtf16(text));
}

void Form1::setFocus(std::string_view box) { textBox(box)->setFocus(); }

void Form1::endProgram(int status) { QCoreApplication::exit(status); }

void Form1::showFailure(std::u16string_view title, std::u16string_view message) {
    QMessageBox box(QMessageBox::Critical, FromUtf16(title), FromUtf16(message), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("RuntimeErrorBox"));
    box.exec();
}

QWidget* Form1::control(std::string_view name) const { return controls_.at(name); }

QLineEdit* Form1::textBox(std::string_view name) const {
    return qobject_cast<QLineEdit*>(control(name));
}

}  // namespace rongxi::ui
