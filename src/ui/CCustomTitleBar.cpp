#include "ui/CCustomTitleBar.h"

#include "platform/WindowMessages.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace tavrin::ui {

CCustomTitleBar::CCustomTitleBar(const QString& text, QWidget* parent)
    : QWidget(parent), text_(text) {
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMs);
    connect(&rest_, &QTimer::timeout, this, &CCustomTitleBar::rested);
}

void CCustomTitleBar::setText(const QString& text) {
    text_ = text;
    update();
}

QColor CCustomTitleBar::captionColor() const {
    return palette().color(QPalette::Active, QPalette::Highlight);
}

QColor CCustomTitleBar::gradientColor() const {
    // Half way from the caption colour to the window colour, so that a dark skin's bars stay dark.
    const QColor c = captionColor();
    const QColor w = palette().color(QPalette::Active, QPalette::Window);
    return QColor((c.red() + w.red()) / 2, (c.green() + w.green()) / 2, (c.blue() + w.blue()) / 2);
}

QSize CCustomTitleBar::sizeHint() const {
    QFont f = font();
    f.setBold(true);
    const QFontMetrics fm(f);
    return QSize(fm.horizontalAdvance(text_) + 16, fm.height() + 6);
}

QSize CCustomTitleBar::minimumSizeHint() const {
    return QSize(16, sizeHint().height());
}

void CCustomTitleBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(rect().topLeft(), rect().topRight());
    g.setColorAt(0, captionColor());
    g.setColorAt(1, gradientColor());
    p.fillRect(rect(), g);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    p.drawText(rect().adjusted(6, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(f).elidedText(text_, Qt::ElideRight, width() - 10));
}

void CCustomTitleBar::enterEvent(QEnterEvent* event) {
    if (!restMessage_.isEmpty()) rest_.start();
    QWidget::enterEvent(event);
}

void CCustomTitleBar::leaveEvent(QEvent* event) {
    rest_.stop();
    QWidget::leaveEvent(event);
}

void CCustomTitleBar::mouseMoveEvent(QMouseEvent* event) {
    // Resting means not moving: every move starts the wait again.
    if (!restMessage_.isEmpty()) rest_.start();
    QWidget::mouseMoveEvent(event);
}

void CCustomTitleBar::rested() {
    if (collapsed_ && receiver_ && !restMessage_.isEmpty())
        platform::WindowMessages::post(receiver_, restMessage_);
}

} // namespace tavrin::ui
