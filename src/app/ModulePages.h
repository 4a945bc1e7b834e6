#pragma once
// The main window's eight pages come from the modules, which sit above this layer: each module
// registers a factory for its page index at start-up (see main.cpp), and the main window asks
// for the pages by index. An index without a factory gets a plain page naming its module.
//
// Page indexes: 0 first-time help, 1 diary, 2 reminders, 3 planner, 4 contacts, 5 cookbook,
// 6 graph, 7 tools.

#include <QString>
#include <QWidget>

#include <functional>

namespace tavrin::app {

// Implemented by module pages that want to hear from the main window.
class ModulePage {
public:
    virtual ~ModulePage() = default;
    // The page was shown by the main window (also when it was already created).
    virtual void pageShown() {}
};

// What the main window and the diary flows need of the diary page (index 1).
class DiaryPageApi {
public:
    virtual ~DiaryPageApi() = default;
    virtual void clearEntryList() = 0;             // empty and disabled
    virtual void fillEntryList(bool openFormat) = 0; // from the diary; "%H:%M:%S" times when openFormat
    virtual void selectLastEntry() = 0;
    virtual void refreshPreview() = 0;             // show the previewed row again (after the options)
};

class ModulePages {
public:
    static constexpr int kCount = 8;
    using Factory = std::function<QWidget*(QWidget* parent)>;

    static void registerFactory(int index, Factory factory);
    static bool hasFactory(int index);
    // The page for `index`, made by its factory or as a plain page.
    static QWidget* create(int index, QWidget* parent);
    // "Diary", "Reminders", ... ("First-time help" for 0).
    static QString moduleName(int index);
};

} // namespace tavrin::app
