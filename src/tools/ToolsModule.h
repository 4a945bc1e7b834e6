#pragma once
// The tools module: the tools page, the bodies of the three floating panels (navigator,
// calculator, scratch pads), the tools actions the navigator starts and the tips window.

#include "app/Module.h"

namespace tavrin::tools {

class ToolsModule : public app::Module {
public:
    QWidget* createPage(app::Page page, QWidget* parent) override;
    QWidget* createPanelBody(app::Panel panel, QWidget* parent) override;
    bool runToolAction(app::ToolAction action, QWidget* parent) override;
    bool showTips(QWidget* parent) override;
};

} // namespace tavrin::tools
