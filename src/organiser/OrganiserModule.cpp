#include "organiser/OrganiserModule.h"

#include "organiser/CTavrinDlgAddress.h"
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

} // namespace tavrin::organiser
