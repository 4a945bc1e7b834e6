#include "ui/CColorButton.h"

#include "platform/ColorChooser.h"
#include "ui/ActiveSkin.h"

#include <QPainter>

namespace tavrin::ui {

CColorButton::CColorButton(QWidget* parent) : CCustomButton(parent) {
    connect(this, &QAbstractButton::clicked, this, [this] { chooseColor(); });
}

void CColorButton::setColor(const QColor& color) {
    if (!color.isValid() || color == color_) return;
    color_ = color;
    update();
}

bool CColorButton::chooseColor() {
    const std::optional<QColor> chosen = platform::ColorChooser::choose(color_, this);
    if (!chosen || !chosen->isValid()) return false;
    color_ = *chosen;
    update();
    emit colorChosen(color_);
    return true;
}

QSize CColorButton::sizeHint() const {
    return QSize(48, 23);
}

void CColorButton::paintEvent(QPaintEvent* event) {
    CCustomButton::paintEvent(event); // the flat face, hover and pressed looks
    const ActiveSkin& skin = ActiveSkin::current();
    QPainter p(this);
    QRect swatch = rect().adjusted(6, 6, -7, -7);
    if (showsPushed()) swatch.translate(1, 1);
    p.setPen(isEnabled() ? skin.frameDark() : skin.frameLight());
    p.setBrush(isEnabled() ? color_ : skin.buttonFace());
    p.drawRect(swatch);
}

} // namespace tavrin::ui
