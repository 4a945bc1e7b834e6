#pragma once
// "Now" for everything that depends on the time of day: reminders, the planner, entry dates.
// Tests fix it; the program reads the system clock.

#include <cstdint>

namespace tavrin::platform {

class Clock {
public:
    // Seconds since 1 January 1970 UTC.
    static std::int64_t now();

    // ---- test seam ----
    static void setFixed(std::int64_t secondsSince1970);
    static void advance(std::int64_t seconds); // moves a fixed clock on; no effect otherwise
    static void clearFixed();
    static bool isFixed();
};

} // namespace tavrin::platform
