#include "organiser/logic/PlannerItems.h"

#include "storage/LocalTime.h"
#include "storage/TN.h"

namespace tavrin::organiser {
namespace {
bool leap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}
int daysIn(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : kDays[m - 1];
}
} // namespace

const char* PlannerItems::priorityName(std::uint8_t priority) {
    return priority == kNormal ? "Normal" : "Important";
}

bool PlannerItems::isValid(CalendarDay d) {
    return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= daysIn(d.year, d.month);
}

CalendarDay PlannerItems::nextDay(CalendarDay d) {
    if (++d.day > daysIn(d.year, d.month)) {
        d.day = 1;
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    return d;
}

std::int64_t PlannerItems::dayStart(CalendarDay d) {
    if (!isValid(d)) return -1;
    LocalDateTime t;
    t.year = d.year;
    t.month = d.month;
    t.day = d.day;
    return LocalTime::toTime(t);
}

CalendarDay PlannerItems::dayOf(std::int64_t date) {
    const LocalDateTime t = LocalTime::fromTime(date);
    return {t.year, t.month, t.day};
}

CalendarDay PlannerItems::storedDay(std::int64_t date) {
    // Items are stored at the start of their day in the zone they were written in; read in
    // another zone that instant falls late on the day before or early on the day itself. The
    // nearest local midnight is the day meant (for zones less than twelve hours apart).
    const CalendarDay day = dayOf(date);
    if (!isValid(day)) return day;
    const CalendarDay next = nextDay(day);
    const std::int64_t start = dayStart(day), end = dayStart(next);
    if (start < 0 || end < 0) return day;
    return end - date < date - start ? next : day;
}

std::string PlannerItems::check(std::string_view description, int priority) {
    if (description.size() > std::size_t(kDescriptionLimit))
        return "the description holds at most " + std::to_string(kDescriptionLimit) + " characters";
    if (description.find('\0') != std::string_view::npos)
        return "the description holds a NUL character";
    if (priority != kNormal && priority != kImportant)
        return "the priority is 0 (Normal) or 1 (Important)";
    return {};
}

std::vector<PlannerRecord> PlannerItems::forDays(CalendarDay first, int days,
                                                 std::string_view description,
                                                 std::uint8_t priority, bool done) {
    std::vector<PlannerRecord> out;
    CalendarDay d = first;
    for (int i = 0; i < days; ++i, d = nextDay(d)) {
        PlannerRecord r;
        r.setDate(dayStart(d));
        r.setDone(done ? 1 : 0);
        r.setPriority(priority);
        r.setDescription(description);
        out.push_back(r);
    }
    return out;
}

bool PlannerItems::add(TN& tn, const std::vector<PlannerRecord>& items) {
    return items.empty() || tn.planner.AddAll(items);
}

} // namespace tavrin::organiser
