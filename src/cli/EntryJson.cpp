#include "cli/EntryJson.h"

#include "storage/Cp1252.h"
#include "storage/LocalTime.h"

#include <charconv>
#include <cstdlib>
#include <functional>

namespace tavrin::cli {

std::string EntryJson::utf8(const std::string& s) { return cp1252::toUtf8(s); }
std::string EntryJson::cp1252(const std::string& s) { return cp1252::fromUtf8(s); }

double EntryJson::shortest(float f) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, f);
    *res.ptr = '\0';
    return std::strtod(buf, nullptr);
}

namespace {

Json timeValue(std::int64_t t) { return LocalTime::iso(t); }

} // namespace

Json EntryJson::fromEntry(const EntryRecord& r, const std::string& body, const TypeTexts& types) {
    Json j;
    j["dateTime"] = timeValue(r.dateTime());
    j["dateTimeSeconds"] = r.dateTime();
    j["description"] = utf8(r.description());
    j["mood"] = r.mood();
    j["fatigue"] = r.fatigue();
    j["dream"] = r.dream();
    j["shape"] = r.shape();
    j["menstruation"] = r.menstruation();
    j["copulation"] = r.copulation();
    j["real1"] = shortest(r.real1());
    j["real2"] = shortest(r.real2());
    j["int1"] = r.int1();
    j["int2"] = r.int2();
    j["weather"] = r.weather();
    j["spins"] = {r.spin(0), r.spin(1), r.spin(2)};
    j["combos"] = {r.combo(0), r.combo(1), r.combo(2)};
    Json pain = Json::array();
    for (int a = 0; a < EntryRecord::kPainAreas; ++a) pain.push_back(r.pain(a));
    j["painMap"] = pain;
    Json fibro;
    for (const auto& f : EntryRecord::fibroFields()) fibro[f.name] = r.fibro(f.field);
    fibro["bodyTemperature"] = shortest(r.bodyTemperature());
    fibro["outdoorTemperature"] = shortest(r.outdoorTemperature());
    fibro["indoorTemperature"] = shortest(r.indoorTemperature());
    fibro["outdoorHumidity"] = r.outdoorHumidity();
    fibro["indoorHumidity"] = r.indoorHumidity();
    j["fibromyalgia"] = fibro;
    j["voice"] = {{"flag", r.voiceFlag()}, {"offset", r.voiceOffset()}, {"length", r.voiceLength()}};
    j["body"] = utf8(body);
    Json t = Json::array();
    for (const auto& s : types) t.push_back(utf8(s));
    j["types"] = t;
    return j;
}

