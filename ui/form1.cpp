#include "ui/form1.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>

#include "compute/kill_rows.h"
#include "ui/form1_layout.h"
#include "ui/run_handler.h"

namespace rongxi::ui {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <std::size_t N>
QStringList Families(const std::array<std::string_view, N>& names) {
    QStringList families;
    for (std::string_view name : names) families << FromUtf8(name);
    return families;
}

QRect ToPixels(const TwipRect& twips) {
    return {twips.left / kTwipsPerPixel, twips.top / kTwipsPerPixel,
            twips.width / kTwipsPerPixel, twips.height / kTwipsPerPixel};
}

QFont BoxFont(int pixelSize) {
    QFont font;
    font.setFamilies(Families(kBoxFontFamilies));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Bold);
    return font;
}

QFont CaptionFont() {
    QFont font = QApplication::font();
    font.setFamilies(QStringList{font.family()} + Families(kCaptionFallbackFamilies));
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
        case ControlKind::Button: {
            auto* button = new QPushButton(caption, container);
            button->setAutoDefault(false);  // Enter in a box presses nothing
            return button;
        }
        case ControlKind::EntryBox:
        case ControlKind::ResultBox: {
            auto* box = new QLineEdit(container);
            const bool entry = spec.kind == ControlKind::EntryBox;
            box->setFont(BoxFont(entry ? kEntryBoxFontPixels : kResultBoxFontPixels));
            box->setAlignment(Qt::AlignCenter);
            if (entry) box->setMaxLength(1);
            return box;
        }
    }
    return nullptr;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(FromUtf8(kWindowName));
    setWindowTitle(FromUtf8(kWindowCaption));
    setFont(CaptionFont());
    resize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
    createControls();
    connectHandlers();
}

void Form1::createControls() {
    QWidget* previousInTabOrder = nullptr;
    for (const ControlSpec& spec : Form1Layout) {
        QWidget* container = spec.container == kWindowName ? this : control(spec.container);
        QWidget* widget = CreateControl(spec, container);
        widget->setObjectName(FromUtf8(spec.name));
        widget->setGeometry(ToPixels(spec.twips));
        controls_.emplace(spec.name, widget);
        if (widget->focusPolicy() == Qt::NoFocus) continue;  // frames
        if (previousInTabOrder != nullptr) setTabOrder(previousInTabOrder, widget);
        previousInTabOrder = widget;
    }
}

void Form1::connectHandlers() {
    connect(qobject_cast<QPushButton*>(control("Command1")), &QPushButton::clicked, this,
            [this] { RunHandler(this, [this] { computeKillRows(); }); });
}

void Form1::computeKillRows() {
    const auto entry = [this](std::string_view name) {
        return textBox(name)->text().toStdU16String();
    };
    const KillRows rows = ComputeKillRows(entry("Text1"), entry("Text2"), entry("Text3"));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        textBox(KillRowTable[row].resultBox)->setText(QString::fromStdString(rows[row]));
    }
}

QWidget* Form1::control(std::string_view name) const { return controls_.at(name); }

QLineEdit* Form1::textBox(std::string_view name) const {
    return qobject_cast<QLineEdit*>(control(name));
}

}  // namespace rongxi::ui
