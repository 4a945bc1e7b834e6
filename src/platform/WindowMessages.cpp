#include "platform/WindowMessages.h"

#include <QCoreApplication>
#include <QHash>

namespace tavrin::platform {
namespace {
QHash<QString, int>& registry() {
    static QHash<QString, int> r;
    return r;
}
} // namespace

NamedMessage::NamedMessage(const QString& name, qintptr wParam, qintptr lParam)
    : QEvent(WindowMessages::type(name)), name_(name), w_(wParam), l_(lParam) {}

const NamedMessage* NamedMessage::match(const QEvent* e, const char* name) {
    if (!e || e->type() < QEvent::User) return nullptr;
    auto it = registry().constFind(QString::fromLatin1(name));
    if (it == registry().constEnd() || e->type() != QEvent::Type(*it)) return nullptr;
    return static_cast<const NamedMessage*>(e);
}

const QStringList& WindowMessages::names() {
    static const QStringList n = {
        "TNSNotifyIcon",    "TNSNotifySpin",   "TNSNotifySB",     "TNSNotifySLC",
        "TNSSetText",       "TNSDrawGraph",    "TNSListTrnsfr",   "TNSNavigatorIn",
        "TNSCalculatorIn",  "TNSScratchPadIn", "TNSNavigatorOut", "TNSCalculatorOut",
        "TNSScratchPadOut", "TNSNavigatorSel", "TNSNotifyTCSB",   "TNSInitFonts"};
    return n;
}

void WindowMessages::registerAll() {
    for (const QString& n : names())
        type(n);
}

QEvent::Type WindowMessages::type(const QString& name) {
    auto& r = registry();
    auto it = r.find(name);
    if (it == r.end()) it = r.insert(name, QEvent::registerEventType());
    return QEvent::Type(*it);
}

void WindowMessages::post(QObject* receiver, const QString& name, qintptr wParam, qintptr lParam) {
    if (receiver) QCoreApplication::postEvent(receiver, new NamedMessage(name, wParam, lParam));
}

bool WindowMessages::send(QObject* receiver, const QString& name, qintptr wParam, qintptr lParam) {
    if (!receiver) return false;
    NamedMessage m(name, wParam, lParam);
    return QCoreApplication::sendEvent(receiver, &m);
}

} // namespace tavrin::platform
