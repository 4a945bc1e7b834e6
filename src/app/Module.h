#pragma once
// A module (diary, organiser, nutrition, graph, tools, options...) plugs into the main window as
// one object, registered by one line in main.cpp before the program starts:
//
//     app::ModuleRegistry::add<diary::DiaryModule>();
//
// Every part below is optional; the defaults offer nothing, and what no module offers is simply
// absent (a page naming its module, an empty panel body, no reminders due, a navigator place
// that does nothing). When several modules offer the same part, the first registered wins.

#include "app/Page.h"
#include "app/ShellHooks.h"

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace tavrin::ui {
class CCustomPropertyPage;
}

namespace tavrin::app {

// A command a module offers on the tools page: a button at the end of its group, in module
// order.
struct ToolEntry {
    ToolGroup group;
    QString caption;
    QString name; // the button's object name
    std::function<void(QWidget* parent)> run;
};

// A view a module offers on the graph page: a checkable button under the plot's buttons shows
// the view in the plot's place; `create` makes it afresh each time (nullptr: nothing to show,
// the plot stays).
struct GraphView {
    QString caption;
    QString name; // the button's object name
    std::function<QWidget*(QWidget* parent)> create;
};

class Module {
public:
    virtual ~Module() = default;

    // The widget of `page` in the main window's card, or nullptr when this module makes no such
    // page. Asked once per main window for each page. The page may implement ModulePage (told
    // when shown) and SubPageSelector (the navigator's places inside it); the diary page
    // implements DiaryPageApi.
    virtual QWidget* createPage(Page /*page*/, QWidget* /*parent*/) { return nullptr; }
    // The body of a floating panel, or nullptr. It may implement PanelContent.
    virtual QWidget* createPanelBody(Panel /*panel*/, QWidget* /*parent*/) { return nullptr; }
    // The reminders behind the main window's minute timer (the module keeps it), or nullptr.
    virtual ReminderService* reminderService() { return nullptr; }
    // Runs a tools-panel action chosen in the navigator; false when the module has none for it.
    virtual bool runToolAction(ToolAction /*action*/, QWidget* /*parent*/) { return false; }
    // Commands of this module on the tools page, and views of it on the graph page: how a module
    // offers a window to another module's page without that page knowing it.
    virtual QList<ToolEntry> toolEntries() { return {}; }
    virtual QList<GraphView> graphViews() { return {}; }
    // Pages of the options sheet while a diary is open, in the order they are shown; the sheet
    // takes them over.
    virtual QList<ui::CCustomPropertyPage*> createOptionPages() { return {}; }
    // The options sheet itself, made by the module that offersOptions(): runOptions() shows it
    // and returns true when it was saved; afterOptionsSaved() then does what follows a save and
    // returns true when the program is to end (a restart was scheduled).
    virtual bool offersOptions() const { return false; }
    virtual bool runOptions(QWidget* /*parent*/) { return false; }
    virtual bool afterOptionsSaved(QWidget* /*mainWindow*/, const QString& /*previousSkin*/) {
        return false;
    }
    // Shows the tips window at start-up; false when the module has none.
    virtual bool showTips(QWidget* /*parent*/) { return false; }
};

// Implemented by module pages that want to hear from the main window.
class ModulePage {
public:
    virtual ~ModulePage() = default;
    // The page was shown by the main window (also when it was already created).
    virtual void pageShown() {}
};

// What the main window and the diary flows need of the diary page.
class DiaryPageApi {
public:
    virtual ~DiaryPageApi() = default;
    virtual void clearEntryList() = 0;               // empty and disabled
    virtual void fillEntryList(bool openFormat) = 0; // "%H:%M:%S" times when openFormat
    virtual void selectLastEntry() = 0;
    virtual void refreshPreview() = 0; // show the previewed row again (after the options)
};

} // namespace tavrin::app
