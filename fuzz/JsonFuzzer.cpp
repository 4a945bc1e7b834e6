// Arbitrary text as the JSON that "add" reads. Whatever it accepts lies within the ranges
// that "check" holds entries to, exports as valid JSON, and reads back from that export as
// the very same record and texts.

#include "FuzzSupport.h"
#include "formats/EntryJson.h"
#include "formats/EntryLimits.h"

#include <cmath>
#include <cstdint>
#include <sstream>

namespace {

using namespace tavrin;
using tavrin::fuzz::require;

// The same whole number (a boolean as 0 or 1), compared by value rather than by bits: the
// library's own comparison takes the largest unsigned number for -1.
bool sameWhole(const formats::Json& given, const formats::Json& stored) {
    if (given.is_boolean()) return stored == (given.get<bool>() ? 1 : 0);
    if (!given.is_number_integer() || !stored.is_number_integer()) return false;
    const bool hugeGiven =
        given.is_number_unsigned() && given.get<std::uint64_t>() > std::uint64_t(INT64_MAX);
    const bool hugeStored =
        stored.is_number_unsigned() && stored.get<std::uint64_t>() > std::uint64_t(INT64_MAX);
    if (hugeGiven || hugeStored)
        return hugeGiven && hugeStored && given.get<std::uint64_t>() == stored.get<std::uint64_t>();
    return given.get<std::int64_t>() == stored.get<std::int64_t>();
}

// Every whole number the entry gave is stored as it was given.
void storedAsGiven(const formats::Json& j, const formats::Json& exported) {
    auto field = [](const formats::Json& obj, const char* key, const formats::Json& out) {
        auto it = obj.find(key);
        if (it != obj.end() && (it->is_number_integer() || it->is_boolean()))
            require(sameWhole(*it, out.at(key)));
    };
    for (const char* key : {"mood", "fatigue", "dream", "shape", "weather", "menstruation",
                            "copulation", "int1", "int2", "dateTimeSeconds"})
        field(j, key, exported);
    for (const char* key : {"spins", "combos", "painMap"}) {
        auto it = j.find(key);
        if (it == j.end()) continue;
        for (std::size_t i = 0; i < it->size(); ++i)
            require(sameWhole((*it)[i], exported.at(key).at(i)));
    }
    auto fibro = j.find("fibromyalgia");
    if (fibro == j.end()) return;
    for (const auto& f : EntryRecord::fibroFields())
        field(*fibro, f.name, exported["fibromyalgia"]);
    for (const char* key : {"outdoorHumidity", "indoorHumidity"})
        field(*fibro, key, exported["fibromyalgia"]);
}

void entry(const formats::Json& j) {
    EntryRecord r;
    std::string body, error;
    formats::TypeTexts types;
    if (!formats::EntryJson::toEntry(j, r, body, types, error)) {
        require(!error.empty());
        return;
    }
    for (const auto& v : formats::EntryLimits::ranged(r))
        require(v.range.contains(v.value));
    for (float f :
         {r.real1(), r.real2(), r.bodyTemperature(), r.outdoorTemperature(), r.indoorTemperature()})
        require(std::isfinite(f));

    const formats::Json exported = formats::EntryJson::fromEntry(r, body, types);
    storedAsGiven(j, exported);
    std::istringstream text(exported.dump());
    formats::Json again;
    require(formats::EntryJson::parse(text, again, error));
    EntryRecord r2;
    std::string body2;
    formats::TypeTexts types2;
    require(formats::EntryJson::toEntry(again, r2, body2, types2, error));
    require(r2.bytes == r.bytes && body2 == body && types2 == types);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(tavrin::fuzz::bytes(data, size));
    formats::Json input;
    std::string error;
    if (!formats::EntryJson::parse(in, input, error)) return 0;
    if (input.is_array())
        for (const auto& e : input)
            entry(e);
    else
        entry(input);
    return 0;
}
