#pragma once
// What the main window needs from the modules, which sit above this layer. Each module
// registers its part at start-up in main.cpp, before CTavrinApp::run(); whatever is not
// registered is simply absent (an empty panel body, no reminders due, a navigator action that
// does nothing). Pages themselves come through ModulePages.
//
//   ShellHooks::setOptionsHandler(fn)         fn(parent) runs the options sheet; on "Save" it
//                                             writes the settings and the open diary's
//                                             configuration and returns true
//   ShellHooks::setOptionsAfterSave(fn)       fn(mainWindow, previousSkin) does what follows a
//                                             save (autostart entry, reloaded shortcuts, restart
//                                             offer); true: end the program
//   ShellHooks::setReminderService(service)   the due computation, alarm check and
//                                             current-reminders window
//   ShellHooks::setPanelFactory(panel, fn)    fn(parent) makes the body of a floating panel
//   ShellHooks::setToolAction(action, fn)     fn(parent) runs a tools-panel action chosen in
//                                             the navigator
//   ShellHooks::setTipsHandler(fn)            fn(parent) shows the tips window at start-up
//   ShellHooks::shell()                       the main window's commands, for module code that
//                                             needs them
//
// Pages may also implement SubPageSelector (the diary and cookbook pages, for the navigator)
// and panel bodies PanelContent.

#include <QString>

#include <functional>
#include <memory>

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
//   diary page (1):    kDiaryText "Diary Text and Basic Parameters", kDiaryBody "Body Pain Map",
//                      kDiaryMedication "Medication", kDiaryFibro "Fibromyalgia Parameters"
//   cookbook page (5): kCookbook "Cookbook", kIngredients "Ingredients", kDailyCalories
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
    virtual void
    showModule(int index) = 0; // show a page (falls back to page 0 without a usable diary)
    virtual void togglePage(int index) = 0; // as the module buttons do
    virtual void togglePanel(Panel panel) = 0;
    virtual void collapsePanel(Panel panel) = 0;
    virtual void runOptions() = 0;
};

class ShellHooks {
public:
    using OptionsHandler = std::function<bool(QWidget* parent)>;
    using OptionsAfterSave = std::function<bool(QWidget* mainWindow, const QString& previousSkin)>;
    using PanelFactory = std::function<QWidget*(QWidget* parent)>;
    using Action = std::function<void(QWidget* parent)>;

    static void setOptionsHandler(OptionsHandler handler);
    // Runs the registered options sheet; false when it was discarded or none is registered.
    static bool runOptions(QWidget* parent);
    static bool hasOptionsHandler();
    // After a saved sheet the main window keeps itself on top or not, then calls this, then
    // refreshes the entry preview and the graph. True when the program is to end (a restart
    // was scheduled); false when nothing is registered.
    static void setOptionsAfterSave(OptionsAfterSave fn);
    static bool afterOptionsSaved(QWidget* mainWindow, const QString& previousSkin);

    static void setReminderService(std::unique_ptr<ReminderService> service);
    // The registered service, or one with nothing due.
    static ReminderService& reminders();

    static void setPanelFactory(Panel panel, PanelFactory factory);
    // The body of a panel, or nullptr when no module registered one.
    static QWidget* createPanelContent(Panel panel, QWidget* parent);

    static void setToolAction(ToolAction action, Action fn);
    // Runs the action; false when nothing is registered for it.
    static bool runToolAction(ToolAction action, QWidget* parent);

    static void setTipsHandler(Action fn);
    static bool showTips(QWidget* parent);

    // The main window while it exists (nullptr before and after).
    static ShellCommands* shell();
    static void setShell(ShellCommands* shell);

    // Forgets every registration (tests).
    static void reset();
};

} // namespace tavrin::app
