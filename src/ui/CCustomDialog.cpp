#include "ui/CCustomDialog.h"

#include "ui/ActiveSkin.h"
#include "ui/WindowEffects.h"

#include <QGuiApplication>
#include <QPainter>
#include <QShowEvent>

namespace tavrin::ui {

QString CCustomDialog::backgroundFileName(int kind) {
    switch (kind) {
    case BackAll:
        return QStringLiteral("back_all.tns");
    case BackLarge:
        return QStringLiteral("back_large.tns");
    case BackMain:
        return QStringLiteral("back_main.tns");
    default:
        return QString();
    }
}

CCustomDialog::CCustomDialog(int background, QWidget* parent)
    : QDialog(parent), kind_(background), frame_(background != BackLarge) {
    const ActiveSkin& skin = ActiveSkin::current();
    QStringList candidates{backgroundFileName(kind_)};
    // "back_main.tns" is optional in a skin; the general background is the nearest look.
    if (kind_ == BackMain) candidates << backgroundFileName(BackAll);
    for (const QString& file : candidates) {
        if (file.isEmpty()) continue;
        // The main window is drawn pixel for pixel: on a screen of ratio 2 its sharp picture.
        picture_ = skin.picture(file, kind_ == BackLarge ? qApp->devicePixelRatio() : 1.0);
        if (!picture_.isNull()) {
            file_ = file;
            break;
        }
    }
    setAutoFillBackground(false);
}

void CCustomDialog::setFrameVisible(bool on) {
    frame_ = on;
    update();
}

void CCustomDialog::paintEvent(QPaintEvent*) {
    const ActiveSkin& skin = ActiveSkin::current();
    QPainter p(this);
    if (picture_.isNull()) {
        p.fillRect(rect(), skin.dialogBackground());
    } else if (kind_ == BackLarge) {
        // The main window: pixel for pixel, so that the outline matches the window's shape.
        p.fillRect(rect(), skin.dialogBackground());
        p.drawPixmap(0, 0, picture_);
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), picture_);
    }
    if (frame_) {
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.setPen(skin.frameDark());
        p.drawRect(r);
        p.setPen(skin.frameLight());
        p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
        p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    }
}

void CCustomDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (isWindow() && !event->spontaneous() && WindowEffects::mainWindow() != this)
        WindowEffects::centreAndAnimate(this);
}

} // namespace tavrin::ui
