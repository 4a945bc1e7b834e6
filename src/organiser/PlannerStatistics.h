#pragma once
// What the planner page shows of its working copy (every record of the planner table, in table
// order): the items of the selected days, the days of a month that carry items, and the two
// status lines with their completion percentages. Records marked for deletion are left out.

#include "storage/PlannerRecord.h"

#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

namespace tavrin::organiser {

struct PlannerCounts {
    int total = 0, totalDone = 0;  // the whole planner
    int selCount = 0, selDone = 0; // the selected days
};

class PlannerStatistics {
public:
    static PlannerCounts count(const std::vector<PlannerRecord>& items, QDate first, QDate last);

    // "SELECTED: done 1 out of 3 = 33.3 %", or the texts for an empty planner or selection.
    static QString selectionLine(const PlannerCounts& c);
    // "TOTAL: done 1 out of 3 = 33.3 %", or the text for an empty planner.
    static QString totalLine(const PlannerCounts& c);

    // Table positions of the items of the days first to last: by day, then in table order.
    static QList<int> dayRows(const std::vector<PlannerRecord>& items, QDate first, QDate last);
    // The days of a month that carry at least one item.
    static QList<int> busyDays(const std::vector<PlannerRecord>& items, int year, int month);

    // The local calendar day of a stored date, and its long form as the all-entries view
    // shows it.
    static QDate dayOf(std::int64_t date);
    static QString longDate(std::int64_t date);
};

} // namespace tavrin::organiser
