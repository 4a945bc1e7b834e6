#include "ui/CScratchPadTitleBar.h"

namespace tavrin::ui {

CScratchPadTitleBar::CScratchPadTitleBar(const QString& text, QWidget* parent)
    : CCustomTitleBar(text, parent) {
    setRestMessage(QStringLiteral("TNSScratchPadIn"));
}

} // namespace tavrin::ui
