#include "ui/CCalculatorTitleBar.h"

namespace tavrin::ui {

CCalculatorTitleBar::CCalculatorTitleBar(const QString& text, QWidget* parent)
    : CCustomTitleBar(text, parent) {
    setRestMessage(QStringLiteral("TNSCalculatorIn"));
}

} // namespace tavrin::ui
