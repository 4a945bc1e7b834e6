#include "tools/ToolsModule.h"

#include "tools/CTavrinDlgTips.h"
#include "tools/CTavrinDlgTools.h"
#include "tools/CalculatorBody.h"
#include "tools/NavigatorBody.h"
#include "tools/ScratchPadBody.h"

namespace tavrin::tools {

QWidget* ToolsModule::createPage(app::Page page, QWidget* parent) {
    return page == app::Page::Tools ? new CTavrinDlgTools(parent) : nullptr;
}

QWidget* ToolsModule::createPanelBody(app::Panel panel, QWidget* parent) {
    switch (panel) {
    case app::Panel::Navigator:
        return new NavigatorBody(parent);
    case app::Panel::Calculator:
        return new CalculatorBody(parent);
    case app::Panel::ScratchPad:
        return new ScratchPadBody(parent);
    }
    return nullptr;
}

bool ToolsModule::runToolAction(app::ToolAction action, QWidget* parent) {
    using A = app::ToolAction;
    using Web = CTavrinDlgTools::Web;
    switch (action) {
    case A::CompactEntries:
        CTavrinDlgTools::compactEntries(parent);
        return true;
    case A::WebSite:
        CTavrinDlgTools::openWeb(Web::Site);
        return true;
    case A::Forums:
        CTavrinDlgTools::openWeb(Web::Forums);
        return true;
    case A::WishList:
        CTavrinDlgTools::openWeb(Web::WishList);
        return true;
    case A::ChangePassword:
        CTavrinDlgTools::changePassword(parent);
        return true;
    case A::Backup:
    case A::ExportText:
        return false; // the organiser's windows
    }
    return false;
}

bool ToolsModule::showTips(QWidget* parent) {
    CTavrinDlgTips tips(parent);
    tips.exec();
    return true;
}

} // namespace tavrin::tools
