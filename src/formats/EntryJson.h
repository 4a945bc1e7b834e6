#pragma once
// The JSON form of a diary's contents, used by "export" and read by "add".
// Texts are UTF-8 in JSON and Windows-1252 in the diary.

#include "storage/DiaryConfig.h"
#include "storage/EntryRecord.h"
#include "storage/Record.h"

#include <nlohmann/json.hpp>

#include <array>
#include <istream>
#include <span>
#include <string>

namespace tavrin::formats {

using Json = nlohmann::ordered_json;
using TypeTexts = std::array<std::string, EntryRecord::kTypeTexts>;

class EntryJson {
public:
    // Entries need three levels; anything far deeper is refused before it is built.
    static constexpr int kMaxDepth = 64;

    // Parses a JSON document. On failure `error` says why: "not valid JSON: ..." or "nested
    // deeper than 64 levels".
    static bool parse(std::istream& in, Json& out, std::string& error);

    // Every field of an entry with its texts (the secrets are left out).
    static Json fromEntry(const EntryRecord& r, const std::string& body, const TypeTexts& types);

    // Fills the fields of an entry from JSON. Absent fields take the values of a new entry
    // (ratings of the fibromyalgia block unchosen, everything else 0). Values outside their
    // ranges (EntryLimits), numbers that do not fit their field and floats that are not
    // finite are refused with a message in `error`; the first problem found is the one given.
    static bool toEntry(const Json& j, EntryRecord& r, std::string& body, TypeTexts& types,
                        std::string& error);

    // A fixed-size record described by its field table.
    static Json fromRecord(const ByteView& v, std::span<const FieldSpec> fields);

    // The names the diary gives its parameters.
    static Json fromConfig(const DiaryConfig& c);

    static std::string utf8(const std::string& cp1252);
    static std::string cp1252(const std::string& utf8);
    // A float as the shortest decimal that reads back to the same float.
    static double shortest(float f);
};

} // namespace tavrin::formats
