#pragma once
// "Today's Planner" of the entry sheet: the planner items of one calendar day, and ticking one
// off in the planner table.

#include <QList>
#include <QString>

#include <vector>

namespace tavrin {
class PlannerRecord;
class TN;
} // namespace tavrin

namespace tavrin::diary {

struct DayPlanItem {
    int position; // the record's place in the planner table
    QString description;
    bool done;
    bool important;

    QString priorityText() const { return important ? "Important" : "Normal"; }
};

class PlannerOfDay {
public:
    // The items whose date falls on the local calendar day (month 1 to 12), in table order.
    // Items marked for deletion are left out.
    static QList<DayPlanItem> items(const std::vector<PlannerRecord>& table, int year, int month,
                                    int day);
    // Reads the planner table of `tn` and picks the day's items; false when it cannot be read.
    static bool read(TN& tn, int year, int month, int day, QList<DayPlanItem>& out);
    // Writes the done flag of the item at `position` back to the table, the rest of the record
    // as it is stored now.
    static bool setDone(TN& tn, int position, bool done);
};

} // namespace tavrin::diary
