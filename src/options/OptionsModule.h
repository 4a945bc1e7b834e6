#pragma once
// The options module as the main window sees it: the Options command (OptionsCommand) and the
// option pages of the open diary.

#include "app/Module.h"

namespace tavrin::options {

class OptionsModule : public app::Module {
public:
    bool offersOptions() const override { return true; }
    // The pages that edit the open diary: names, custom controls and graph settings.
    QList<ui::CCustomPropertyPage*> createOptionPages() override;
    bool runOptions(QWidget* parent) override;
    bool afterOptionsSaved(QWidget* mainWindow, const QString& previousSkin) override;
};

} // namespace tavrin::options
