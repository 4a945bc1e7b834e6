#include "ui/WindowEffects.h"

#include <QGuiApplication>
#include <QPointer>
#include <QPropertyAnimation>
#include <QScreen>
#include <QWidget>

namespace tavrin::ui {
namespace {
QPointer<QWidget> g_main;
QPointer<QWidget> g_splash;
} // namespace

void WindowEffects::setMainWindow(QWidget* w) {
    g_main = w;
}
QWidget* WindowEffects::mainWindow() {
    return g_main;
}
void WindowEffects::setSplash(QWidget* w) {
    g_splash = w;
}

void WindowEffects::closeSplash() {
    if (g_splash) g_splash->close();
    g_splash = nullptr;
}

void WindowEffects::centre(QWidget* w) {
    if (!w || !w->isWindow()) return;
    QRect area;
    if (g_main && g_main != w && g_main->isVisible())
        area = g_main->frameGeometry();
    else if (QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    if (!area.isValid()) return;
    QRect r = w->frameGeometry();
    r.moveCenter(area.center());
    w->move(r.topLeft());
}

void WindowEffects::centreAndAnimate(QWidget* w) {
    centre(w);
    if (QGuiApplication::platformName() == "offscreen") return; // nothing to see
    auto* a = new QPropertyAnimation(w, "windowOpacity", w);
    a->setDuration(kAnimationMs);
    a->setStartValue(0.0);
    a->setEndValue(1.0);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace tavrin::ui
