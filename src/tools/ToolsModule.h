#pragma once
// The tools module: the tools page and the tools actions the navigator starts.

#include "app/Module.h"

namespace tavrin::tools {

class ToolsModule : public app::Module {
public:
    QWidget* createPage(app::Page page, QWidget* parent) override;
    bool runToolAction(app::ToolAction action, QWidget* parent) override;
};

} // namespace tavrin::tools
