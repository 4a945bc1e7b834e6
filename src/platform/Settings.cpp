#include "platform/Settings.h"

#include "platform/SettingsStore.h"

#include <algorithm>

namespace tavrin::settings {

using platform::SettingsStore;

std::span<const IntSetting> intSettings() {
    static const IntSetting all[] = {
        OpenLastDiary,
        ShowReminderOnStart,
        RemindersDays,
        RemindersShow,
        RemindersSound,
        LoadAtWinStartup,
        MinimizeOnLoad,
        MinimizeLocation,
        PasswordCheck,
        FirstShow,
        ExitOption,
        AlwaysOnTop,
        DeleteEntry,
        DeleteReminder,
        DeletePlanner,
        DeleteContacts,
        DeleteRecipe,
        DeleteIngredient,
        AfterRestore,
        RandomSkin,
        TipsStartup,
        TipsFilePos,
        ExtLoc,
        FontSize,
        FontColorRed,
        FontColorGreen,
        FontColorBlue,
        PrintHeadSize,
        PrintBodySize,
        PrintListSize,
        AutoSpelling,
        AutoCorrect,
        CaseSensitive,
        CatchDoubledWords,
        IgnoreAllCapsWords,
        IgnoreCapitalizedWords,
        IgnoreDomainNames,
        IgnoreMixedCaseWords,
        IgnoreWordsWithDigits,
        PhoneticSuggestions,
        TypographicalSuggestions,
    };
    return all;
}

std::span<const StringSetting> stringSettings() {
    static const StringSetting all[] = {
        RemindersSoundFile, WhichSkin,     TipsTimeStamp, DiaryFile,     ShortFile,
        FontName,           PrintHeadFont, PrintBodyFont, PrintListFont,
    };
    return all;
}

std::span<const char* const> columnWidthFormats() {
    static const char* const all[] = {
        RecordsList,    GraphRecordsList, PlannerInDiaryList, RemindersList,           PlannerList,
        AddressList,    MedicationList,   IngredientsList,    IngredientsInRecipeList, DailyList,
        ListViewParams,
    };
    return all;
}

std::span<const char* const> optionsWriteOrder() {
    static const char* const order[] = {
        OpenLastDiary.key,    ShowReminderOnStart.key, RemindersDays.key,    RemindersShow.key,
        RemindersSound.key,   RemindersSoundFile.key,  LoadAtWinStartup.key, MinimizeOnLoad.key,
        MinimizeLocation.key, PasswordCheck.key,       FirstShow.key,        ExitOption.key,
        AlwaysOnTop.key,      DeleteEntry.key,         DeleteReminder.key,   DeletePlanner.key,
        DeleteContacts.key,   DeleteRecipe.key,        DeleteIngredient.key, AfterRestore.key,
        RandomSkin.key,       TipsStartup.key,         WhichSkin.key,        PrintHeadSize.key,
        PrintBodySize.key,
    };
    return order;
}

int read(const IntSetting& s) {
    return SettingsStore::readInt(s.key, s.defaultValue);
}
QString read(const StringSetting& s) {
    return SettingsStore::readString(s.key, s.defaultValue);
}
bool write(const IntSetting& s, int value) {
    return SettingsStore::writeInt(s.key, value);
}
bool write(const StringSetting& s, const QString& text) {
    return SettingsStore::writeString(s.key, text);
}

QColor entryFontColor() {
    const IntSetting parts[] = {FontColorRed, FontColorGreen, FontColorBlue};
    bool chosen = false;
    for (const IntSetting& part : parts)
        chosen = chosen || SettingsStore::contains(QString::fromLatin1(part.key));
    if (!chosen) return QColor();
    return QColor(std::clamp(read(FontColorRed), 0, 255), std::clamp(read(FontColorGreen), 0, 255),
                  std::clamp(read(FontColorBlue), 0, 255));
}

QString columnKey(const char* format, int column) {
    // Filled in by hand rather than by printf: a format that is not a literal goes unchecked.
    return QString::fromLatin1(format).replace(
        QLatin1String("%02d"), QStringLiteral("%1").arg(column, 2, 10, QLatin1Char('0')));
}

} // namespace tavrin::settings
