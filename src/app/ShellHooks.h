#pragma once
// What the main window and the modules share: the floating panels, the tools-panel actions, the
// reminder service, the interfaces a module's page or panel body may implement, and the main
// window's commands that module code may issue (ShellHooks::shell()). A module offers its parts
// through one Module object (Module.h).

#include "app/Page.h"

class QWidget;

namespace tavrin::app {

// The three floating panels below the main window.
enum class Panel { Navigator = 0, Calculator = 1, ScratchPad = 2 };
inline constexpr int kPanelCount = 3;

// Tools-panel actions that the navigator can start.
enum class ToolAction {
    CompactEntries,
    WebSite,
    Forums,
    WishList,
    ChangePassword,
    Backup,
    ExportText
};

// The groups of the tools page, where modules' tool entries (Module::toolEntries) go.
enum class ToolGroup { ElectronicInteraction, ImportExport, Security, Maintenance };

// The reminders module's side of the main window's minute timer.
class ReminderService {
public:
    virtual ~ReminderService() = default;
    // Rebuild the list of due reminders from the open diary.
    virtual void computeDue() = 0;
    // Whether a due reminder rings at the current minute.
    virtual bool alarmRaised() = 0;
    // The current-reminders window, shown modally.
    virtual void showCurrentReminders(QWidget* parent) = 0;
};

// A module page with pages of its own that the navigator can open. The main window shows the
// module first, then calls selectSubPage() with one of these numbers:
//   diary page:        kDiaryText "Diary Text and Basic Parameters", kDiaryBody "Body Pain Map",
//                      kDiaryMedication "Medication", kDiaryFibro "Fibromyalgia Parameters"
//   cookbook page:     kCookbook "Cookbook", kIngredients "Ingredients", kDailyCalories
//                      "Daily Calories", kShoppingList "Shopping List", kUnits "Units Calculator
//                      and Miscellaneous"
class SubPageSelector {
public:
    enum DiaryPreview { kDiaryText = 0, kDiaryBody = 1, kDiaryMedication = 2, kDiaryFibro = 3 };
    enum CookbookPage {
        kCookbook = 0,
        kIngredients = 1,
        kDailyCalories = 2,
        kShoppingList = 3,
        kUnits = 4
    };
    virtual ~SubPageSelector() = default;
    virtual void selectSubPage(int which) = 0;
};

// Optional for a panel body: told when its panel opens to its working size (the navigator
// rebuilds its tree then, the scratch pad relabels its buttons).
class PanelContent {
public:
    virtual ~PanelContent() = default;
    virtual void panelExpanded() {}
};

// Commands of the main window that module code may issue.
class ShellCommands {
public:
    virtual ~ShellCommands() = default;
    virtual QWidget* shellWindow() = 0;
    // Shows a page (the first-time help page instead without a usable diary).
    virtual void showModule(Page page) = 0;
    virtual void togglePage(Page page) = 0; // as the module buttons do
    virtual void togglePanel(Panel panel) = 0;
    virtual void collapsePanel(Panel panel) = 0;
    virtual void runOptions() = 0;
    // The current-reminders window, modal, with the minute timer stopped while it is open.
    virtual void showCurrentReminders() = 0;
};

class ShellHooks {
public:
    // The main window while it exists (nullptr before and after).
    static ShellCommands* shell();
    static void setShell(ShellCommands* shell);
};

} // namespace tavrin::app
