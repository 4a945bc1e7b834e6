#pragma once
// Title bar of the floating calculator panel: the mouse resting over it while the panel is
// collapsed posts "TNSCalculatorIn" to the main window, which expands the panel.

#include "ui/CCustomTitleBar.h"

namespace tavrin::ui {

class CCalculatorTitleBar : public CCustomTitleBar {
    Q_OBJECT
public:
    explicit CCalculatorTitleBar(const QString& text = QString(), QWidget* parent = nullptr);
};

} // namespace tavrin::ui
