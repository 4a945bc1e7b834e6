#include "app/Page.h"

namespace tavrin::app {

QString pageName(Page page) {
    static const char* const names[kPageCount] = {"First-time help", "Diary",    "Reminders",
                                                  "Planner",         "Contacts", "Cookbook",
                                                  "Graph",           "Tools"};
    const int i = int(page);
    return i >= 0 && i < kPageCount ? QString::fromLatin1(names[i]) : QString();
}

} // namespace tavrin::app
