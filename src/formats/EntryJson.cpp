#include "formats/EntryJson.h"

#include "formats/EntryLimits.h"
#include "storage/Cp1252.h"
#include "storage/LocalTime.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace tavrin::formats {

std::string EntryJson::utf8(const std::string& s) {
    return cp1252::toUtf8(s);
}
std::string EntryJson::cp1252(const std::string& s) {
    return cp1252::fromUtf8(s);
}

double EntryJson::shortest(float f) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, f);
    *res.ptr = '\0';
    return std::strtod(buf, nullptr);
}

namespace {

Json timeValue(std::int64_t t) {
    return LocalTime::iso(t);
}

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
    for (int a = 0; a < EntryRecord::kPainAreas; ++a)
        pain.push_back(r.pain(a));
    j["painMap"] = pain;
    Json fibro;
    for (const auto& f : EntryRecord::fibroFields())
        fibro[f.name] = r.fibro(f.field);
    fibro["bodyTemperature"] = shortest(r.bodyTemperature());
    fibro["outdoorTemperature"] = shortest(r.outdoorTemperature());
    fibro["indoorTemperature"] = shortest(r.indoorTemperature());
    fibro["outdoorHumidity"] = r.outdoorHumidity();
    fibro["indoorHumidity"] = r.indoorHumidity();
    j["fibromyalgia"] = fibro;
    j["voice"] = {
        {"flag", r.voiceFlag()}, {"offset", r.voiceOffset()}, {"length", r.voiceLength()}};
    j["body"] = utf8(body);
    Json t = Json::array();
    for (const auto& s : types)
        t.push_back(utf8(s));
    j["types"] = t;
    return j;
}

