#pragma once
// The about window: the program's name, version and credits, and one OK button.

#include "ui/CCustomDialog.h"

namespace tavrin::app {

class CTavrinDlgAbout : public ui::CCustomDialog {
    Q_OBJECT
public:
    static const QString& caption(); // "About Tavelle™ Suite v3.10"

    explicit CTavrinDlgAbout(QWidget* parent = nullptr);
};

} // namespace tavrin::app
