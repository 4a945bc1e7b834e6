#pragma once
// Dates in records are signed 64-bit seconds since 1970 UTC, formed from local calendar fields
// by the C library's local-time conversion (which settles daylight saving time itself).

#include <cstdint>
#include <string>

namespace tavrin {

struct LocalDateTime {
    int year = 1970, month = 1, day = 1; // month 1 to 12
    int hour = 0, minute = 0, second = 0;
    int weekday = 4; // 0 Sunday to 6 Saturday (filled by fromTime)
};

class LocalTime {
public:
    static std::int64_t toTime(const LocalDateTime& t); // -1 when the fields cannot be converted
    static LocalDateTime fromTime(std::int64_t t);
    // "YYYY-MM-DDTHH:MM:SS" in local time.
    static std::string iso(std::int64_t t);
    // Parses "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" as local time.
    static bool parseIso(const std::string& s, std::int64_t& out);
    // strftime of local time. The attribute has the compiler check each caller's pattern.
    [[gnu::format(strftime, 2, 0)]] static std::string format(std::int64_t t, const char* pattern);
    // The C library takes local time as UTC when it cannot read the time zone data that TZ (or
    // /etc/localtime) names. Returns the text saying so, or an empty string when all is well.
    static std::string zoneProblem();
};

} // namespace tavrin
