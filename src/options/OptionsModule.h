#pragma once
// The options module as the main window sees it: the Options command (OptionsCommand).

#include "app/Module.h"

namespace tavrin::options {

class OptionsModule : public app::Module {
public:
    bool offersOptions() const override { return true; }
    bool runOptions(QWidget* parent) override;
    bool afterOptionsSaved(QWidget* mainWindow, const QString& previousSkin) override;
};

} // namespace tavrin::options
