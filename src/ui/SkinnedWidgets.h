#pragma once
// The pages' labels and fields in the active skin's colours, as the program's lists are drawn.

#include "ui/ActiveSkin.h"

#include <QPalette>
#include <QWidget>

namespace tavrin::ui {

// Labels and the texts of radio buttons and check boxes.
template <class W> W* skinnedText(W* w) {
    const ActiveSkin& skin = ActiveSkin::current();
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, skin.staticText());
    pal.setColor(QPalette::Base, skin.listBackground());
    pal.setColor(QPalette::Text, skin.listText());
    w->setPalette(pal);
    return w;
}

// Input fields, drop-downs, status lines and calendars.
template <class W> W* skinnedField(W* w) {
    const ActiveSkin& skin = ActiveSkin::current();
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

// Check boxes, radio buttons and the small inputs beside them on a page: texts in the skin's
// label colour (dimmed when disabled), boxes and fields filled like a list and marked in the
// list's text colour.
template <class W> W* skinnedChoice(W* w) {
    const ActiveSkin& skin = ActiveSkin::current();
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, skin.staticText());
    QColor disabled = skin.staticText();
    disabled.setAlpha(120);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    pal.setColor(QPalette::Base, skin.listBackground());
    pal.setColor(QPalette::Text, skin.listText());
    pal.setColor(QPalette::Highlight, skin.selectionBackground());
    pal.setColor(QPalette::HighlightedText, skin.listHighlightText());
    QColor disabledText = skin.listText();
    disabledText.setAlpha(120);
    pal.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    w->setPalette(pal);
    return w;
}

} // namespace tavrin::ui
