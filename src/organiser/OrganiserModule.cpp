#include "organiser/OrganiserModule.h"

#include "app/DiaryState.h"
#include "organiser/CTavrinDlgAddress.h"
#include "organiser/CTavrinDlgBackup.h"
#include "organiser/CTavrinDlgExport.h"
#include "organiser/CTavrinDlgPlanner.h"
#include "organiser/CTavrinDlgReminder.h"

namespace tavrin::organiser {

QWidget* OrganiserModule::createPage(app::Page page, QWidget* parent) {
    switch (page) {
    case app::Page::Reminders:
        return new CTavrinDlgReminder(reminders_, parent);
    case app::Page::Planner:
        return new CTavrinDlgPlanner(parent);
    case app::Page::Contacts:
        return new CTavrinDlgAddress(parent);
    default:
        return nullptr;
    }
}

// Both need the open diary; without one they do nothing (and the action is still this module's).
bool OrganiserModule::runToolAction(app::ToolAction action, QWidget* parent) {
    if (action != app::ToolAction::Backup && action != app::ToolAction::ExportText) return false;
    if (!app::DiaryState::instance().usable()) return true;
    if (action == app::ToolAction::Backup) {
        CTavrinDlgBackup dlg(parent);
        dlg.exec();
    } else {
        CTavrinDlgExport dlg(parent);
        dlg.exec();
    }
    return true;
}

} // namespace tavrin::organiser