namespace {

// A JSON integer as the JSON holds it: an unsigned number above the signed range has no
// signed value (taking one would wrap it round to a negative number).
std::optional<std::int64_t> signedValue(const Json& v) {
    if (v.is_number_unsigned()) {
        const auto u = v.get<std::uint64_t>();
        if (u > std::uint64_t(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
        return std::int64_t(u);
    }
    return v.get<std::int64_t>();
}

std::string quoted(const char* key) {
    return std::string("\"") + key + "\"";
}

std::string between(IntRange r) {
    return "between " + std::to_string(r.low) + " and " + std::to_string(r.high);
}

const Json* member(const Json& obj, const char* key) {
    auto it = obj.find(key);
    return it == obj.end() ? nullptr : &*it;
}

// Reads the fields of one entry object into a record. Every step does nothing once an error
// is kept, so the steps run one after another and the first problem is the one reported.
class EntryReader {
public:
    EntryReader(const Json& entry, EntryRecord& r) : j_(entry), r_(r) {}
    const std::string& error() const { return error_; }

    void dateTime();
    void description();
    void scalars();
    void measures();
    void lists();
    void fibromyalgia();
    void texts(std::string& body, TypeTexts& types);

private:
    bool failed() const { return !error_.empty(); }
    void fail(std::string why) {
        if (error_.empty()) error_ = std::move(why);
    }
    // A whole number within range (a boolean counts as 0 or 1), or `fallback` when absent.
    int whole(const Json& obj, const char* key, IntRange range, int fallback);
    // A finite number that a float holds, or 0 when absent.
    float real(const Json& obj, const char* key);
    // A text without NUL, as Windows-1252, or empty when absent.
    std::string text(const Json& obj, const char* key);
    template <class Set> void list(const char* key, std::size_t n, IntRange range, Set set);

    const Json& j_;
    EntryRecord& r_;
    std::string error_;
};

int EntryReader::whole(const Json& obj, const char* key, IntRange range, int fallback) {
    const Json* v = failed() ? nullptr : member(obj, key);
    if (!v) return fallback;
    std::optional<std::int64_t> n;
    if (v->is_boolean()) {
        n = v->get<bool>() ? 1 : 0;
    } else if (v->is_number_integer()) {
        n = signedValue(*v);
    } else {
        fail(quoted(key) + " must be a whole number");
        return fallback;
    }
    if (!n || !range.contains(*n)) {
        fail(quoted(key) + " must lie " + between(range));
        return fallback;
    }
    return int(*n);
}

float EntryReader::real(const Json& obj, const char* key) {
    const Json* v = failed() ? nullptr : member(obj, key);
    if (!v) return 0;
    if (!v->is_number()) {
        fail(quoted(key) + " must be a number");
        return 0;
    }
    // Numbers that round to the largest float are taken as it: that is how exports write it.
    constexpr double kMax = std::numeric_limits<float>::max();
    constexpr double kRoundsToMax = kMax + 0x1p103; // half a step to the next power of two
    const double d = v->get<double>();
    if (!std::isfinite(d) || std::abs(d) >= kRoundsToMax) {
        fail(quoted(key) + " must be a number between -3.4e38 and 3.4e38");
        return 0;
    }
    return std::abs(d) > kMax ? float(std::copysign(kMax, d)) : float(d);
}

std::string EntryReader::text(const Json& obj, const char* key) {
    const Json* v = failed() ? nullptr : member(obj, key);
    if (!v) return {};
    if (!v->is_string()) {
        fail(quoted(key) + " must be a text");
        return {};
    }
    std::string out = EntryJson::cp1252(v->get<std::string>());
    if (out.find('\0') != std::string::npos) fail(quoted(key) + " must not contain NUL characters");
    return out;
}

template <class Set>
void EntryReader::list(const char* key, std::size_t n, IntRange range, Set set) {
    for (std::size_t i = 0; i < n; ++i)
        set(int(i), 0);
    const Json* a = failed() ? nullptr : member(j_, key);
    if (!a) return;
    if (!a->is_array() || a->size() != n) {
        fail(quoted(key) + " must be a list of " + std::to_string(n) + " numbers");
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Json& v = (*a)[i];
        const auto value = v.is_number_integer() ? signedValue(v) : std::nullopt;
        if (!value || !range.contains(*value)) {
            fail(quoted(key) + " values must lie " + between(range));
            return;
        }
        set(int(i), int(*value));
    }
}

void EntryReader::dateTime() {
    // Local ISO 8601, or seconds since 1970.
    if (const Json* s = member(j_, "dateTimeSeconds")) {
        if (!s->is_number_integer()) {
            fail("\"dateTimeSeconds\" must be a whole number");
            return;
        }
        const auto t = signedValue(*s);
        if (t)
            r_.setDateTime(*t);
        else
            fail("\"dateTimeSeconds\" must lie " + between({INT64_MIN, INT64_MAX}));
    } else if (const Json* iso = member(j_, "dateTime")) {
        std::int64_t t = 0;
        if (!iso->is_string() || !LocalTime::parseIso(iso->get<std::string>(), t))
            fail("\"dateTime\" must be a local date and time like 2026-12-07T09:30:00");
        else
            r_.setDateTime(t);
    } else {
        fail("the entry needs a \"dateTime\"");
    }
}

void EntryReader::description() {
    const std::string d = text(j_, "description");
    constexpr std::size_t kMax = EntryRecord::kDescriptionWidth - 1;
    if (d.size() > kMax)
        fail("\"description\" holds at most " + std::to_string(kMax) + " characters");
    r_.setDescription(d);
}

void EntryReader::scalars() {
    r_.setMood(std::int8_t(whole(j_, "mood", EntryLimits::mood(), 0)));
    r_.setFatigue(std::int8_t(whole(j_, "fatigue", EntryLimits::fatigue(), 0)));
    r_.setDream(std::int8_t(whole(j_, "dream", EntryLimits::dream(), 0)));
    r_.setShape(std::int8_t(whole(j_, "shape", EntryLimits::shape(), 0)));
    r_.setWeather(std::int8_t(whole(j_, "weather", EntryLimits::weather(), 0)));
    r_.setMenstruation(std::uint8_t(whole(j_, "menstruation", EntryLimits::check(), 0)));
    r_.setCopulation(std::uint8_t(whole(j_, "copulation", EntryLimits::check(), 0)));
}

void EntryReader::measures() {
    r_.setReal1(real(j_, "real1"));
    r_.setReal2(real(j_, "real2"));
    const IntRange any{INT32_MIN, INT32_MAX};
    r_.setInt1(whole(j_, "int1", any, 0));
    r_.setInt2(whole(j_, "int2", any, 0));
}

void EntryReader::lists() {
    list("spins", DiaryConfig::kSpins, EntryLimits::spin(),
         [&](int i, int x) { r_.setSpin(i, std::int8_t(x)); });
    list("combos", DiaryConfig::kCombos, EntryLimits::combo(),
         [&](int i, int x) { r_.setCombo(i, std::int8_t(x)); });
    list("painMap", EntryRecord::kPainAreas, EntryLimits::pain(),
         [&](int i, int x) { r_.setPain(i, std::uint8_t(x)); });
}

void EntryReader::fibromyalgia() {
    static const Json empty = Json::object();
    const Json* found = failed() ? nullptr : member(j_, "fibromyalgia");
    const Json& fibro = found ? *found : empty;
    if (!fibro.is_object()) {
        fail("\"fibromyalgia\" must be an object");
        return;
    }
    for (const auto& fd : EntryRecord::fibroFields())
        r_.setFibro(fd.field, std::int8_t(whole(fibro, fd.name, EntryLimits::fibro(), -1)));
    r_.setBodyTemperature(real(fibro, "bodyTemperature"));
    r_.setOutdoorTemperature(real(fibro, "outdoorTemperature"));
    r_.setIndoorTemperature(real(fibro, "indoorTemperature"));
    r_.setOutdoorHumidity(whole(fibro, "outdoorHumidity", EntryLimits::humidity(), 0));
    r_.setIndoorHumidity(whole(fibro, "indoorHumidity", EntryLimits::humidity(), 0));
}

void EntryReader::texts(std::string& body, TypeTexts& types) {
    body = text(j_, "body");
    for (auto& t : types)
        t.clear();
    const Json* t = failed() ? nullptr : member(j_, "types");
    if (!t) return;
    if (!t->is_array() || t->size() > types.size()) {
        fail("\"types\" must be a list of at most " + std::to_string(types.size()) + " texts");
        return;
    }
    for (std::size_t i = 0; i < t->size() && !failed(); ++i) {
        if (!(*t)[i].is_string()) {
            fail("\"types\" must hold texts");
            return;
        }
        types[i] = EntryJson::cp1252((*t)[i].get<std::string>());
        if (types[i].find('\0') != std::string::npos)
            fail("\"types\" must not contain NUL characters");
    }
}

} // namespace

bool EntryJson::parse(std::istream& in, Json& out, std::string& error) {
    // The depth is limited while parsing, before anything that recurses (copies, dumps) can
    // meet a deeply nested value.
    struct TooDeep {};
    auto limitDepth = [](int depth, Json::parse_event_t event, Json&) {
        if ((event == Json::parse_event_t::object_start ||
             event == Json::parse_event_t::array_start) &&
            depth >= kMaxDepth)
            throw TooDeep{};
        return true;
    };
    try {
        out = Json::parse(in, limitDepth);
    } catch (const TooDeep&) {
        error = "nested deeper than " + std::to_string(kMaxDepth) + " levels";
        return false;
    } catch (const Json::exception& e) {
        error = std::string("not valid JSON: ") + e.what();
        return false;
    }
    return true;
}

bool EntryJson::toEntry(const Json& j, EntryRecord& r, std::string& body, TypeTexts& types,
                        std::string& error) {
    if (!j.is_object()) {
        error = "the entry must be a JSON object";
        return false;
    }
    EntryReader in(j, r);
    in.dateTime();
    in.description();
    in.scalars();
    in.measures();
    in.lists();
    in.fibromyalgia();
    in.texts(body, types);
    // Voice notes are recorded by the program itself, never taken from JSON.
    r.setVoiceFlag(0);
    r.setVoice(0, 0);
    error = in.error();
    return error.empty();
}

Json EntryJson::fromRecord(const ByteView& v, std::span<const FieldSpec> fields) {
    Json j;
    for (const auto& f : fields) {
        switch (f.type) {
        case FieldType::Text:
            j[f.name] = utf8(v.text(f.offset, f.width));
            break;
        case FieldType::F32:
            j[f.name] = shortest(v.f32(f.offset));
            break;
        case FieldType::Time:
            j[f.name] = timeValue(v.i64(f.offset));
            j[std::string(f.name) + "Seconds"] = v.i64(f.offset);
            break;
        default:
            j[f.name] = v.integer(f);
            break;
        }
    }
    return j;
}

Json EntryJson::fromConfig(const DiaryConfig& c) {
    using Scale = DiaryConfig::Scale;
    using Measure = DiaryConfig::Measure;
    Json j;
    Json moods = Json::array();
    for (int i = 0; i < DiaryConfig::kMoods; ++i)
        moods.push_back(utf8(c.moodName(i)));
    j["mood"] = {{"enabled", c.moodEnabled()}, {"names", moods}};
    auto scale = [&](Scale s) {
        Json levels = Json::array();
        for (int i = 0; i < DiaryConfig::scaleLevels(s); ++i)
            levels.push_back(utf8(c.scaleLevel(s, i)));
        return Json{
            {"enabled", c.scaleEnabled(s)}, {"name", utf8(c.scaleName(s))}, {"levels", levels}};
    };
    j["dream"] = scale(Scale::Dream);
    j["fatigue"] = scale(Scale::Fatigue);
    j["shape"] = scale(Scale::Shape);
    for (int k = 0; k < 2; ++k)
        j[k == 0 ? "menstruation" : "copulation"] = {{"enabled", c.checkEnabled(k)},
                                                     {"name", utf8(c.checkName(k))}};
    const std::pair<const char*, Measure> measures[] = {{"real1", Measure::Real1},
                                                        {"real2", Measure::Real2},
                                                        {"int1", Measure::Int1},
                                                        {"int2", Measure::Int2}};
    for (const auto& [key, m] : measures)
        j[key] = {{"enabled", c.measureEnabled(m)}, {"name", utf8(c.measureName(m))}};
    Json weather = Json::array();
    for (int i = 0; i < DiaryConfig::kWeathers; ++i)
        weather.push_back(utf8(c.weatherName(i)));
    j["weather"] = {{"enabled", c.weatherEnabled()}, {"names", weather}};
    Json spins = Json::array();
    for (int k = 0; k < DiaryConfig::kSpins; ++k) {
        Json values = Json::array();
        for (int i = 0; i < DiaryConfig::kSpinValues; ++i)
            values.push_back(utf8(c.spinValue(k, i)));
        spins.push_back({{"enabled", c.spinEnabled(k)},
                         {"name", utf8(c.spinName(k))},
                         {"rangeLow", c.spinLow(k)},
                         {"rangeHigh", c.spinHigh(k)},
                         {"values", values}});
    }
    j["spins"] = spins;
    Json combos = Json::array();
    for (int k = 0; k < DiaryConfig::kCombos; ++k) {
        Json rows = Json::array();
        for (int i = 0; i < DiaryConfig::kComboRows; ++i)
            rows.push_back(utf8(c.comboRow(k, i)));
        combos.push_back({{"enabled", c.comboEnabled(k)},
                          {"name", utf8(c.comboName(k))},
                          {"rowsInUse", c.comboRows(k)},
                          {"rows", rows}});
    }
    j["combos"] = combos;
    Json shortcuts = Json::array(), typeNames = Json::array();
    for (int i = 0; i < DiaryConfig::kShortcuts; ++i)
        shortcuts.push_back(utf8(c.shortcut(i)));
    for (int i = 0; i < DiaryConfig::kTypes; ++i)
        typeNames.push_back(utf8(c.typeName(i)));
    j["shortcuts"] = shortcuts;
    j["typeNames"] = typeNames;
    return j;
}

} // namespace tavrin::formats
