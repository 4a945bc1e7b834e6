#pragma once
// The nutrition pages' labels, fields and buttons in the active skin's colours, as the
// program's lists are drawn.

#include "ui/ActiveSkin.h"
#include "ui/CCustomButton.h"

#include <QPalette>
#include <QWidget>

namespace tavrin::nutrition {

// Labels and the texts of check boxes.
template <class W> W* skinnedText(W* w) {
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, skin.staticText());
    pal.setColor(QPalette::Base, skin.listBackground());
    pal.setColor(QPalette::Text, skin.listText());
    w->setPalette(pal);
    return w;
}

// Input fields, drop-downs and status lines.
template <class W> W* skinnedField(W* w) {
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, skin.listBackground());
    pal.setColor(QPalette::Window, skin.listBackground());
    pal.setColor(QPalette::Text, skin.listText());
    pal.setColor(QPalette::WindowText, skin.listText());
    pal.setColor(QPalette::Button, skin.buttonFace());
    pal.setColor(QPalette::ButtonText, skin.buttonText());
    pal.setColor(QPalette::Highlight, skin.selectionBackground());
    pal.setColor(QPalette::HighlightedText, skin.listHighlightText());
    QColor faint = skin.listText();
    faint.setAlpha(110);
    pal.setColor(QPalette::Disabled, QPalette::Text, faint);
    pal.setColor(QPalette::PlaceholderText, faint);
    w->setPalette(pal);
    return w;
}

inline ui::CCustomButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new ui::CCustomButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace tavrin::nutrition
