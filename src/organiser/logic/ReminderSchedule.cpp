#include "organiser/logic/ReminderSchedule.h"

#include "storage/LocalTime.h"

#include <algorithm>
#include <cstdio>

namespace tavrin::organiser {
namespace {

constexpr const char* kKindNames[ReminderSchedule::kKinds] = {"Yearly", "Monthly", "Weekly",
                                                              "Daily"};
constexpr const char* kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
// English whatever the user's locale: the texts are the program's own.
constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

std::string twoDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

std::string hourMinute(std::int64_t t) {
    const LocalDateTime l = LocalTime::fromTime(t);
    return twoDigits(l.hour) + ":" + twoDigits(l.minute);
}

// The calendar day `offset` days after the day of `now`, normalised as mktime does (31 December
// and one day is 1 January). Noon keeps a day that starts in a daylight-saving gap whole.
LocalDateTime dayAfter(std::int64_t now, int offset) {
    LocalDateTime d = LocalTime::fromTime(now);
    d.day += offset;
    d.hour = 12;
    d.minute = d.second = 0;
    return LocalTime::fromTime(LocalTime::toTime(d));
}

bool dueOn(const ReminderRecord& r, const LocalDateTime& day, int offset) {
    switch (r.kind()) {
    case ReminderRecord::Yearly: {
        const LocalDateTime d = LocalTime::fromTime(r.date());
        return d.month == day.month && d.day == day.day;
    }
    case ReminderRecord::Monthly:
        return LocalTime::fromTime(r.date()).day == day.day;
    case ReminderRecord::Weekly:
        return r.dayOfWeek() == day.weekday;
    case ReminderRecord::Daily:
        return offset == 0;
    default:
        return false;
    }
}

} // namespace

std::string ReminderSchedule::kindName(int kind) {
    return kind >= 0 && kind < kKinds ? kKindNames[kind] : "";
}

std::string ReminderSchedule::dayName(int dayOfWeek) {
    return dayOfWeek >= 0 && dayOfWeek < 7 ? kDayNames[dayOfWeek] : "";
}

int ReminderSchedule::kindFromName(const std::string& name) {
    for (int k = 0; k < kKinds; ++k)
        if (lower(name) == lower(kKindNames[k])) return k;
    return -1;
}

int ReminderSchedule::dayFromName(const std::string& name) {
    for (int d = 0; d < 7; ++d)
        if (lower(name) == lower(kDayNames[d])) return d;
    return -1;
}

std::string ReminderSchedule::occurrence(int kind, std::int64_t date, std::int64_t time,
                                         int dayOfWeek) {
    switch (kind) {
    case ReminderRecord::Yearly: {
        const LocalDateTime d = LocalTime::fromTime(date);
        return "every year on the " + twoDigits(d.day) + " of " + kMonthNames[d.month - 1];
    }
    case ReminderRecord::Monthly:
        return "on the " + twoDigits(LocalTime::fromTime(date).day) + " day of every month";
    case ReminderRecord::Weekly:
        return "every " + dayName(dayOfWeek) + " at " + hourMinute(time);
    case ReminderRecord::Daily:
        return "everyday at " + hourMinute(time);
    default:
        return {};
    }
}

ReminderRecord ReminderSchedule::makeRecord(int kind, std::int64_t date, std::int64_t time,
                                            int dayOfWeek, const std::string& description,
                                            bool fillEmpty) {
    ReminderRecord r;
    r.setDate(date);
    r.setTime(time);
    r.setKind(std::uint8_t(kind));
    r.setDayOfWeek(std::uint8_t(dayOfWeek));
    r.setDescription(description.empty() && fillEmpty ? std::string(kNoDescription)
                                                      : description.substr(0, kMaxDescription));
    return r;
}

std::vector<int> ReminderSchedule::due(const std::vector<ReminderRecord>& table, std::int64_t now,
                                       int lookAhead) {
    std::vector<int> list;
    std::vector<bool> listed(table.size(), false);
    for (int offset = 0; offset <= lookAhead; ++offset) {
        const LocalDateTime day = dayAfter(now, offset);
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (listed[i] || !dueOn(table[i], day, offset)) continue;
            listed[i] = true;
            list.push_back(int(i));
        }
        if (list.size() == table.size()) break; // nothing more can be added
    }
    return list;
}

std::vector<int> ReminderSchedule::ringing(const std::vector<ReminderRecord>& table,
                                           const std::vector<int>& due, std::int64_t now) {
    const LocalDateTime n = LocalTime::fromTime(now);
    std::vector<int> rings;
    for (int p : due) {
        if (p < 0 || std::size_t(p) >= table.size()) continue;
        const ReminderRecord& r = table[std::size_t(p)];
        if (r.kind() != ReminderRecord::Weekly && r.kind() != ReminderRecord::Daily) continue;
        const LocalDateTime t = LocalTime::fromTime(r.time());
        if (t.hour == n.hour && t.minute == n.minute) rings.push_back(p);
    }
    return rings;
}

} // namespace tavrin::organiser
