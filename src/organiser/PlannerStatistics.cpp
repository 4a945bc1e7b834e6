#include "organiser/PlannerStatistics.h"

#include "organiser/logic/PlannerItems.h"

#include <QLocale>

#include <algorithm>

namespace tavrin::organiser {
namespace {
constexpr const char* kNoEntries = "No entries yet!";
constexpr const char* kNoneSelected = "No entries on the selected day!";

// Single precision, as the lines have always been computed.
float percent(int done, int of) {
    return float(done) * 100.0f / float(of);
}
} // namespace

QDate PlannerStatistics::dayOf(std::int64_t date) {
    const CalendarDay d = PlannerItems::storedDay(date);
    return QDate(d.year, d.month, d.day);
}

QString PlannerStatistics::longDate(std::int64_t date) {
    return QLocale().toString(dayOf(date), QLocale::LongFormat);
}

PlannerCounts PlannerStatistics::count(const std::vector<PlannerRecord>& items, QDate first,
                                       QDate last) {
    PlannerCounts c;
    for (const PlannerRecord& r : items) {
        if (r.isMarked()) continue;
        const bool done = r.done() != 0;
        ++c.total;
        c.totalDone += done;
        const QDate d = dayOf(r.date());
        if (d >= first && d <= last) {
            ++c.selCount;
            c.selDone += done;
        }
    }
    return c;
}

QString PlannerStatistics::selectionLine(const PlannerCounts& c) {
    if (c.total == 0) return kNoEntries;
    if (c.selCount == 0) return kNoneSelected;
    return QString::asprintf("SELECTED: done %d out of %d = %.1f %%", c.selDone, c.selCount,
                             double(percent(c.selDone, c.selCount)));
}

QString PlannerStatistics::totalLine(const PlannerCounts& c) {
    if (c.total == 0) return kNoEntries;
    return QString::asprintf("TOTAL: done %d out of %d = %.1f %%", c.totalDone, c.total,
                             double(percent(c.totalDone, c.total)));
}

QList<int> PlannerStatistics::dayRows(const std::vector<PlannerRecord>& items, QDate first,
                                      QDate last) {
    QList<QDate> days(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        days[qsizetype(i)] = items[i].isMarked() ? QDate() : dayOf(items[i].date());
    QList<int> rows;
    for (QDate day = first; day.isValid() && day <= last; day = day.addDays(1))
        for (qsizetype i = 0; i < days.size(); ++i)
            if (days[i] == day) rows << int(i);
    return rows;
}

QList<int> PlannerStatistics::busyDays(const std::vector<PlannerRecord>& items, int year,
                                       int month) {
    QList<int> out;
    for (const PlannerRecord& r : items) {
        if (r.isMarked()) continue;
        const QDate d = dayOf(r.date());
        if (d.year() == year && d.month() == month && !out.contains(d.day())) out << d.day();
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace tavrin::organiser
