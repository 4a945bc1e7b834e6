#pragma once
// The preferences the options sheet edits that live in the settings store, as plain values:
// read all at once when the sheet is made, written all at once when it is saved.

#include <QString>
#include <QVariant>

#include <functional>

namespace tavrin::options {

struct OptionsSettings {
    // "Startup"
    bool loadAtStartup = false;
    bool minimizeOnLoad = false;
    bool openLastDiary = false;
    bool showRemindersAtStart = false;
    bool alwaysOnTop = false;
    int firstShow = 0;        // module index of the start page
    int minimizeLocation = 0; // 0 task bar, 1 tray
    int passwordCheck = 0;    // 0 immediately, 1 on first activation
    bool afterRestore = false;
    int remindersShow = 0; // 0 today only, 1 up to remindersDays ahead
    int remindersDays = 1;
    int exitOption = 0; // 0 exit, 1 minimise
    // Confirmation before deleting: entry, reminder, planner item, contact, recipe, ingredient.
    bool confirmDelete[6] = {true, true, true, true, true, true};
    bool tipsOnStartup = true; // stored inverted in TipsStartup
    QString whichSkin;
    bool randomSkin = false;
    int remindersSound = 0;     // 0 beep, 1 wave file
    QString remindersSoundFile; // "..." when none is chosen
    // Edited by the diary pages; kept here so that they are saved with the rest.
    int printHeadSize = 10;
    int printBodySize = 12;

    static constexpr int kMinDays = 1, kMaxDays = 355;

    static OptionsSettings load();

    // One write to the store; false when it failed.
    using Writer = std::function<bool(const QString& key, const QVariant& value)>;
    // Writes every value in settings::optionsWriteOrder(), through `write` (the settings store
    // when none is given). False when a write failed; the others are still made.
    bool save(const Writer& write = Writer()) const;
    // The value that goes with a key of the write order (an invalid QVariant for another key).
    QVariant valueFor(const QString& key) const;
};

} // namespace tavrin::options
