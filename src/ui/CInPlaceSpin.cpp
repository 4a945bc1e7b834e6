#include "ui/CInPlaceSpin.h"

#include "ui/InPlaceKeys.h"

#include "ui/ActiveSkin.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tavrin::ui {

CInPlaceSpin::CInPlaceSpin(QWidget* parent, const QStringList& names, int value, int lowest,
                           int highest, int offset)
    : QWidget(parent), names_(names), value_(value), lowest_(std::min(lowest, highest)),
      highest_(std::max(lowest, highest)), offset_(offset) {
    setObjectName(QStringLiteral("inPlaceSpin"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString CInPlaceSpin::shownText() const {
    const qint64 i = qint64(value_) + offset_;
    return i >= 0 && i < names_.size() ? names_.at(qsizetype(i)) : QString();
}

QRect CInPlaceSpin::lowerSquare() const {
    return QRect(0, 0, height(), height());
}
QRect CInPlaceSpin::raiseSquare() const {
    return QRect(width() - height(), 0, height(), height());
}

bool CInPlaceSpin::press(const QPoint& pos) {
    if (finished_) return false;
    int step = 0;
    if (lowerSquare().contains(pos))
        step = -1;
    else if (raiseSquare().contains(pos))
        step = +1;
    if (step == 0) return false;
    value_ = int(std::clamp<qint64>(qint64(value_) + step, lowest_, highest_));
    stepped_ = true;
    update();
    finish(false);
    return true;
}

void CInPlaceSpin::paintEvent(QPaintEvent*) {
    const ActiveSkin& skin = ActiveSkin::current();
    QPainter p(this);
    p.fillRect(rect(), skin.listBackground());
    p.setPen(skin.checkBox());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing, true);
    for (bool left : {true, false}) {
        const QRect sq = left ? lowerSquare() : raiseSquare();
        const QPointF c = QRectF(sq).center();
        const qreal s = std::max<qreal>(3.0, sq.height() / 4.0);
        QPainterPath path;
        const qreal tip = left ? -s / 2 : s / 2;
        path.moveTo(c.x() + tip, c.y());
        path.lineTo(c.x() - tip, c.y() - s);
        path.lineTo(c.x() - tip, c.y() + s);
        path.closeSubpath();
        p.fillPath(path, skin.checkBox());
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(skin.listText());
    p.drawText(rect().adjusted(height(), 0, -height(), 0), Qt::AlignCenter | Qt::TextSingleLine,
               shownText());
}

void CInPlaceSpin::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) press(e->position().toPoint());
    e->accept();
}

void CInPlaceSpin::keyPressEvent(QKeyEvent* e) {
    if (!handleInPlaceKey(e, [this](bool cancelled) { finish(cancelled); }))
        QWidget::keyPressEvent(e);
}

void CInPlaceSpin::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason) finish(false);
}

void CInPlaceSpin::finish(bool cancelled) {
    if (finished_) return;
    finished_ = true;
    emit editEnded(cancelled);
}

} // namespace tavrin::ui
