#pragma once
// The registered modules, and what the main window asks of them as a whole (see Module.h).
// Filled in main.cpp before the program starts; tests clear it and add their own.

#include "app/Module.h"

#include <memory>
#include <vector>

namespace tavrin::app {

class ModuleRegistry {
public:
    static void add(std::unique_ptr<Module> module);
    template <class M> static void add() { add(std::make_unique<M>()); }
    // Forgets every module (tests).
    static void clear();
    static const std::vector<std::unique_ptr<Module>>& modules();

    // The page from the first module that makes it, or a plain page naming it.
    static QWidget* createPage(Page page, QWidget* parent);
    // The body of a panel, or nullptr when no module offers one.
    static QWidget* createPanelBody(Panel panel, QWidget* parent);
    // The first module's reminder service, or one with nothing ever due.
    static ReminderService& reminders();
    // False when no module runs the action.
    static bool runToolAction(ToolAction action, QWidget* parent);
    // Every module's entries of a tools-page group, and every module's graph views, in module
    // order.
    static QList<ToolEntry> toolEntries(ToolGroup group);
    static QList<GraphView> graphViews();
    // Every module's option pages, in module order.
    static QList<ui::CCustomPropertyPage*> createOptionPages();
    // The options sheet; false when it was discarded or no module offers it.
    static bool runOptions(QWidget* parent);
    // True when the program is to end; false when no module offers the options.
    static bool afterOptionsSaved(QWidget* mainWindow, const QString& previousSkin);
    // False when no module shows tips.
    static bool showTips(QWidget* parent);
};

} // namespace tavrin::app
