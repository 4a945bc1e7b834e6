#include "diary/PlannerOfDay.h"

#include "storage/Cp1252.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"

namespace tavrin::diary {

QList<DayPlanItem> PlannerOfDay::items(const std::vector<PlannerRecord>& table, int year, int month,
                                       int day) {
    QList<DayPlanItem> out;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const PlannerRecord& r = table[i];
        if (r.isMarked()) continue;
        const LocalDateTime t = LocalTime::fromTime(r.date());
        if (t.year != year || t.month != month || t.day != day) continue;
        out.append({int(i), QString::fromStdString(cp1252::toUtf8(r.description())), r.done() != 0,
                    r.priority() != 0});
    }
    return out;
}

bool PlannerOfDay::read(TN& tn, int year, int month, int day, QList<DayPlanItem>& out) {
    std::vector<PlannerRecord> table;
    out.clear();
    if (!tn.planner.ReadAll(table)) return false;
    out = items(table, year, month, day);
    return true;
}

bool PlannerOfDay::setDone(TN& tn, int position, bool done) {
    tn.planner.index = position;
    if (!tn.planner.Read()) return false;
    tn.planner.replacement = tn.planner.record;
    tn.planner.replacement.setDone(done ? 1 : 0);
    return tn.planner.Replace(position);
}

} // namespace tavrin::diary
