#pragma once
// The entries of a date range as the health report, the correlations and the spreadsheet export
// read them: each record with its stored body text, and each entry's calendar day. Days are
// numbered so that consecutive calendar days differ by one, whatever daylight saving does.

#include "storage/DiaryConfig.h"
#include "storage/EntryRecord.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {
class TN;
}

namespace tavrin::health {

struct HealthEntry {
    EntryRecord record;
    std::string stored; // the body as stored (RTF or plain text), unscrambled
    int day = 0;        // HealthData::dayNumber of the entry's local date
};

struct DateRange {
    std::int64_t from = std::numeric_limits<std::int64_t>::min();
    std::int64_t to = std::numeric_limits<std::int64_t>::max();
    bool contains(std::int64_t t) const { return t >= from && t <= to; }
};

class HealthData {
public:
    // Days since 1970-01-01 of a local calendar date.
    static int dayNumber(int year, int month, int day);
    static int dayOf(std::int64_t time);
    // "YYYY-MM-DD" of a day number.
    static std::string dayText(int day);
    // A date alone means a whole day: its first second for the start, its last for the end.
    static bool parseDate(const std::string& text, bool end, std::int64_t& out);

    // The entries of the range in date order; false when the diary could not be read.
    static bool read(TN& tn, const DateRange& range, std::vector<HealthEntry>& out);

    // A 1-10 rating of a fibromyalgia field (stored 0-9), nothing when not rated.
    static std::optional<int> rating(const EntryRecord& r, Fibro f) {
        const int v = r.fibro(f);
        return v >= 0 && v <= 9 ? std::optional<int>(v + 1) : std::nullopt;
    }
    // A rating's name for people ("Pain morning", "IBS", "Weather effect").
    static std::string ratingName(Fibro f);
    // Whether the entry's fibromyalgia page was filled in: a rating chosen or a value typed.
    static bool fibroFilled(const EntryRecord& r);
    // The kilocalories the daily calorie sheet's status line gives in the body text
    // ("... - KCALORIES: 1234.56"), when the body holds one.
    static std::optional<double> kilocalories(const std::string& stored);
};

} // namespace tavrin::health
