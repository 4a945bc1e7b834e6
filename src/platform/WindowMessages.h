#pragma once
// Named window messages: windows exchange them by name ("TNSNotifySpin", "TNSNavigatorIn",
// ...). Each name maps to one registered Qt event type; the two parameters travel with it.
// A receiver handles them in event():
//
//     if (auto* m = NamedMessage::match(e, "TNSNotifySpin")) { int row = m->wParam(); ... }

#include <QEvent>
#include <QString>
#include <QStringList>

class QObject;

namespace tavrin::platform {

class NamedMessage : public QEvent {
public:
    NamedMessage(const QString& name, qintptr wParam, qintptr lParam);
    const QString& name() const { return name_; }
    qintptr wParam() const { return w_; }
    qintptr lParam() const { return l_; }

    // The event as a named message of that name, or nullptr.
    static const NamedMessage* match(const QEvent* e, const char* name);

private:
    QString name_;
    qintptr w_, l_;
};

class WindowMessages {
public:
    // The sixteen names obtained at start-up.
    static const QStringList& names();
    // Registers every name (start-up step "Registering Messages"); later calls do nothing.
    static void registerAll();
    // The event type of a name, registering it on first use.
    static QEvent::Type type(const QString& name);

    // Queued delivery, as a posted window message.
    static void post(QObject* receiver, const QString& name, qintptr wParam = 0,
                     qintptr lParam = 0);
    // Immediate delivery; returns whether the receiver handled it.
    static bool send(QObject* receiver, const QString& name, qintptr wParam = 0,
                     qintptr lParam = 0);
};

} // namespace tavrin::platform
