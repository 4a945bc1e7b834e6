#pragma once
// Every preference of the program: its key in the settings store and its default, in one
// table. Values are read at each use, never cached, and a missing value gives the default.

#include <QColor>
#include <QString>

#include <span>

namespace tavrin {

struct IntSetting {
    const char* key;
    int defaultValue;
};
struct StringSetting {
    const char* key;
    const char* defaultValue;
};

namespace settings {

// clang-format off
inline constexpr IntSetting OpenLastDiary{"OpenLastDiary", 0};
inline constexpr IntSetting ShowReminderOnStart{"ShowReminderOnStart", 0};
inline constexpr IntSetting RemindersDays{"RemindersDays", 1};          // 1 to 355
inline constexpr IntSetting RemindersShow{"RemindersShow", 0};          // 0 today, 1 days ahead
inline constexpr IntSetting RemindersSound{"RemindersSound", 0};        // 0 beep, 1 wave file
inline constexpr StringSetting RemindersSoundFile{"RemindersSoundFile", "..."}; // "..." = none
inline constexpr IntSetting LoadAtWinStartup{"LoadAtWinStartup", 0};
inline constexpr IntSetting MinimizeOnLoad{"MinimizeOnLoad", 0};
inline constexpr IntSetting MinimizeLocation{"MinimizeLocation", 0};    // 0 task bar, 1 tray
inline constexpr IntSetting PasswordCheck{"PasswordCheck", 0};          // 0 at start, 1 first activation
inline constexpr IntSetting FirstShow{"FirstShow", 0};                  // module index
inline constexpr IntSetting ExitOption{"ExitOption", 0};                // 0 exit, 1 minimise
inline constexpr IntSetting AlwaysOnTop{"AlwaysOnTop", 0};
inline constexpr IntSetting DeleteEntry{"deleteEntry", 1};
inline constexpr IntSetting DeleteReminder{"deleteReminder", 1};
inline constexpr IntSetting DeletePlanner{"deletePlanner", 1};
inline constexpr IntSetting DeleteContacts{"deleteContacts", 1};
inline constexpr IntSetting DeleteRecipe{"deleteRecipe", 1};
inline constexpr IntSetting DeleteIngredient{"deleteIngredient", 1};
inline constexpr IntSetting AfterRestore{"afterRestore", 0};
inline constexpr IntSetting RandomSkin{"randomSkin", 0};
inline constexpr StringSetting WhichSkin{"whichSkin", "Corvel Windows"};
inline constexpr IntSetting TipsStartup{"TipsStartup", 0};              // stored inverted
inline constexpr IntSetting TipsFilePos{"TipsFilePos", 0};
inline constexpr StringSetting TipsTimeStamp{"TipsTimeStamp", ""};
inline constexpr StringSetting DiaryFile{"DiaryFile", ""};
inline constexpr IntSetting ExtLoc{"ExtLoc", 0};
inline constexpr StringSetting ShortFile{"shortFile", ""};
inline constexpr StringSetting FontName{"Font Name", "Arial"};
inline constexpr IntSetting FontSize{"Font Size", 12};
inline constexpr IntSetting FontColorRed{"Font Color Red", 0};
inline constexpr IntSetting FontColorGreen{"Font Color Green", 0};
inline constexpr IntSetting FontColorBlue{"Font Color Blue", 0};
inline constexpr StringSetting PrintHeadFont{"Print Head Font", "Arial"};
inline constexpr IntSetting PrintHeadSize{"Print Head Size", 10};
inline constexpr StringSetting PrintBodyFont{"Print Body Font", "Arial"};
inline constexpr IntSetting PrintBodySize{"Print Body Size", 12};
inline constexpr StringSetting PrintListFont{"Print List Font", "Arial"};
inline constexpr IntSetting PrintListSize{"Print List Size", 10};
inline constexpr IntSetting AutoSpelling{"AutoSpelling", 1};
inline constexpr IntSetting AutoCorrect{"AutoCorrect", 1};
inline constexpr IntSetting CaseSensitive{"CaseSensitive", 1};
inline constexpr IntSetting CatchDoubledWords{"CatchDoubledWords", 1};
inline constexpr IntSetting IgnoreAllCapsWords{"IgnoreAllCapsWords", 0};
inline constexpr IntSetting IgnoreCapitalizedWords{"IgnoreCapitalizedWords", 0};
inline constexpr IntSetting IgnoreDomainNames{"IgnoreDomainNames", 1};
inline constexpr IntSetting IgnoreMixedCaseWords{"IgnoreMixedCaseWords", 1};
inline constexpr IntSetting IgnoreWordsWithDigits{"IgnoreWordsWithDigits", 1};
inline constexpr IntSetting PhoneticSuggestions{"PhoneticSuggestions", 0};
inline constexpr IntSetting TypographicalSuggestions{"TypographicalSuggestions", 1};

// Column widths: one integer per column, the column number filled in as "%02d".
inline constexpr const char* RecordsList = "recordsList %02d";
inline constexpr const char* GraphRecordsList = "graphRecordsList %02d";
inline constexpr const char* PlannerInDiaryList = "plannerInDiaryList %02d";
inline constexpr const char* RemindersList = "remindersList %02d";
inline constexpr const char* PlannerList = "plannerList %02d";
inline constexpr const char* AddressList = "addressList %02d";
inline constexpr const char* MedicationList = "medicationList %02d";
inline constexpr const char* IngredientsList = "ingredientsList %02d";
inline constexpr const char* IngredientsInRecipeList = "ingredientsInRecipeList %02d";
inline constexpr const char* DailyList = "dailyList %02d";
inline constexpr const char* ListViewParams = "listViewParams %02d";
// clang-format on

// Every key of the store, for checks and for tools that list them.
std::span<const IntSetting> intSettings();
std::span<const StringSetting> stringSettings();
std::span<const char* const> columnWidthFormats();

// The order in which confirming the options writes its settings (whichSkin among them).
std::span<const char* const> optionsWriteOrder();

int read(const IntSetting& s);
QString read(const StringSetting& s);
bool write(const IntSetting& s, int value);
// A null text deletes the value, so that the next read gives the default.
bool write(const StringSetting& s, const QString& text);

// The entry text's default colour from the three "Font Color" keys: invalid ("automatic", drawn
// in the field's own text colour) until the user has chosen a colour, since the keys' black
// default would be unreadable in a dark skin.
QColor entryFontColor();

// The key of column `column` of the list with the given format:
// "recordsList %02d" -> "recordsList 03".
QString columnKey(const char* format, int column);

} // namespace settings
} // namespace tavrin
