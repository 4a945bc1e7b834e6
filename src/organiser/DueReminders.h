#pragma once
// The reminders behind the main window's minute timer: the due list of the open diary, the
// alarm check, and the current-reminders window. The reminders page shares it.

#include "app/ShellHooks.h"
#include "storage/ReminderRecord.h"

#include <vector>

namespace tavrin::organiser {

class DueReminders : public app::ReminderService {
public:
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpReminders.html";

    // Rebuilds the due list over today and the look-ahead of the settings; only while the
    // diary's password has been accepted.
    void computeDue() override;
    // Whether a weekly or daily reminder of the due list rings at the current minute. When the
    // window hides in the tray, the ringing reminders are also told in a tray notification.
    bool alarmRaised() override;
    void showCurrentReminders(QWidget* parent) override;

    // Record positions in the reminders table, in due order.
    const std::vector<int>& due() const { return due_; }

    // The reminders table of the open diary; false when there is none to read.
    static bool readTable(std::vector<ReminderRecord>& table);

private:
    std::vector<int> due_;
};

} // namespace tavrin::organiser
