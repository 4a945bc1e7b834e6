#include "ui/CNavigatorTitleBar.h"

namespace tavrin::ui {

CNavigatorTitleBar::CNavigatorTitleBar(const QString& text, QWidget* parent)
    : CCustomTitleBar(text, parent) {
    setRestMessage(QStringLiteral("TNSNavigatorIn"));
}

} // namespace tavrin::ui
