#pragma once
// The health module: the report as a command of the tools page and the year at a glance as a
// view of the graph page. It makes no page of its own.

#include "app/Module.h"

namespace tavrin::health {

class HealthModule : public app::Module {
public:
    QList<app::ToolEntry> toolEntries() override;
    QList<app::GraphView> graphViews() override;
};

} // namespace tavrin::health
