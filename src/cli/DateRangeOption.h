#pragma once
// --from DATE and --to DATE, read the same way by every command that takes them (graph, print,
// correlate, report).

#include <cstdint>
#include <limits>
#include <string>

namespace tavrin::cli {

// Seconds since 1970, both ends included.
struct DateRange {
    std::int64_t from = std::numeric_limits<std::int64_t>::min();
    std::int64_t to = std::numeric_limits<std::int64_t>::max();
    bool contains(std::int64_t t) const { return t >= from && t <= to; }
};

class DateRangeOption {
public:
    static constexpr const char* kTakes =
        "a date YYYY-MM-DD or a date and time YYYY-MM-DDTHH:MM[:SS]";
    static constexpr const char* kReversed = "--from is after --to";

    // A local date alone is the whole day: its first second for the start, its last for the
    // end. Exact widths only, and no day that the calendar lacks (30 February).
    static bool parse(const std::string& text, bool end, std::int64_t& out);
};

} // namespace tavrin::cli
