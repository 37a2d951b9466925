#include "qt/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace rongxi::qt {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

Announcer::Announcer(QWidget* window) : QWidget(window) { hide(); }

void Announcer::announce(const QString& text) {
    QAccessibleAnnouncementEvent event(parentWidget(), text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
}

#else

namespace {

QAccessibleInterface* AnnouncerFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(Announcer::staticMetaObject.className())) return nullptr;
    auto* announcer = qobject_cast<Announcer*>(object);
    return announcer == nullptr ? nullptr
                                : new QAccessibleWidget(announcer, QAccessible::Notification);
}

}  // namespace

Announcer::Announcer(QWidget* window) : QWidget(window) {
    static const bool installed = [] {
        QAccessible::installFactory(&AnnouncerFactory);
        return true;
    }();
    static_cast<void>(installed);
    setObjectName(QStringLiteral("Announcer"));
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
}

// Showing the widget again for each announcement would do, but costs the
// heap a little each time: the event alone tells screen readers.
void Announcer::announce(const QString& text) {
    setAccessibleName(text);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

#endif

}  // namespace rongxi::qt
