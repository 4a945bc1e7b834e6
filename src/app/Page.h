#pragma once
// The pages of the main window's card, in the order of the module buttons. The first-time help
// page belongs to the main window; modules make the others (Module::createPage). The settings
// store a page by its number (FirstShow): convert at that boundary only.

#include <QString>

namespace tavrin::app {

enum class Page : int { FirstTime, Diary, Reminders, Planner, Contacts, Cookbook, Graph, Tools };

inline constexpr int kPageCount = int(Page::Tools) + 1;

// "Diary", "Reminders", ... ("First-time help" for the first page); empty past the last.
QString pageName(Page page);

} // namespace tavrin::app
