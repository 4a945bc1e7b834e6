#pragma once
// The floating easy access navigator panel below the main window; its body (the tree of every
// module, page and tool) comes from the module that registers it for Panel::Navigator.

#include "app/FloatingPanel.h"

namespace tavrin::app {

class CTavrinDlgExtNavigator : public FloatingPanel {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Easy Access Navigator";
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 380;

    explicit CTavrinDlgExtNavigator(QWidget* mainWindow);
};

} // namespace tavrin::app
