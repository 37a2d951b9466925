#include "ui/form1.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <limits>
#include <optional>

#include "compute/kill_rows.h"
#include "ui/entry_box.h"
#include "ui/form1_layout.h"
#include "ui/program_identity.h"
#include "ui/run_handler.h"

namespace rongxi::ui {
namespace {

// Typing a character into an entry box moves the caret on to the next one, so
// a draw is typed in one run.
struct EntryAdvance {
    std::string_view changedBox;
    std::string_view nextBox;
};
constexpr std::array<EntryAdvance, 2> kEntryChain{{{"Text1", "Text2"}, {"Text2", "Text3"}}};

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

// The desktop's own font at its own size, in a face that draws Chinese in
// Simplified forms whatever the user's locale.
QFont CaptionFont() {
    QFont font = QApplication::font();
    if (const auto family = FirstInstalledFamily(kCaptionFamilies)) font.setFamily(*family);
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
    connectHandlers();
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

// The only events that run program code; everything else is Qt's own.
void Form1::connectHandlers() {
    const auto onClick = [this](std::string_view button, void (Form1::*handler)()) {
        connect(qobject_cast<QPushButton*>(control(button)), &QPushButton::clicked, this,
                [this, handler] { RunHandler(this, [this, handler] { (this->*handler)(); }); });
    };
    onClick("Command1", &Form1::computeKillRows);
    onClick("Command2", &Form1::clearData);
    onClick("Command3", &Form1::exitProgram);
    for (const EntryAdvance& link : kEntryChain) {
        connect(textBox(link.changedBox), &QLineEdit::textChanged, this, [this, link] {
            RunHandler(this, [this, link] { advanceEntry(link.changedBox, link.nextBox); });
        });
    }
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

void Form1::clearData() {
    // Text boxes in tab order are Text1 to Text9: the order they are emptied in.
    for (const ControlSpec& spec : Form1Layout) {
        if (spec.kind == ControlKind::EntryBox || spec.kind == ControlKind::ResultBox) {
            textBox(spec.name)->setText(QString());
        }
    }
}

void Form1::exitProgram() { QCoreApplication::exit(0); }

// Only the length counts: any one character moves the caret on, and an
// emptied box (a deleted character, or the clear) keeps it.
void Form1::advanceEntry(std::string_view changedBox, std::string_view nextBox) {
    if (CharacterCount(textBox(changedBox)->text()) == 1) textBox(nextBox)->setFocus();
}

QWidget* Form1::control(std::string_view name) const { return controls_.at(name); }

QLineEdit* Form1::textBox(std::string_view name) const {
    return qobject_cast<QLineEdit*>(control(name));
}

}  // namespace rongxi::ui