bool EntryJson::toEntry(const Json& j, EntryRecord& r, std::string& body, TypeTexts& types,
                        std::string& error) {
    if (!j.is_object()) {
        error = "the entry must be a JSON object";
        return false;
    }
    auto intIn = [&](const Json& obj, const char* key, int low, int high, int fallback,
                     int& out) -> bool {
        out = fallback;
        if (!obj.contains(key)) return true;
        const Json& v = obj[key];
        if (v.is_boolean()) {
            out = v.get<bool>() ? 1 : 0;
        } else if (!v.is_number_integer()) {
            error = std::string("\"") + key + "\" must be a whole number";
            return false;
        } else {
            long long n = v.get<long long>();
            if (n < low || n > high) {
                error = std::string("\"") + key + "\" must lie between " + std::to_string(low) +
                        " and " + std::to_string(high);
                return false;
            }
            out = int(n);
        }
        return true;
    };
    auto floatIn = [&](const Json& obj, const char* key, float& out) -> bool {
        out = 0;
        if (!obj.contains(key)) return true;
        if (!obj[key].is_number()) {
            error = std::string("\"") + key + "\" must be a number";
            return false;
        }
        out = obj[key].get<float>();
        return true;
    };
    auto textIn = [&](const Json& obj, const char* key, std::string& out) -> bool {
        out.clear();
        if (!obj.contains(key)) return true;
        if (!obj[key].is_string()) {
            error = std::string("\"") + key + "\" must be a text";
            return false;
        }
        out = cp1252(obj[key].get<std::string>());
        if (out.find('\0') != std::string::npos) {
            error = std::string("\"") + key + "\" must not contain NUL characters";
            return false;
        }
        return true;
    };

    // Date and time: local ISO 8601, or seconds since 1970.
    if (j.contains("dateTimeSeconds")) {
        if (!j["dateTimeSeconds"].is_number_integer()) {
            error = "\"dateTimeSeconds\" must be a whole number";
            return false;
        }
        r.setDateTime(j["dateTimeSeconds"].get<std::int64_t>());
    } else if (j.contains("dateTime")) {
        std::int64_t t = 0;
        if (!j["dateTime"].is_string() || !LocalTime::parseIso(j["dateTime"].get<std::string>(), t)) {
            error = "\"dateTime\" must be a local date and time like 2026-12-07T09:30:00";
            return false;
        }
        r.setDateTime(t);
    } else {
        error = "the entry needs a \"dateTime\"";
        return false;
    }

    std::string description;
    if (!textIn(j, "description", description)) return false;
    if (description.size() > 29) {
        error = "\"description\" holds at most 29 characters";
        return false;
    }
    r.setDescription(description);

    int v = 0;
    struct Scalar {
        const char* key;
        int low, high;
        std::function<void(int)> set;
    };
    const Scalar scalars[] = {
        {"mood", -3, 3, [&](int x) { r.setMood(std::int8_t(x)); }},
        {"fatigue", -2, 0, [&](int x) { r.setFatigue(std::int8_t(x)); }},
        {"dream", -2, 2, [&](int x) { r.setDream(std::int8_t(x)); }},
        {"shape", -3, 0, [&](int x) { r.setShape(std::int8_t(x)); }},
        {"weather", 0, 4, [&](int x) { r.setWeather(std::int8_t(x)); }},
        {"menstruation", 0, 255, [&](int x) { r.setMenstruation(std::uint8_t(x)); }},
        {"copulation", 0, 255, [&](int x) { r.setCopulation(std::uint8_t(x)); }},
    };
    for (const auto& s : scalars) {
        if (!intIn(j, s.key, s.low, s.high, 0, v)) return false;
        s.set(v);
    }
    float f = 0;
    if (!floatIn(j, "real1", f)) return false;
    r.setReal1(f);
    if (!floatIn(j, "real2", f)) return false;
    r.setReal2(f);
    if (!intIn(j, "int1", INT32_MIN, INT32_MAX, 0, v)) return false;
    r.setInt1(v);
    if (!intIn(j, "int2", INT32_MIN, INT32_MAX, 0, v)) return false;
    r.setInt2(v);

    auto arrayIn = [&](const char* key, std::size_t n, int low, int high, auto set) -> bool {
        for (std::size_t i = 0; i < n; ++i) set(int(i), 0);
        if (!j.contains(key)) return true;
        const Json& a = j[key];
        if (!a.is_array() || a.size() != n) {
            error = std::string("\"") + key + "\" must be a list of " + std::to_string(n) + " numbers";
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (!a[i].is_number_integer() || a[i].get<long long>() < low || a[i].get<long long>() > high) {
                error = std::string("\"") + key + "\" values must lie between " + std::to_string(low) +
                        " and " + std::to_string(high);
                return false;
            }
            set(int(i), a[i].get<int>());
        }
        return true;
    };
    if (!arrayIn("spins", 3, -3, 3, [&](int i, int x) { r.setSpin(i, std::int8_t(x)); })) return false;
    if (!arrayIn("combos", 3, 0, 8, [&](int i, int x) { r.setCombo(i, std::int8_t(x)); })) return false;
    if (!arrayIn("painMap", EntryRecord::kPainAreas, 0, 6,
                 [&](int i, int x) { r.setPain(i, std::uint8_t(x)); }))
        return false;

    static const Json empty = Json::object();
    const Json& fibro = j.contains("fibromyalgia") ? j["fibromyalgia"] : empty;
    if (!fibro.is_object()) {
        error = "\"fibromyalgia\" must be an object";
        return false;
    }
    for (const auto& fd : EntryRecord::fibroFields()) {
        if (!intIn(fibro, fd.name, -1, 9, -1, v)) return false;
        r.setFibro(fd.field, std::int8_t(v));
    }
    if (!floatIn(fibro, "bodyTemperature", f)) return false;
    r.setBodyTemperature(f);
    if (!floatIn(fibro, "outdoorTemperature", f)) return false;
    r.setOutdoorTemperature(f);
    if (!floatIn(fibro, "indoorTemperature", f)) return false;
    r.setIndoorTemperature(f);
    if (!intIn(fibro, "outdoorHumidity", 0, 100, 0, v)) return false;
    r.setOutdoorHumidity(v);
    if (!intIn(fibro, "indoorHumidity", 0, 100, 0, v)) return false;
    r.setIndoorHumidity(v);

    if (!textIn(j, "body", body)) return false;
    for (auto& t : types) t.clear();
    if (j.contains("types")) {
        const Json& t = j["types"];
        if (!t.is_array() || t.size() > types.size()) {
            error = "\"types\" must be a list of at most 5 texts";
            return false;
        }
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (!t[i].is_string()) {
                error = "\"types\" must hold texts";
                return false;
            }
            types[i] = cp1252(t[i].get<std::string>());
            if (types[i].find('\0') != std::string::npos) {
                error = "\"types\" must not contain NUL characters";
                return false;
            }
        }
    }
    // Voice notes are recorded by the program itself, never taken from JSON.
    r.setVoiceFlag(0);
    r.setVoice(0, 0);
    return true;
}

