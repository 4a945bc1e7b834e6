#include "health/logic/HealthData.h"

#include "storage/LocalTime.h"
#include "storage/TN.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tavrin::health {

int HealthData::dayNumber(int year, int month, int day) {
    // Days from the civil calendar (proleptic Gregorian), exact for every year.
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yoe = year - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int HealthData::dayOf(std::int64_t time) {
    const LocalDateTime t = LocalTime::fromTime(time);
    return dayNumber(t.year, t.month, t.day);
}

std::string HealthData::dayText(int day) {
    int z = day + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    const int y = yoe + era * 400 + (m <= 2);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

bool HealthData::parseDate(const std::string& text, bool end, std::int64_t& out) {
    if (text.size() == 10)
        return LocalTime::parseIso(text + (end ? "T23:59:59" : "T00:00:00"), out);
    return LocalTime::parseIso(text, out);
}

bool HealthData::read(TN& tn, const DateRange& range, std::vector<HealthEntry>& out) {
    out.clear();
    const bool ok = tn.ForEachEntry(true, [&](const EntryView& v) {
        if (range.contains(v.record.dateTime()))
            out.push_back({v.record, std::string(v.body), dayOf(v.record.dateTime())});
        return true;
    });
    std::stable_sort(out.begin(), out.end(), [](const HealthEntry& a, const HealthEntry& b) {
        return a.record.dateTime() < b.record.dateTime();
    });
    return ok;
}

std::string HealthData::ratingName(Fibro f) {
    switch (f) {
    case Fibro::PainMorning:
        return "Pain morning";
    case Fibro::PainAfternoon:
        return "Pain afternoon";
    case Fibro::PainEvening:
        return "Pain evening";
    case Fibro::Sleep:
        return "Sleep";
    case Fibro::Fatigue:
        return "Fatigue";
    case Fibro::Weakness:
        return "Weakness";
    case Fibro::Dizziness:
        return "Dizziness";
    case Fibro::Eyesight:
        return "Eyesight";
    case Fibro::Motion:
        return "Motion";
    case Fibro::Urination:
        return "Urination";
    case Fibro::Hearing:
        return "Hearing";
    case Fibro::IBS:
        return "IBS";
    case Fibro::Thinking:
        return "Thinking";
    case Fibro::Anxiety:
        return "Anxiety";
    case Fibro::Depression:
        return "Depression";
    case Fibro::Angriness:
        return "Angriness";
    case Fibro::Irritation:
        return "Irritation";
    case Fibro::Happiness:
        return "Happiness";
    case Fibro::Pollens:
        return "Pollens";
    case Fibro::Mold:
        return "Mold";
    case Fibro::Effect:
        return "Weather effect";
    }
    return {};
}

bool HealthData::fibroFilled(const EntryRecord& r) {
    for (const auto& f : EntryRecord::fibroFields())
        if (rating(r, f.field)) return true;
    return r.bodyTemperature() != 0.f || r.outdoorTemperature() != 0.f ||
           r.indoorTemperature() != 0.f || r.outdoorHumidity() != 0 || r.indoorHumidity() != 0;
}

std::optional<double> HealthData::kilocalories(const std::string& stored) {
    static const std::string kMark = "KCALORIES: ";
    const auto at = stored.rfind(kMark);
    if (at == std::string::npos) return std::nullopt;
    const char* start = stored.c_str() + at + kMark.size();
    char* end = nullptr;
    const double v = std::strtod(start, &end);
    if (end == start) return std::nullopt;
    return v;
}

} // namespace tavrin::health
