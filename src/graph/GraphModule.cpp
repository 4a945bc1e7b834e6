#include "graph/GraphModule.h"

#include "graph/CTavrinDlgGraph.h"

namespace tavrin::graph {

QWidget* GraphModule::createPage(app::Page page, QWidget* parent) {
    return page == app::Page::Graph ? new CTavrinDlgGraph(parent) : nullptr;
}

} // namespace tavrin::graph
