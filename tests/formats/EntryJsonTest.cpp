// The JSON that "add" reads: every field at both ends of its range, numbers that do not fit
// their field, and nesting.

#include "formats/EntryJson.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <sstream>

using namespace tavrin;
using namespace tavrin::formats;

namespace {

struct Outcome {
    bool ok;
    std::string error;
    EntryRecord record;
    Json stored; // the record as "export" writes it
};

Outcome read(const std::string& fields) {
    Outcome o;
    std::string body;
    TypeTexts types;
    const Json j = Json::parse(R"({"dateTime": "2026-05-01T10:00:00")" +
                               (fields.empty() ? "" : ", " + fields) + "}");
    o.ok = EntryJson::toEntry(j, o.record, body, types, o.error);
    o.stored = EntryJson::fromEntry(o.record, body, types);
    return o;
}

TEST(EntryJsonTest, EveryFieldAtBothEndsOfItsRange) {
    struct Case {
        const char* fields;
        const char* refusal; // nullptr: accepted, and stored as given
    };
    const Case cases[] = {
        {R"("mood": -3)", nullptr},
        {R"("mood": 3)", nullptr},
        {R"("mood": -4)", "between -3 and 3"},
        {R"("mood": 4)", "between -3 and 3"},
        {R"("fatigue": -2)", nullptr},
        {R"("fatigue": 0)", nullptr},
        {R"("fatigue": -3)", "\"fatigue\" must lie between -2 and 0"},
        {R"("fatigue": 1)", "between -2 and 0"},
        {R"("dream": -2)", nullptr},
        {R"("dream": 2)", nullptr},
        {R"("dream": -3)", "between -2 and 2"},
        {R"("dream": 3)", "between -2 and 2"},
        {R"("shape": -3)", nullptr},
        {R"("shape": 0)", nullptr},
        {R"("shape": -4)", "between -3 and 0"},
        {R"("shape": 1)", "between -3 and 0"},
        {R"("weather": 0)", nullptr},
        {R"("weather": 4)", nullptr},
        {R"("weather": -1)", "between 0 and 4"},
        {R"("weather": 5)", "between 0 and 4"},
        {R"("menstruation": 255)", nullptr},
        {R"("copulation": 256)", "between 0 and 255"},
        {R"("menstruation": -1)", "between 0 and 255"},
        {R"("int1": -2147483648)", nullptr},
        {R"("int2": 2147483647)", nullptr},
        {R"("int1": 2147483648)", "\"int1\""},
        {R"("int2": -2147483649)", "\"int2\""},
        {R"("spins": [-3, 0, 3])", nullptr},
        {R"("spins": [0, 4, 0])", "between -3 and 3"},
        {R"("spins": [-4, 0, 0])", "between -3 and 3"},
        {R"("combos": [0, 8, 0])", nullptr},
        {R"("combos": [9, 0, 0])", "between 0 and 8"},
        {R"("combos": [0, -1, 0])", "between 0 and 8"},
        {R"("painMap": [0,6,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,6])", nullptr},
        {R"("painMap": [0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,-1])", "between 0 and 6"},
        {R"("fibromyalgia": {"sleep": -1, "effect": 9})", nullptr},
        {R"("fibromyalgia": {"sleep": 10})", "\"sleep\" must lie between -1 and 9"},
        {R"("fibromyalgia": {"mold": -2})", "between -1 and 9"},
        {R"("fibromyalgia": {"outdoorHumidity": 0, "indoorHumidity": 100})", nullptr},
        {R"("fibromyalgia": {"outdoorHumidity": -1})", "between 0 and 100"},
        {R"("fibromyalgia": {"indoorHumidity": 101})", "between 0 and 100"},
        {R"("description": "12345678901234567890123456789")", nullptr},
        {R"("description": "123456789012345678901234567890")", "at most 29 characters"},
        {R"("types": ["a", "b", "c", "d", "e"])", nullptr},
        {R"("types": ["a", "b", "c", "d", "e", "f"])", "at most 5 texts"},
        {R"("dateTimeSeconds": 9223372036854775807)", nullptr},
        {R"("dateTimeSeconds": -9223372036854775808)", nullptr},
        // Numbers that wrapped round before: the largest unsigned JSON number is not -1.
        {R"("dateTimeSeconds": 9223372036854775808)", "\"dateTimeSeconds\" must lie between"},
        {R"("dateTimeSeconds": 18446744073709551615)", "\"dateTimeSeconds\" must lie between"},
        {R"("mood": 18446744073709551615)", "between -3 and 3"},
        {R"("int1": 18446744073709551615)", "\"int1\" must lie between"},
        {R"("spins": [18446744073709551615, 0, 0])", "between -3 and 3"},
        {R"("fibromyalgia": {"ibs": 18446744073709551615})", "between -1 and 9"},
        // A boolean counts as 0 or 1, and must fit the range like any number.
        {R"("menstruation": true)", nullptr},
        {R"("fatigue": true)", "between -2 and 0"},
        {R"("mood": 1.5)", "\"mood\" must be a whole number"},
        // The first problem is the one reported.
        {R"("mood": 9, "fatigue": 9, "body": 5)", "\"mood\""},
    };
    for (const auto& c : cases) {
        const Outcome o = read(c.fields);
        EXPECT_EQ(o.ok, c.refusal == nullptr) << c.fields << ": " << o.error;
        if (c.refusal) {
            EXPECT_NE(o.error.find(c.refusal), std::string::npos) << c.fields << ": " << o.error;
            continue;
        }
        const Json given = Json::parse(std::string("{") + c.fields + "}");
        for (const auto& [key, value] : given.items()) {
            if (key == "fibromyalgia") {
                for (const auto& [k, v] : value.items())
                    EXPECT_EQ(o.stored[key][k], v) << c.fields;
            } else if (value.is_boolean()) {
                EXPECT_EQ(o.stored[key], value.get<bool>() ? 1 : 0) << c.fields;
            } else {
                EXPECT_EQ(o.stored[key], value) << c.fields;
            }
        }
    }
}

TEST(EntryJsonTest, FloatsMustBeFiniteAndFitAFloat) {
    struct Case {
        const char* fields;
        bool ok;
        float stored;
    };
    const Case cases[] = {
        {R"("real1": 36.6)", true, 36.6f},
        {R"("real1": 1e300)", false, 0},
        {R"("real2": -1e39)", false, 0},
        {R"("fibromyalgia": {"bodyTemperature": 1e300})", false, 0},
        {R"("real1": 3.4028234663852886e38)", true, FLT_MAX},
        // What an export writes for the largest float reads back as it.
        {R"("real1": -3.4028235e38)", true, -FLT_MAX},
        {R"("real1": 18446744073709551615)", true, 18446744073709551615.0f},
    };
    for (const auto& c : cases) {
        const Outcome o = read(c.fields);
        EXPECT_EQ(o.ok, c.ok) << c.fields << ": " << o.error;
        if (!c.ok) {
            EXPECT_NE(o.error.find("must be a number between"), std::string::npos) << o.error;
            continue;
        }
        const float got = std::string(c.fields).find("bodyTemperature") != std::string::npos
                              ? o.record.bodyTemperature()
                          : std::string(c.fields).find("real2") != std::string::npos
                              ? o.record.real2()
                              : o.record.real1();
        EXPECT_EQ(got, c.stored) << c.fields;
    }
}

TEST(EntryJsonTest, NestingIsLimitedWhileParsing) {
    auto nested = [](int depth) {
        return std::string(std::size_t(depth), '[') + std::string(std::size_t(depth), ']');
    };
    for (int depth : {EntryJson::kMaxDepth, EntryJson::kMaxDepth + 1, 50000}) {
        std::istringstream in(nested(depth));
        Json j;
        std::string error;
        const bool ok = EntryJson::parse(in, j, error);
        EXPECT_EQ(ok, depth <= EntryJson::kMaxDepth) << depth;
        if (!ok) {
            EXPECT_EQ(error, "nested deeper than 64 levels");
        }
    }
}

} // namespace
