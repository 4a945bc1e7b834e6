#include "options/OptionsSettings.h"

#include "platform/Settings.h"
#include "platform/SettingsStore.h"

namespace tavrin::options {
namespace {

namespace s = tavrin::settings;

const IntSetting* const kConfirmKeys[6] = {&s::DeleteEntry,   &s::DeleteReminder,
                                           &s::DeletePlanner, &s::DeleteContacts,
                                           &s::DeleteRecipe,  &s::DeleteIngredient};

bool on(const IntSetting& setting) {
    return s::read(setting) != 0;
}

bool writeToStore(const QString& key, const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return platform::SettingsStore::writeString(key, value.toString());
    return platform::SettingsStore::writeInt(key, value.toInt());
}

} // namespace

OptionsSettings OptionsSettings::load() {
    OptionsSettings o;
    o.loadAtStartup = on(s::LoadAtWinStartup);
    o.minimizeOnLoad = on(s::MinimizeOnLoad);
    o.openLastDiary = on(s::OpenLastDiary);
    o.showRemindersAtStart = on(s::ShowReminderOnStart);
    o.alwaysOnTop = on(s::AlwaysOnTop);
    o.firstShow = s::read(s::FirstShow);
    o.minimizeLocation = s::read(s::MinimizeLocation);
    o.passwordCheck = s::read(s::PasswordCheck);
    o.afterRestore = on(s::AfterRestore);
    o.remindersShow = s::read(s::RemindersShow);
    o.remindersDays = s::read(s::RemindersDays);
    o.exitOption = s::read(s::ExitOption);
    for (int i = 0; i < 6; ++i)
        o.confirmDelete[i] = on(*kConfirmKeys[i]);
    o.tipsOnStartup = !on(s::TipsStartup);
    o.whichSkin = s::read(s::WhichSkin);
    o.randomSkin = on(s::RandomSkin);
    o.remindersSound = s::read(s::RemindersSound);
    o.remindersSoundFile = s::read(s::RemindersSoundFile);
    o.printHeadSize = s::read(s::PrintHeadSize);
    o.printBodySize = s::read(s::PrintBodySize);
    return o;
}

QVariant OptionsSettings::valueFor(const QString& key) const {
    const auto is = [&key](const auto& setting) { return key == QLatin1String(setting.key); };
    if (is(s::OpenLastDiary)) return int(openLastDiary);
    if (is(s::ShowReminderOnStart)) return int(showRemindersAtStart);
    if (is(s::RemindersDays)) return remindersDays;
    if (is(s::RemindersShow)) return remindersShow;
    if (is(s::RemindersSound)) return remindersSound;
    if (is(s::RemindersSoundFile)) return remindersSoundFile;
    if (is(s::LoadAtWinStartup)) return int(loadAtStartup);
    if (is(s::MinimizeOnLoad)) return int(minimizeOnLoad);
    if (is(s::MinimizeLocation)) return minimizeLocation;
    if (is(s::PasswordCheck)) return passwordCheck;
    if (is(s::FirstShow)) return firstShow;
    if (is(s::ExitOption)) return exitOption;
    if (is(s::AlwaysOnTop)) return int(alwaysOnTop);
    for (int i = 0; i < 6; ++i)
        if (is(*kConfirmKeys[i])) return int(confirmDelete[i]);
    if (is(s::AfterRestore)) return int(afterRestore);
    if (is(s::RandomSkin)) return int(randomSkin);
    if (is(s::TipsStartup)) return tipsOnStartup ? 0 : 1;
    if (is(s::WhichSkin)) return whichSkin;
    if (is(s::PrintHeadSize)) return printHeadSize;
    if (is(s::PrintBodySize)) return printBodySize;
    return {};
}

bool OptionsSettings::save(const Writer& write) const {
    const Writer& out = write ? write : Writer(writeToStore);
    bool ok = true;
    for (const char* key : s::optionsWriteOrder()) {
        const QString name = QString::fromLatin1(key);
        const QVariant value = valueFor(name);
        // Every key of the order has a value above; a key added to the order alone is a
        // programming error, not something to write as 0.
        Q_ASSERT_X(value.isValid(), "OptionsSettings::save", key);
        if (!value.isValid()) continue;
        if (!out(name, value)) ok = false;
    }
    return ok;
}

} // namespace tavrin::options
