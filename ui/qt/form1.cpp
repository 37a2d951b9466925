#include "ui/qt/form1.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QSignalBlocker>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <limits>
#include <optional>
#include <stdexcept>

#include "ui/box_colours.h"
#include "ui/form1_layout.h"
#include "ui/qt/command_button.h"
#include "ui/qt/entry_box.h"
#include "ui/qt/program_identity.h"
#include "ui/qt/qt_text.h"

namespace rongxi::ui {
namespace {

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

// Qt lays out in 96-dpi pixels and scales them to the screen itself.
QRect FramePixels(Control id) {
    const PixelRect rect = ControlPixels(id, Origin::Frame);
    return {rect.x, rect.y, rect.width, rect.height};
}

QFont BoxFont(ControlKind kind) {
    static const QString family =
        FirstInstalledFamily(kBoxFontFamilies).value_or(FromUtf8(kBoxFontFamilies.front()));
    QFont font(family);
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(FontPixels(kind));
    font.setWeight(QFont::Bold);
    return font;
}

// Larger text comes from scaling the whole window, not from the desktop's
// font size.
QFont CaptionFont() {
    QFont font = QApplication::font();
    if (const auto family = FirstInstalledFamily(kCaptionFamilies)) font.setFamily(*family);
    font.setPixelSize(FontPixels(ControlKind::Button));
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

QWidget* CreateControl(const ControlSpec& spec, Form1Handlers& handlers, QWidget* container) {
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
            QLineEdit* box = spec.kind == ControlKind::EntryBox
                                 ? new EntryBox(handlers, spec.id, container)
                                 : new QLineEdit(container);
            box->setMaxLength(
                LengthLimitUnits(spec.kind).value_or(std::numeric_limits<int>::max()));
            box->setFont(BoxFont(spec.kind));
            box->setAlignment(Qt::AlignCenter);
            // QLineEdit keeps 2 pixels free inside its frame on either side,
            // which leaves a 25-pixel entry box 17 for a 19-pixel character:
            // a Chinese one would not fit, and QLineEdit would scroll it
            // instead of centring it (after an input method's word, out of
            // sight). The frame's own lines stay clear.
            if (spec.kind == ControlKind::EntryBox) box->setTextMargins(-2, 0, -2, 0);
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
    resize(ClientAreaPixels().width, ClientAreaPixels().height);
    createControls();
    routeEvents();
    colourBoxBorders();
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        colourBoxBorders();
    }
}

// Styles draw a box's frame in a shade of the window's colour, which can all
// but vanish: 2:1 in Fusion's own light palette, less in dark and
// high-contrast ones and with some styles. The boxes draw a plain border in
// a colour that stands out from the window and from the box beside it, and
// the palette's highlight around the box that has the focus where that
// stands out as well.
void Form1::colourBoxBorders() {
    const auto rgb = [this](QPalette::ColorRole role) {
        const QColor colour = palette().color(role);
        return Rgb{colour.red(), colour.green(), colour.blue()};
    };
    const BoxBorders borders =
        BoxBorderColours(rgb(QPalette::Window), rgb(QPalette::Base), rgb(QPalette::WindowText),
                         rgb(QPalette::Highlight));
    const auto name = [](Rgb colour) {
        return QColor(colour.red, colour.green, colour.blue).name();
    };
    const QString sheet = QStringLiteral(
                              "QLineEdit { border: 1px solid %1; } "
                              "QLineEdit:focus { border-color: %2; }")
                              .arg(name(borders.normal), name(borders.focused));
    for (const ControlSpec& spec : Form1Layout) {
        if (IsTextBox(spec.id) && control(spec.id)->styleSheet() != sheet) {
            control(spec.id)->setStyleSheet(sheet);
        }
    }
}

void Form1::createControls() {
    QWidget* previousInTabOrder = nullptr;
    for (const ControlSpec& spec : Form1Layout) {
        QWidget* container = spec.frame ? control(*spec.frame) : this;
        QWidget* widget = CreateControl(spec, handlers_, container);
        widget->setObjectName(FromUtf8(spec.name));
        widget->setAccessibleName(FromUtf8(spec.accessibleName));
        widget->setGeometry(FramePixels(spec.id));
        controls_.at(IndexOf(spec.id)) = widget;
        if (widget->focusPolicy() == Qt::NoFocus) continue;  // frames
        if (previousInTabOrder != nullptr) setTabOrder(previousInTabOrder, widget);
        previousInTabOrder = widget;
    }
}

// Every click and every change of a box's text goes to the shared handlers,
// which know the five that do something and keep the entry boxes' rule.
void Form1::routeEvents() {
    for (const ControlSpec& spec : Form1Layout) {
        const Control id = spec.id;
        QWidget* widget = control(id);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            connect(button, &QPushButton::clicked, this, [this, id] { handlers_.click(id); });
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            connect(box, &QLineEdit::textChanged, this, [this, id, box](const QString& shown) {
                handlers_.runGuarded(
                    [&] { correct(box, handlers_.textChanged(id, shown.toStdU16String())); });
            });
        }
    }
}

void Form1::correct(QLineEdit* box, const BoxCorrection& correction) {
    switch (correction.action) {
        case BoxCorrection::Action::None:
            break;
        case BoxCorrection::Action::Restore: {
            const QSignalBlocker mute(box);
            box->setText(FromUtf16(correction.text));
            break;
        }
        case BoxCorrection::Action::Replace:
            box->setText(FromUtf16(correction.text));
            break;
    }
}

std::u16string Form1::text(Control box) const { return textBox(box)->text().toStdU16String(); }

void Form1::setText(Control box, std::u16string_view text) {
    textBox(box)->setText(FromUtf16(text));
}

void Form1::setFocus(Control box) { textBox(box)->setFocus(); }

void Form1::endProgram(int status) { QCoreApplication::exit(status); }

void Form1::showFailure(std::u16string_view title, std::u16string_view message) {
    QMessageBox box(QMessageBox::Critical, FromUtf16(title), FromUtf16(message), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("RuntimeErrorBox"));
    box.exec();
}

// Only the text boxes are QLineEdits; the handlers ask for no other control.
QLineEdit* Form1::textBox(Control id) const {
    auto* box = qobject_cast<QLineEdit*>(control(id));
    if (box == nullptr) throw std::invalid_argument("not a text box");
    return box;
}

}  // namespace rongxi::ui
