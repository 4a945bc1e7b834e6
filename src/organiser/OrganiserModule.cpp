#include "organiser/OrganiserModule.h"

#include "organiser/CTavrinDlgReminder.h"

namespace tavrin::organiser {

QWidget* OrganiserModule::createPage(app::Page page, QWidget* parent) {
    switch (page) {
    case app::Page::Reminders:
        return new CTavrinDlgReminder(reminders_, parent);
    // ---- Planner and Contacts pages: their windows are created here ----
    default:
        return nullptr;
    }
}

} // namespace tavrin::organiser
