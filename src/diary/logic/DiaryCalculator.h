#pragma once
// The diary calculator's arithmetic: one numeric parameter summed over the entries of a range of
// days, divided by the number of those entries or by the sum of a second parameter. Standard
// C++ over the entry records, so that it is tested without a display.

#include "storage/DiaryConfig.h"
#include "storage/EntryRecord.h"

#include <string>
#include <vector>

namespace tavrin::diary {

class DiaryCalculator {
public:
    static constexpr const char* kNoData = "NO DATA";
    static constexpr const char* kByEntries = "Number of entries";

    struct Parameter {
        DiaryConfig::Measure measure;
        std::string name; // as the configuration names it (Windows-1252)
    };
    // The numeric parameters the configuration shows: real 1 and 2, then integer 1 and 2.
    static std::vector<Parameter> parameters(const DiaryConfig& config);

    // A calendar day, compared field by field so that a day is a day whatever its length.
    struct Day {
        int year = 1970, month = 1, day = 1;
        auto operator<=>(const Day&) const = default;
    };
    static Day dayOf(std::int64_t dateTime);

    struct Result {
        float sum = 0;
        float divisor = 0; // the second parameter's sum; unused when dividing by the count
        int count = 0;
        bool byCount = true;
        // "%0.2f / %d = %0.2f" or "%0.2f / %0.2f = %0.2f"; "NO DATA" when there is nothing to
        // divide by.
        std::string text() const;
    };
    // Sums `sum` over the entries whose day lies from `from` to `to`, both included, and divides
    // by their number (`divideBy` empty) or by the sum of `divideBy`. Sums are single precision.
    static Result compute(const std::vector<EntryRecord>& entries, DiaryConfig::Measure sum,
                          const DiaryConfig::Measure* divideBy, Day from, Day to);

    static float value(const EntryRecord& e, DiaryConfig::Measure m);
};

} // namespace tavrin::diary
