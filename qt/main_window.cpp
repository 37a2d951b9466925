#include "qt/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <limits>
#include <optional>
#include <stdexcept>

#include "core/box_colours.h"
#include "core/window_layout.h"
#include "qt/accessible_text_box.h"
#include "qt/announcer.h"
#include "qt/entry_box.h"
#include "qt/program_identity.h"
#include "qt/push_button.h"
#include "qt/qt_text.h"

namespace rongxi::qt {

using namespace rongxi::core;

namespace {

// Whether a family is installed. Asking Qt for a family that is not makes
// it resolve the name through fontconfig, which costs more than the rest of
// the window takes to build; the font database Qt has loaded anyway answers
// the same question at no cost.
bool IsInstalled(std::string_view family) {
    static const QStringList installed = QFontDatabase::families();
    return installed.contains(FromUtf8(family), Qt::CaseInsensitive);
}

// Qt lays out in 96-dpi pixels and scales them to the screen itself.
QRect FramePixels(Control id) {
    const PixelRect rect = ControlPixels(id, Origin::Frame);
    return {rect.x, rect.y, rect.width, rect.height};
}

QFont BoxFont(ControlKind kind) {
    QFont font(FromUtf8(BoxFontFamily(&IsInstalled)));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(FontPixels(kind));
    font.setWeight(QFont::Bold);
    return font;
}

// Larger text comes from scaling the whole window, not from the desktop's
// font size.
QFont CaptionFont() {
    QFont font = QApplication::font();
    if (const auto family = CaptionFontFamily(&IsInstalled)) font.setFamily(FromUtf8(*family));
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

QWidget* CreateControl(const ControlSpec& spec, WindowBehaviour& behaviour, QWidget* container) {
    const QString caption = FromUtf8(spec.caption);
    switch (spec.kind) {
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(caption, container);
            if (QStyle* style = FrameStyle()) frame->setStyle(style);
            return frame;
        }
        case ControlKind::Button:
            return new PushButton(behaviour, spec.id, caption, container);
        case ControlKind::EntryBox:
        case ControlKind::ResultBox: {
            QLineEdit* box = spec.kind == ControlKind::EntryBox
                                 ? new EntryBox(behaviour, spec.id, container)
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

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(FromUtf8(kWindowDesignName));
    setWindowTitle(FromUtf8(kWindowCaption));
    setWindowIcon(ProgramIcon());
    setFont(CaptionFont());
    resize(ClientAreaPixels().width, ClientAreaPixels().height);
    InstallAccessibleTextBoxes();
    createControls();
    announcer_ = new Announcer(this);
    routeEvents();
    colourBoxBorders();
}

void MainWindow::changeEvent(QEvent* event) {
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
void MainWindow::colourBoxBorders() {
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
    for (const ControlSpec& spec : kWindowLayout) {
        if (IsTextBox(spec.id) && control(spec.id)->styleSheet() != sheet) {
            control(spec.id)->setStyleSheet(sheet);
        }
    }
}

void MainWindow::createControls() {
    QWidget* previousInTabOrder = nullptr;
    for (const ControlSpec& spec : kWindowLayout) {
        QWidget* container = spec.frame ? control(*spec.frame) : this;
        QWidget* widget = CreateControl(spec, behaviour_, container);
        widget->setObjectName(FromUtf8(spec.designName));
        widget->setAccessibleName(FromUtf8(spec.accessibleName));
        widget->setGeometry(FramePixels(spec.id));
        controls_.at(IndexOf(spec.id)) = widget;
        if (widget->focusPolicy() == Qt::NoFocus) continue;  // frames
        if (previousInTabOrder != nullptr) setTabOrder(previousInTabOrder, widget);
        previousInTabOrder = widget;
    }
}

// Every click and every change of a box's text goes to the window
// behaviour, which knows the five that do something and keeps the entry
// boxes' rule.
void MainWindow::routeEvents() {
    for (const ControlSpec& spec : kWindowLayout) {
        const Control id = spec.id;
        QWidget* widget = control(id);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            connect(button, &QPushButton::clicked, this, [this, id] { behaviour_.click(id); });
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            connect(box, &QLineEdit::textChanged, this, [this, id] { behaviour_.textChanged(id); });
        }
    }
}

std::u16string MainWindow::text(Control box) const { return textBox(box)->text().toStdU16String(); }

void MainWindow::setText(Control box, std::u16string_view text) {
    textBox(box)->setText(FromUtf16(text));
}

// Selecting the whole text and inserting over it is one undo step.
void MainWindow::correctText(Control box, std::u16string_view text) {
    QLineEdit* edit = textBox(box);
    edit->selectAll();
    edit->insert(FromUtf16(text));
}

void MainWindow::setFocus(Control box) { textBox(box)->setFocus(); }

void MainWindow::endProgram(int status) { QCoreApplication::exit(status); }

void MainWindow::announce(std::u16string_view text) { announcer_->announce(FromUtf16(text)); }

void MainWindow::showFailure(std::u16string_view title, std::u16string_view message) {
    QMessageBox box(QMessageBox::Critical, FromUtf16(title), FromUtf16(message), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("RuntimeErrorBox"));
    box.exec();
}

// Only the text boxes are QLineEdits; the behaviour asks for no other control.
QLineEdit* MainWindow::textBox(Control id) const {
    auto* box = qobject_cast<QLineEdit*>(control(id));
    if (box == nullptr) throw std::invalid_argument("not a text box");
    return box;
}

}  // namespace rongxi::qt
