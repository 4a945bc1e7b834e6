#pragma once
// Planner items as the planner page and tavrin-cli make them: one item per calendar day,
// dated at the start of its local day, with a description and a priority.

#include "storage/PlannerRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {
class TN;
}

namespace tavrin::organiser {

struct CalendarDay {
    int year = 1970, month = 1, day = 1; // month 1 to 12

    friend bool operator==(const CalendarDay&, const CalendarDay&) = default;
};

class PlannerItems {
public:
    static constexpr int kDescriptionLimit = 49; // bytes of Windows-1252 text
    static constexpr int kMaxDays = 28;          // the longest run of days one Add covers
    static constexpr std::uint8_t kNormal = 0, kImportant = 1;

    // "Normal" for 0, "Important" for any other priority.
    static const char* priorityName(std::uint8_t priority);

    // The day after `d`, across month and year ends.
    static CalendarDay nextDay(CalendarDay d);
    // Whether the fields name a real day (no 31 April, 29 February only in leap years).
    static bool isValid(CalendarDay d);
    // The start of a local calendar day as stored; -1 when it cannot be converted.
    static std::int64_t dayStart(CalendarDay d);
    // The local calendar day a moment falls on.
    static CalendarDay dayOf(std::int64_t date);
    // The day a stored item's date names: the one whose local midnight is nearest to it, so
    // that an item written at midnight in another time zone keeps its day.
    static CalendarDay storedDay(std::int64_t date);

    // Empty when the description (Windows-1252) and priority may be stored; otherwise what is
    // wrong with them.
    static std::string check(std::string_view description, int priority);

    // One new item for each of `days` days from `first` on, with the same description,
    // priority and done mark.
    static std::vector<PlannerRecord> forDays(CalendarDay first, int days,
                                              std::string_view description, std::uint8_t priority,
                                              bool done = false);

    // Appends the items to the planner table in one write: all of them or none.
    static bool add(TN& tn, const std::vector<PlannerRecord>& items);
};

} // namespace tavrin::organiser
