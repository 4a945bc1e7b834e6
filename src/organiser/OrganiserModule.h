#pragma once
// The organiser module as the main window sees it: its pages (reminders, planner, contacts),
// the reminders behind the minute timer, and the backup and export windows as tools actions.

#include "app/Module.h"
#include "organiser/DueReminders.h"

namespace tavrin::organiser {

class OrganiserModule : public app::Module {
public:
    QWidget* createPage(app::Page page, QWidget* parent) override;
    app::ReminderService* reminderService() override { return &reminders_; }
    bool runToolAction(app::ToolAction action, QWidget* parent) override;

private:
    DueReminders reminders_;
};

} // namespace tavrin::organiser
