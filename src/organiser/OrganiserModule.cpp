#include "OrganiserModule.h"

#include "CTavrinDlgAddress.h"
#include "CTavrinDlgPlanner.h"

namespace tavrin::organiser {

QWidget* OrganiserModule::createPage(app::Page page, QWidget* parent) {
    switch (page) {
    case app::Page::Planner:
        return new CTavrinDlgPlanner(parent);
    case app::Page::Contacts:
        return new CTavrinDlgAddress(parent);
    default:
        return nullptr;
    }
}

} // namespace tavrin::organiser
