#pragma once
// The nutrition pages' labels, fields and buttons in the active skin's colours.

#include "ui/CCustomButton.h"
#include "ui/SkinnedWidgets.h"

namespace tavrin::nutrition {
using ui::skinnedField;
using ui::skinnedText;

inline ui::CCustomButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new ui::CCustomButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace tavrin::nutrition
