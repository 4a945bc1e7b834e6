#include "tools/ToolsModule.h"

#include "tools/CTavrinDlgTools.h"

namespace tavrin::tools {

QWidget* ToolsModule::createPage(app::Page page, QWidget* parent) {
    return page == app::Page::Tools ? new CTavrinDlgTools(parent) : nullptr;
}

bool ToolsModule::runToolAction(app::ToolAction action, QWidget* parent) {
    switch (action) {
    case app::ToolAction::Backup:
        CTavrinDlgTools::backup(parent);
        return true;
    case app::ToolAction::ExportText:
        CTavrinDlgTools::exportText(parent);
        return true;
    default:
        return false;
    }
}

} // namespace tavrin::tools
