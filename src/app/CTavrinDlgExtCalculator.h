#pragma once
// The floating calculator panel below the main window; its body (the pocket calculator and its
// tape) comes from the module that registers it for Panel::Calculator.

#include "app/FloatingPanel.h"

namespace tavrin::app {

class CTavrinDlgExtCalculator : public FloatingPanel {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Calculator";
    static constexpr int kWidth = 270;
    static constexpr int kHeight = 360;

    explicit CTavrinDlgExtCalculator(QWidget* mainWindow);
};

} // namespace tavrin::app
