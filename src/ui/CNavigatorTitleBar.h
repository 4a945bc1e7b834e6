#pragma once
// Title bar of the floating navigator panel: the mouse resting over it while the panel is
// collapsed posts "TNSNavigatorIn" to the main window, which expands the panel.

#include "ui/CCustomTitleBar.h"

namespace tavrin::ui {

class CNavigatorTitleBar : public CCustomTitleBar {
    Q_OBJECT
public:
    explicit CNavigatorTitleBar(const QString& text = QString(), QWidget* parent = nullptr);
};

} // namespace tavrin::ui
