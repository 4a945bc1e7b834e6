#pragma once
// The graph module: the graph page of the main window.

#include "app/Module.h"

namespace tavrin::graph {

class GraphModule : public app::Module {
public:
    QWidget* createPage(app::Page page, QWidget* parent) override;
};

} // namespace tavrin::graph
