#include "formats/CsvExport.h"

#include "health/logic/HealthData.h"
#include "health/logic/PainHeat.h"
#include "storage/Cp1252.h"
#include "storage/LocalTime.h"
#include "storage/PainKinds.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>

namespace tavrin::formats {
using health::HealthData;
using health::PainHeat;

namespace {

using Scale = DiaryConfig::Scale;
using MeasureKind = DiaryConfig::Measure;

std::string utf8(const std::string& s) {
    return cp1252::toUtf8(s);
}

std::string number(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// A level's name, or the number itself when it lies outside the named levels.
std::string level(int value, int offset, int count, const std::function<std::string(int)>& name) {
    const int i = value + offset;
    return i >= 0 && i < count ? utf8(name(i)) : std::to_string(value);
}

constexpr const char* kMeasurements[] = {"Body temperature", "Outdoor temperature",
                                         "Indoor temperature", "Outdoor humidity",
                                         "Indoor humidity"};

// Column names as spreadsheets and csv readers key them: each once. A name given twice says
// what it is; what is still the same after that is numbered.
std::vector<std::string> uniqueNames(const std::vector<std::pair<std::string, const char*>>& h) {
    std::map<std::string, int> count;
    for (const auto& [name, kind] : h)
        ++count[name];
    std::vector<std::string> out;
    for (const auto& [name, kind] : h)
        out.push_back(count[name] > 1 && kind ? name + " (" + kind + ")" : name);
    std::map<std::string, int> seen;
    for (const std::string& name : out)
        seen[name] = 0;
    for (std::string& name : out)
        if (const int n = ++seen[name]; n > 1) {
            std::string numbered;
            for (int k = n; numbered.empty() || seen.count(numbered); ++k)
                numbered = name + " " + std::to_string(k);
            seen[numbered] = 1;
            name = numbered;
        }
    return out;
}

} // namespace

const Format CsvExport::kFormat = {"csv", "csv", Entries};

std::string CsvExport::field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string CsvExport::row(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += field(fields[i]);
    }
    return out + "\r\n";
}

std::vector<std::string> CsvExport::header(const DiaryConfig& c) {
    // Each column with what it is, so that a name the diary gives twice (its Fatigue scale and
    // the Fatigue rating, a spin named "Mood") can say which it is.
    std::vector<std::pair<std::string, const char*>> h = {
        {"Date", nullptr}, {"Time", nullptr}, {"Description", nullptr}};
    if (c.moodEnabled()) h.emplace_back("Mood", "scale");
    for (Scale s : {Scale::Dream, Scale::Fatigue, Scale::Shape})
        if (c.scaleEnabled(s)) h.emplace_back(utf8(c.scaleName(s)), "scale");
    for (int k = 0; k < 2; ++k)
        if (c.checkEnabled(k)) h.emplace_back(utf8(c.checkName(k)), "check mark");
    for (MeasureKind m :
         {MeasureKind::Real1, MeasureKind::Real2, MeasureKind::Int1, MeasureKind::Int2})
        if (c.measureEnabled(m)) h.emplace_back(utf8(c.measureName(m)), "measurement");
    if (c.weatherEnabled()) h.emplace_back("Weather", "weather");
    for (int k = 0; k < DiaryConfig::kSpins; ++k)
        if (c.spinEnabled(k)) h.emplace_back(utf8(c.spinName(k)), "spin");
    for (int k = 0; k < DiaryConfig::kCombos; ++k)
        if (c.comboEnabled(k)) h.emplace_back(utf8(c.comboName(k)), "list");
    for (int a = 0; a < PainHeat::kAreas; ++a)
        h.emplace_back(PainHeat::areaName(a), "pain area");
    for (const auto& f : EntryRecord::fibroFields())
        h.emplace_back(HealthData::ratingName(f.field), "rating");
    for (const char* m : kMeasurements)
        h.emplace_back(m, "fibromyalgia page");
    h.emplace_back("Text", nullptr);
    return uniqueNames(h);
}

std::vector<std::string> CsvExport::values(const Entry& e, const DiaryConfig& c,
                                           const PlainText& plain) {
    const EntryRecord& r = e.record;
    std::vector<std::string> v = {LocalTime::format(r.dateTime(), "%Y-%m-%d"),
                                  LocalTime::format(r.dateTime(), "%H:%M"), utf8(r.description())};
    if (c.moodEnabled())
        v.push_back(level(r.mood(), 3, DiaryConfig::kMoods, [&](int i) { return c.moodName(i); }));
    for (Scale s : {Scale::Dream, Scale::Fatigue, Scale::Shape})
        if (c.scaleEnabled(s)) {
            const int value = s == Scale::Dream     ? r.dream()
                              : s == Scale::Fatigue ? r.fatigue()
                                                    : r.shape();
            const int offset = s == Scale::Shape ? 3 : 2;
            v.push_back(level(value, offset, DiaryConfig::scaleLevels(s),
                              [&](int i) { return c.scaleLevel(s, i); }));
        }
    for (int k = 0; k < 2; ++k)
        if (c.checkEnabled(k))
            v.push_back((k == 0 ? r.menstruation() : r.copulation()) == 1 ? "Yes" : "No");
    if (c.measureEnabled(MeasureKind::Real1)) v.push_back(number(r.real1(), 2));
    if (c.measureEnabled(MeasureKind::Real2)) v.push_back(number(r.real2(), 2));
    if (c.measureEnabled(MeasureKind::Int1)) v.push_back(std::to_string(r.int1()));
    if (c.measureEnabled(MeasureKind::Int2)) v.push_back(std::to_string(r.int2()));
    if (c.weatherEnabled())
        v.push_back(
            level(r.weather(), 0, DiaryConfig::kWeathers, [&](int i) { return c.weatherName(i); }));
    for (int k = 0; k < DiaryConfig::kSpins; ++k)
        if (c.spinEnabled(k))
            v.push_back(level(r.spin(k), 3, DiaryConfig::kSpinValues,
                              [&](int i) { return c.spinValue(k, i); }));
    for (int k = 0; k < DiaryConfig::kCombos; ++k)
        if (c.comboEnabled(k))
            v.push_back(level(r.combo(k), 0, std::clamp(c.comboRows(k), 1, DiaryConfig::kComboRows),
                              [&](int i) { return c.comboRow(k, i); }));
    for (int a = 0; a < PainHeat::kAreas; ++a)
        v.push_back(r.pain(a) ? PainKinds::name(r.pain(a)) : "");
    for (const auto& f : EntryRecord::fibroFields()) {
        const auto rating = HealthData::rating(r, f.field);
        v.push_back(rating ? std::to_string(*rating) : "");
    }
    const bool filled = HealthData::fibroFilled(r);
    auto measured = [&](std::string text) { return filled ? text : std::string(); };
    v.push_back(measured(number(r.bodyTemperature(), 1)));
    v.push_back(measured(number(r.outdoorTemperature(), 1)));
    v.push_back(measured(number(r.indoorTemperature(), 1)));
    v.push_back(measured(std::to_string(r.outdoorHumidity())));
    v.push_back(measured(std::to_string(r.indoorHumidity())));
    v.push_back(plain(e.body));
    return v;
}

void CsvExport::write(std::ostream& out, const DiaryRecords& diary) const {
    out << row(header(diary.config));
    for (const Entry& e : diary.entries)
        out << row(values(e, diary.config, plain_));
}

} // namespace tavrin::formats