Json EntryJson::fromRecord(const ByteView& v, std::span<const FieldSpec> fields) {
    Json j;
    for (const auto& f : fields) {
        switch (f.type) {
        case FieldType::Text: j[f.name] = utf8(v.text(f.offset, f.width)); break;
        case FieldType::F32: j[f.name] = shortest(v.f32(f.offset)); break;
        case FieldType::Time:
            j[f.name] = timeValue(v.i64(f.offset));
            j[std::string(f.name) + "Seconds"] = v.i64(f.offset);
            break;
        default: j[f.name] = v.integer(f); break;
        }
    }
    return j;
}

Json EntryJson::fromConfig(const DiaryConfig& c) {
    using Scale = DiaryConfig::Scale;
    using Measure = DiaryConfig::Measure;
    Json j;
    Json moods = Json::array();
    for (int i = 0; i < DiaryConfig::kMoods; ++i) moods.push_back(utf8(c.moodName(i)));
    j["mood"] = {{"enabled", c.moodEnabled()}, {"names", moods}};
    auto scale = [&](Scale s) {
        Json levels = Json::array();
        for (int i = 0; i < DiaryConfig::scaleLevels(s); ++i) levels.push_back(utf8(c.scaleLevel(s, i)));
        return Json{{"enabled", c.scaleEnabled(s)}, {"name", utf8(c.scaleName(s))}, {"levels", levels}};
    };
    j["dream"] = scale(Scale::Dream);
    j["fatigue"] = scale(Scale::Fatigue);
    j["shape"] = scale(Scale::Shape);
    for (int k = 0; k < 2; ++k)
        j[k == 0 ? "menstruation" : "copulation"] = {{"enabled", c.checkEnabled(k)},
                                                     {"name", utf8(c.checkName(k))}};
    const std::pair<const char*, Measure> measures[] = {
        {"real1", Measure::Real1}, {"real2", Measure::Real2}, {"int1", Measure::Int1}, {"int2", Measure::Int2}};
    for (const auto& [key, m] : measures)
        j[key] = {{"enabled", c.measureEnabled(m)}, {"name", utf8(c.measureName(m))}};
    Json weather = Json::array();
    for (int i = 0; i < DiaryConfig::kWeathers; ++i) weather.push_back(utf8(c.weatherName(i)));
    j["weather"] = {{"enabled", c.weatherEnabled()}, {"names", weather}};
    Json spins = Json::array();
    for (int k = 0; k < DiaryConfig::kSpins; ++k) {
        Json values = Json::array();
        for (int i = 0; i < DiaryConfig::kSpinValues; ++i) values.push_back(utf8(c.spinValue(k, i)));
        spins.push_back({{"enabled", c.spinEnabled(k)}, {"name", utf8(c.spinName(k))},
                         {"rangeLow", c.spinLow(k)}, {"rangeHigh", c.spinHigh(k)}, {"values", values}});
    }
    j["spins"] = spins;
    Json combos = Json::array();
    for (int k = 0; k < DiaryConfig::kCombos; ++k) {
        Json rows = Json::array();
        for (int i = 0; i < DiaryConfig::kComboRows; ++i) rows.push_back(utf8(c.comboRow(k, i)));
        combos.push_back({{"enabled", c.comboEnabled(k)}, {"name", utf8(c.comboName(k))},
                          {"rowsInUse", c.comboRows(k)}, {"rows", rows}});
    }
    j["combos"] = combos;
    Json shortcuts = Json::array(), typeNames = Json::array();
    for (int i = 0; i < DiaryConfig::kShortcuts; ++i) shortcuts.push_back(utf8(c.shortcut(i)));
    for (int i = 0; i < DiaryConfig::kTypes; ++i) typeNames.push_back(utf8(c.typeName(i)));
    j["shortcuts"] = shortcuts;
    j["typeNames"] = typeNames;
    return j;
}

} // namespace tavrin::cli
