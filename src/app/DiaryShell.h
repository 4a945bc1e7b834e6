#pragma once
// What the diary flows need of the main window: its entry list and its pages.

#include "app/Page.h"

class QWidget;

namespace tavrin::app {

class DiaryShell {
public:
    virtual ~DiaryShell() = default;
    virtual QWidget* shellWindow() = 0;
    // The diary page's entry list: emptied and disabled, or filled from the diary (the time
    // column in "%H:%M:%S" when `openFormat`, else the locale's form), enabled and focused.
    virtual void clearEntryList() = 0;
    virtual void fillEntryList(bool openFormat) = 0;
    virtual void selectLastEntry() = 0;
    virtual void showModule(Page page) = 0;
    virtual Page currentModule() const = 0;
};

} // namespace tavrin::app
