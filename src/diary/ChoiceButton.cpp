#include "diary/ChoiceButton.h"

#include "ui/ActiveSkin.h"

#include <QPainter>

namespace tavrin::diary {

ChoiceButton::ChoiceButton(const QString& text, QWidget* parent) : CCustomButton(text, parent) {
    setCheckable(true);
    setAutoDefault(false);
}

void ChoiceButton::paintEvent(QPaintEvent* event) {
    if (!isChecked() || hasPictures()) {
        CCustomButton::paintEvent(event);
        return;
    }
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor face = skin.selectionBackground();
    if (!isEnabled()) face.setAlpha(110);
    p.setBrush(face);
    p.setPen(QPen(face.darker(130), 1.0));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    // Text in white or black, whichever reads better on the selection colour.
    const QColor ink = qGray(face.rgb()) < 140 ? QColor(Qt::white) : QColor(Qt::black);
    const QRect content = rect().adjusted(3, 1, -3, -1);
    if (!icon().isNull()) {
        // The icon is drawn in the button's text colour; on the selection colour it is redrawn.
        QImage img = icon().pixmap(iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
        QPainter ip(&img);
        ip.setCompositionMode(QPainter::CompositionMode_SourceIn);
        ip.fillRect(img.rect(), ink);
        ip.end();
        const int textW = text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(text()) + 4;
        const int x = content.left() + (content.width() - iconSize().width() - textW) / 2;
        p.drawImage(x, content.top() + (content.height() - iconSize().height()) / 2, img);
        if (textW) {
            p.setPen(ink);
            p.setFont(font());
            p.drawText(QRect(x + iconSize().width() + 4, content.top(), textW, content.height()),
                       Qt::AlignLeft | Qt::AlignVCenter, text());
        }
        return;
    }
    p.setPen(ink);
    p.setFont(font());
    p.drawText(content, Qt::AlignCenter, text());
}

} // namespace tavrin::diary
