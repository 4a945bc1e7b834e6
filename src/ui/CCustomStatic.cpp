#include "ui/CCustomStatic.h"

#include "ui/ActiveSkin.h"

#include <QEvent>
#include <QLayout>
#include <QPainter>

namespace tavrin::ui {

CCustomStatic::CCustomStatic(QWidget* parent) : CCustomStatic(QString(), parent) {}

CCustomStatic::CCustomStatic(const QString& text, QWidget* parent, Kind kind)
    : QLabel(text, parent), kind_(kind) {
    setAutoFillBackground(false);
    applyColours();
    setKind(kind);
}

void CCustomStatic::setKind(Kind kind) {
    kind_ = kind;
    if (kind_ == Group) {
        // Room for the title in the top edge and for the frame on the other sides.
        const int top = fontMetrics().height();
        setContentsMargins(8, top + 2, 8, 8);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    } else {
        setContentsMargins(0, 0, 0, 0);
    }
    update();
}

QSize CCustomStatic::sizeHint() const {
    if (kind_ == Group && layout()) return layout()->totalSizeHint();
    return QLabel::sizeHint();
}

QSize CCustomStatic::minimumSizeHint() const {
    if (kind_ == Group && layout()) return layout()->totalMinimumSize();
    return QLabel::minimumSizeHint();
}

void CCustomStatic::applyColours() {
    const ActiveSkin& skin = ActiveSkin::current();
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, skin.staticText());
    pal.setColor(QPalette::Text, skin.staticText());
    QColor disabled = skin.staticText();
    disabled.setAlpha(120);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    setPalette(pal);
}

void CCustomStatic::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && kind_ == Group) setKind(Group);
    QLabel::changeEvent(event);
}

void CCustomStatic::paintEvent(QPaintEvent* event) {
    if (kind_ == Text) {
        QLabel::paintEvent(event);
        return;
    }
    const ActiveSkin& skin = ActiveSkin::current();
    QPainter p(this);
    const QFontMetrics fm(font());
    const QRect f = rect().adjusted(0, fm.height() / 2, -2, -2);
    const int textW = text().isEmpty() ? 0 : fm.horizontalAdvance(text());
    // The top edge leaves a gap for the title.
    const int gapFrom = f.left() + 8, gapTo = textW ? gapFrom + textW + 6 : gapFrom;
    auto frame = [&](int d) {
        p.drawLine(f.left() + d, f.top() + d, gapFrom + d, f.top() + d);
        p.drawLine(gapTo + d, f.top() + d, f.right() + d, f.top() + d);
        p.drawLine(f.right() + d, f.top() + d, f.right() + d, f.bottom() + d);
        p.drawLine(f.right() + d, f.bottom() + d, f.left() + d, f.bottom() + d);
        p.drawLine(f.left() + d, f.bottom() + d, f.left() + d, f.top() + d);
    };
    // Etched: a light line beside a dark one.
    p.setPen(skin.frameLight());
    frame(1);
    p.setPen(skin.frameDark());
    frame(0);
    if (textW) {
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::WindowText));
        p.drawText(QRect(gapFrom + 3, 0, textW + 2, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   text());
    }
}

} // namespace tavrin::ui
