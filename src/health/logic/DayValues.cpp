#include "health/logic/DayValues.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <cctype>

namespace tavrin::health {
namespace {

using Scale = DiaryConfig::Scale;

std::string lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Temperatures and humidities count only on entries whose fibromyalgia page was filled in: an
// untouched page stores 0, which is no reading.
Measure filled(std::string name, std::function<double(const EntryRecord&)> read) {
    std::string phrase = lower(name);
    return {std::move(name), std::move(phrase),
            [read = std::move(read)](const HealthEntry& e) -> std::optional<double> {
                if (!HealthData::fibroFilled(e.record)) return std::nullopt;
                return read(e.record);
            }};
}

Measure always(std::string name, std::function<double(const EntryRecord&)> read) {
    std::string phrase = lower(name);
    return {std::move(name), std::move(phrase),
            [read = std::move(read)](const HealthEntry& e) -> std::optional<double> {
                return read(e.record);
            }};
}

} // namespace

DaySeries DayValues::series(const std::vector<HealthEntry>& entries, const Measure& m) {
    std::map<int, std::pair<double, int>> sums;
    for (const HealthEntry& e : entries)
        if (auto v = m.value(e)) {
            auto& s = sums[e.day];
            s.first += *v;
            ++s.second;
        }
    DaySeries out;
    for (const auto& [day, s] : sums)
        out[day] = s.first / s.second;
    return out;
}

Measure DayValues::rating(Fibro f, const std::string& name, const std::string& phrase) {
    return {name, phrase, [f](const HealthEntry& e) -> std::optional<double> {
                if (auto v = HealthData::rating(e.record, f)) return double(*v);
                return std::nullopt;
            }};
}

std::vector<Measure> DayValues::factors(const DiaryConfig& c) {
    std::vector<Measure> out = {
        filled("Outdoor humidity", [](const EntryRecord& r) { return r.outdoorHumidity(); }),
        filled("Indoor humidity", [](const EntryRecord& r) { return r.indoorHumidity(); }),
        filled("Outdoor temperature",
               [](const EntryRecord& r) { return double(r.outdoorTemperature()); }),
        filled("Indoor temperature",
               [](const EntryRecord& r) { return double(r.indoorTemperature()); }),
        filled("Body temperature",
               [](const EntryRecord& r) { return double(r.bodyTemperature()); }),
    };
    if (c.weatherEnabled()) {
        Measure weather{"Weather", "weather", [](const HealthEntry& e) -> std::optional<double> {
                            const int w = e.record.weather();
                            if (w < 0 || w >= DiaryConfig::kWeathers) return std::nullopt;
                            return double(w);
                        }};
        weather.high.clear();
        for (int i = 0; i < DiaryConfig::kWeathers; ++i)
            weather.kinds.push_back(cp1252::toUtf8(c.weatherName(i)));
        out.push_back(std::move(weather));
    }
    out.push_back(rating(Fibro::Sleep, "Sleep", "poor sleep"));
    out.back().high.clear();
    out.back().subject = "sleep";
    out.push_back(rating(Fibro::Pollens, "Pollens", "pollens"));
    out.push_back(rating(Fibro::Mold, "Mold", "mold"));
    for (int k = 0; k < 2; ++k)
        if (c.checkEnabled(k)) {
            const std::string name = cp1252::toUtf8(c.checkName(k));
            out.push_back(always(name, [k](const EntryRecord& r) {
                return (k == 0 ? r.menstruation() : r.copulation()) == 1 ? 1.0 : 0.0;
            }));
            out.back().high.clear();
        }
    out.push_back({"Kilocalories", "kilocalories",
                   [](const HealthEntry& e) { return HealthData::kilocalories(e.stored); }});
    // A level scale reads as its direction: "mood towards Very Good".
    auto towards = [&](const std::string& top) {
        out.back().phrase += " towards " + cp1252::toUtf8(top);
        out.back().high.clear();
    };
    if (c.moodEnabled()) {
        out.push_back(always("Mood", [](const EntryRecord& r) { return r.mood(); }));
        towards(c.moodName(DiaryConfig::kMoods - 1));
    }
    const Scale scales[] = {Scale::Dream, Scale::Fatigue, Scale::Shape};
    for (Scale s : scales)
        if (c.scaleEnabled(s)) {
            out.push_back(always(cp1252::toUtf8(c.scaleName(s)), [s](const EntryRecord& r) {
                return s == Scale::Dream     ? r.dream()
                       : s == Scale::Fatigue ? r.fatigue()
                                             : r.shape();
            }));
            towards(c.scaleLevel(s, DiaryConfig::scaleLevels(s) - 1));
            if (s == Scale::Fatigue) out.back().subject = "fatigue"; // as the fatigue rating
        }
    for (int k = 0; k < DiaryConfig::kSpins; ++k)
        if (c.spinEnabled(k)) {
            out.push_back(always(cp1252::toUtf8(c.spinName(k)),
                                 [k](const EntryRecord& r) { return r.spin(k); }));
            int low = 0, high = 0;
            DiaryConfig::spinValues(c.spinLow(k), c.spinHigh(k), low, high);
            towards(c.spinValue(k, std::clamp(high + 3, 0, DiaryConfig::kSpinValues - 1)));
        }
    return out;
}

std::vector<Measure> DayValues::outcomes() {
    // Sleep is rated from best to worst: a higher rating is a worse night.
    Measure sleep = rating(Fibro::Sleep, "Sleep", "sleep");
    sleep.up = "worse";
    sleep.down = "better";
    sleep.subject = "sleep";
    Measure fatigue = rating(Fibro::Fatigue, "Fatigue rating", "fatigue");
    fatigue.subject = "fatigue";
    return {rating(Fibro::PainMorning, "Morning pain", "morning pain"), fatigue, sleep};
}

} // namespace tavrin::health
