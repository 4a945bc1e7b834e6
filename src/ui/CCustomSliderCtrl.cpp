#include "ui/CCustomSliderCtrl.h"

#include "platform/WindowMessages.h"
#include "ui/ActiveSkin.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace tavrin::ui {

CCustomSliderCtrl::CCustomSliderCtrl(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(1);
    setPageStep(1);
    // actionTriggered comes for every move the user makes (drag, click, key), after the
    // position changed and before the value follows; setValue() from the program does not.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int) { scrolled(); });
    // Grabbing the handle starts tracking where it stands, so a SHIFT drag anchors at the
    // position it started from rather than at the first step away from it.
    connect(this, &QAbstractSlider::sliderPressed, this, [this] { scrolled(); });
}

bool CCustomSliderCtrl::shiftHeld() const {
    return modifiers_.testFlag(Qt::ShiftModifier);
}

void CCustomSliderCtrl::scrolled() {
    const int pos = sliderPosition();
    if (!shiftHeld() && !dragging_) {
        clearSelection();
        anchor_.reset();
        return;
    }
    if (shiftHeld() && !dragging_) {
        dragging_ = true;
        if (!anchor_) anchor_ = pos;
    }
    selLo_ = qMin(*anchor_, pos);
    selHi_ = qMax(*anchor_, pos);
    hasSel_ = true;
    update();
    notifyParent();
}

void CCustomSliderCtrl::endTracking() {
    dragging_ = false;
    if (!shiftHeld()) anchor_.reset();
}

void CCustomSliderCtrl::setSelection(int low, int high) {
    selLo_ = qMin(low, high);
    selHi_ = qMax(low, high);
    hasSel_ = true;
    update();
    notifyParent();
}

void CCustomSliderCtrl::clearSelection() {
    if (!hasSel_) return;
    hasSel_ = false;
    selLo_ = selHi_ = 0;
    update();
}

void CCustomSliderCtrl::notifyParent() {
    if (QWidget* parent = parentWidget())
        platform::WindowMessages::send(parent, QStringLiteral("TNSNotifySLC"),
                                       packRange(selLo_, selHi_), id_);
}

void CCustomSliderCtrl::mousePressEvent(QMouseEvent* event) {
    modifiers_ = event->modifiers();
    QSlider::mousePressEvent(event);
}

void CCustomSliderCtrl::mouseMoveEvent(QMouseEvent* event) {
    modifiers_ = event->modifiers();
    QSlider::mouseMoveEvent(event);
}

void CCustomSliderCtrl::mouseReleaseEvent(QMouseEvent* event) {
    modifiers_ = event->modifiers();
    QSlider::mouseReleaseEvent(event);
    endTracking();
}

void CCustomSliderCtrl::keyPressEvent(QKeyEvent* event) {
    modifiers_ = event->modifiers();
    QSlider::keyPressEvent(event);
}

void CCustomSliderCtrl::keyReleaseEvent(QKeyEvent* event) {
    // A released SHIFT key reports the modifiers still held before it; what counts is what is
    // held afterwards.
    modifiers_ = event->modifiers();
    if (event->key() == Qt::Key_Shift) modifiers_.setFlag(Qt::ShiftModifier, false);
    QSlider::keyReleaseEvent(event);
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!event->isAutoRepeat()) endTracking();
        break;
    default:
        break;
    }
}

void CCustomSliderCtrl::paintEvent(QPaintEvent*) {
    const ActiveSkin& skin = ActiveSkin::current();
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const bool horizontal = orientation() == Qt::Horizontal;
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const int span = horizontal ? width() - handle.width() : height() - handle.height();
    auto at = [&](int value) { // centre of the handle at `value`, along the slider
        const int off =
            QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, opt.upsideDown);
        return off + (horizontal ? handle.width() : handle.height()) / 2;
    };
    const int mid = horizontal ? handle.center().y() : handle.center().x();

    // Groove, and the selection on it.
    const int a = at(minimum()), b = at(maximum());
    const QRectF groove = horizontal ? QRectF(qMin(a, b), mid - 2, qAbs(b - a), 4)
                                     : QRectF(mid - 2, qMin(a, b), 4, qAbs(b - a));
    p.setPen(skin.frameDark());
    p.setBrush(skin.listBackground());
    p.drawRoundedRect(groove, 2, 2);
    if (hasSel_) {
        const int s = at(selLo_), e = at(selHi_);
        const QRectF sel = horizontal ? QRectF(qMin(s, e), mid - 4, qAbs(e - s), 8)
                                      : QRectF(mid - 4, qMin(s, e), 8, qAbs(e - s));
        p.setPen(Qt::NoPen);
        p.setBrush(skin.selectionBackground());
        p.drawRoundedRect(sel.adjusted(-3, -1, 3, 1), 4, 4);
    }

    // Ticks, unless they would stand closer than two pixels: a wide range would only smear the
    // groove, and one up to the largest int would never end.
    const qint64 ticks = tickInterval() > 0 ? (qint64(maximum()) - minimum()) / tickInterval() : 0;
    if (tickPosition() != NoTicks && tickInterval() > 0 && ticks <= qAbs(b - a) / 2) {
        p.setPen(skin.frameDark());
        for (qint64 v = minimum(); v <= maximum(); v += tickInterval()) {
            const int t = at(int(v));
            if (horizontal)
                p.drawLine(t, mid + 8, t, mid + 11);
            else
                p.drawLine(mid + 8, t, mid + 11, t);
        }
    }

    // Handle.
    const int c = at(sliderPosition());
    const QRectF knob =
        horizontal ? QRectF(c - 5, mid - 8, 10, 16) : QRectF(mid - 8, c - 5, 16, 10);
    p.setPen(hasFocus() ? skin.selectionBackground() : skin.frameDark());
    p.setBrush(isSliderDown() ? skin.buttonFace().darker(115) : skin.buttonFace());
    if (!isEnabled()) p.setOpacity(0.5);
    p.drawRoundedRect(knob, 3, 3);
}

} // namespace tavrin::ui
