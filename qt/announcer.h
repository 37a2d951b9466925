// Says a short text to a screen reader without moving the focus or showing
// anything.
//
// Qt has an announcement event from 6.8 on. Before it, the announcer is an
// empty, zero-sized widget that screen readers take for a notification: each
// announcement gives it the text as its name and tells that it appeared,
// which reaches a screen reader over AT-SPI as a notification showing (Orca
// speaks it).
#pragma once

#include <QWidget>

namespace rongxi::qt {

class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* window);

    void announce(const QString& text);
};

}  // namespace rongxi::qt
