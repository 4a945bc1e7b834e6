#pragma once
// The floating scratch pad panel below the main window; its body (the buttons of the nine scratch
// pads) comes from the module that registers it for Panel::ScratchPad.

#include "app/FloatingPanel.h"

namespace tavrin::app {

class CTavrinDlgExtScratchPad : public FloatingPanel {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Scratch Pad";
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 330;

    explicit CTavrinDlgExtScratchPad(QWidget* mainWindow);
};

} // namespace tavrin::app
