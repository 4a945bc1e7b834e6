#pragma once
// When reminders fall due, and how they read. A reminder recurs every year on a date, every
// month on a day of the month, every week on a day of the week, or every day; the weekly and
// daily ones ring at their time of day.
//
// The due list holds record positions of the reminders table: each due reminder once, in order
// of its first due day within the look-ahead window (today first), and within a day in table
// order. Texts are Windows-1252, as in the records.

#include "storage/ReminderRecord.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrin::organiser {

class ReminderSchedule {
public:
    static constexpr int kKinds = 4;
    static constexpr int kMaxDescription = 49; // characters, so that the NUL fits the field
    static constexpr const char* kNoDescription = "n/a";

    // "Yearly", "Monthly", "Weekly", "Daily"; empty for any other kind.
    static std::string kindName(int kind);
    // "Sunday" to "Saturday"; empty outside 0 to 6.
    static std::string dayName(int dayOfWeek);
    // The kind from its name, letter case ignored; -1 when there is none.
    static int kindFromName(const std::string& name);
    static int dayFromName(const std::string& name);

    // How the reminder recurs: "every year on the 05 of March", "on the 05 day of every month",
    // "every Friday at 09:30", "everyday at 07:05". Empty for any other kind.
    static std::string occurrence(int kind, std::int64_t date, std::int64_t time, int dayOfWeek);
    static std::string occurrence(const ReminderRecord& r) {
        return occurrence(r.kind(), r.date(), r.time(), r.dayOfWeek());
    }

    // A new record from the inputs; an empty description becomes "n/a" when `fillEmpty`.
    static ReminderRecord makeRecord(int kind, std::int64_t date, std::int64_t time, int dayOfWeek,
                                     const std::string& description, bool fillEmpty);

    // The number of days after today that the due list covers: `days` when `ahead` is set, at
    // most the options' limit (a damaged setting must not make every minute's check crawl).
    static constexpr int kMaxLookAhead = 355;
    static int lookAhead(bool ahead, int days) {
        return ahead && days > 0 ? std::min(days, kMaxLookAhead) : 0;
    }

    // The due list of `table` for the days from the day of `now` to `lookAhead` days later.
    static std::vector<int> due(const std::vector<ReminderRecord>& table, std::int64_t now,
                                int lookAhead);
    // The positions of the due list whose weekly or daily reminder rings at the hour and minute
    // of `now`, in due-list order. A weekly reminder due later in the window rings today too.
    static std::vector<int> ringing(const std::vector<ReminderRecord>& table,
                                    const std::vector<int>& due, std::int64_t now);
};

} // namespace tavrin::organiser
