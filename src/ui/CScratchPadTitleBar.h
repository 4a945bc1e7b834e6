#pragma once
// Title bar of the floating scratch pad panel: the mouse resting over it while the panel is
// collapsed posts "TNSScratchPadIn" to the main window, which expands the panel.

#include "ui/CCustomTitleBar.h"

namespace tavrin::ui {

class CScratchPadTitleBar : public CCustomTitleBar {
    Q_OBJECT
public:
    explicit CScratchPadTitleBar(const QString& text = QString(), QWidget* parent = nullptr);
};

} // namespace tavrin::ui
