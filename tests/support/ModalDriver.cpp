#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace tavrin::test {

void whenModal(std::function<void(QWidget*)> action) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    auto started = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, before, action, started]() {
        QWidget* now = QApplication::activeModalWidget();
        if (now && now != before && now->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(now);
            return;
        }
        if (++*started > 500) { // 5 s
            timer->stop();
            timer->deleteLater();
            qFatal("whenModal: no modal window appeared");
        }
    });
    timer->start(10);
}

void click(QWidget* w, const char* objectName) {
    auto* b = w->findChild<QAbstractButton*>(objectName);
    if (!b) {
        qFatal("click: no button %s in %s", objectName, qPrintable(w->objectName()));
        return;
    }
    b->click();
}

void type(QWidget* w, const char* objectName, const QString& text) {
    auto* e = w->findChild<QLineEdit*>(objectName);
    if (!e) {
        qFatal("type: no line edit %s in %s", objectName, qPrintable(w->objectName()));
        return;
    }
    e->setText(text);
}

} // namespace tavrin::test
