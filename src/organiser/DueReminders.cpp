#include "organiser/DueReminders.h"

#include "app/DiaryState.h"
#include "organiser/CTavrinDlgReminderView.h"
#include "organiser/logic/ReminderSchedule.h"
#include "platform/Clock.h"
#include "platform/Settings.h"
#include "platform/TrayNotice.h"
#include "storage/Cp1252.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"

#include <QStringList>

namespace tavrin::organiser {

bool DueReminders::readTable(std::vector<ReminderRecord>& table) {
    table.clear();
    const auto& state = app::DiaryState::instance();
    if (!state.hasPath()) return false;
    return state.makeTN()->reminders.ReadAll(table);
}

void DueReminders::computeDue() {
    if (!app::DiaryState::instance().isOpen()) return;
    std::vector<ReminderRecord> table;
    if (!readTable(table) || table.empty()) {
        due_.clear(); // positions of another table would name the wrong reminders
        return;
    }
    const int ahead = ReminderSchedule::lookAhead(settings::read(settings::RemindersShow) != 0,
                                                  settings::read(settings::RemindersDays));
    due_ = ReminderSchedule::due(table, platform::Clock::now(), ahead);
}

bool DueReminders::alarmRaised() {
    if (!app::DiaryState::instance().isOpen() || due_.empty()) return false;
    std::vector<ReminderRecord> table;
    if (!readTable(table) || table.empty()) return false;
    const std::vector<int> rings = ReminderSchedule::ringing(table, due_, platform::Clock::now());
    if (rings.empty()) return false;
    QStringList descriptions;
    for (int p : rings)
        descriptions << QString::fromStdString(cp1252::toUtf8(table[std::size_t(p)].description()));
    // Someone who is not looking at the screen still learns of it.
    platform::TrayNotice::notify(QString::fromLatin1(texts::kProgramTitle),
                                 descriptions.join(QLatin1Char('\n')));
    return true;
}

void DueReminders::showCurrentReminders(QWidget* parent) {
    CTavrinDlgReminderView view(due_, parent);
    view.exec();
}

} // namespace tavrin::organiser
