// The JSON that "add" reads: every field at both ends of its range, numbers that do not fit
// their field, nesting, and the new diary's password.

#include "cli/EntryJson.h"
#include "CliFixture.h"
#include "storage/DiaryFileSet.h"
#include "storage/TN.h"

#include <cfloat>
#include <sys/stat.h>

using namespace tavrin;
using namespace tavrin::cli;

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

using CliEdges = tavrin::cli::test::CliFixture;

TEST_F(CliEdges, DeeplyNestedInputIsRefusedNotCrashedOn) {
    const std::string deep = std::string(50000, '[') + std::string(50000, ']');
    for (const std::string& input : {deep, "[{" + newDiary() + R"("dateTime": "2026-01-01",
                                               "body": )" +
                                               deep + "}]"}) {
        auto r = run({"add", diary}, input);
        EXPECT_EQ(r.status, Cli::kUsage);
        EXPECT_EQ(r.err, "tavrin-cli: standard input is nested deeper than 64 levels\n");
    }
    EXPECT_FALSE(std::filesystem::exists(diary));
    // The organiser's adds read their objects with the same limit.
    ASSERT_EQ(run({"add", diary}, "{" + newDiary() + R"("dateTime": "2026-01-01"})").status,
              Cli::kOk);
    for (const char* command : {"add-reminder", "add-planner", "add-contact"}) {
        auto r = run({command, diary}, deep);
        EXPECT_EQ(r.status, Cli::kUsage) << command;
        EXPECT_EQ(r.err, "tavrin-cli: standard input is nested deeper than 64 levels\n") << command;
    }
}

TEST_F(CliEdges, NewDiaryPasswordLengthIsCountedInStoredCharacters) {
    const std::string e29 = [] {
        std::string s;
        for (int i = 0; i < 29; ++i)
            s += "\xC3\xA9"; // é: two UTF-8 bytes, one stored
        return s;
    }();
    const std::pair<std::string, bool> cases[] = {
        {"ab", false},
        {"abc", true},
        {std::string(29, 'p'), true},
        {std::string(30, 'p'), false},
        {e29, true},
        {e29 + "x", false},
    };
    for (const auto& [password, ok] : cases) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        auto r = run({"add", diary}, "{" + newDiary(password) + R"("dateTime": "2026-01-01"})");
        EXPECT_EQ(r.status, ok ? Cli::kOk : Cli::kUsage) << password << r.err;
        if (ok) {
            EXPECT_EQ(run({"list", diary}, "", password).status, Cli::kOk) << password;
        } else {
            EXPECT_NE(r.err.find("3 to 29 characters"), std::string::npos);
        }
    }
}

TEST_F(CliEdges, ShowNamesEveryShape) {
    std::string input = "[";
    for (int shape = -3; shape <= 0; ++shape)
        input += std::string(shape == -3 ? "{" + newDiary() : ",{") + R"("dateTime": "2026-01-0)" +
                 std::to_string(shape + 4) + R"(", "shape": )" + std::to_string(shape) + "}";
    ASSERT_EQ(run({"add", diary}, input + "]").status, Cli::kOk);
    const char* names[] = {"Shape: Very Sick (-3)\n", "Shape: Sick (-2)\n",
                           "Shape: Not Well (-1)\n", "Shape: Healthy (0)\n"};
    for (int n = 1; n <= 4; ++n) {
        auto r = run({"show", diary, std::to_string(n)});
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        EXPECT_NE(r.out.find(names[n - 1]), std::string::npos) << r.out;
    }
}

TEST_F(CliEdges, DiaryNamedOnlyByItsExtension) {
    // A bare ".tni" names no diary; in a folder it is a diary whose name is ".tni" itself,
    // kept in ".tni.diary" beside it rather than in the folder that holds it.
    EXPECT_EQ(run({"list", ".tni"}).status, Cli::kUsage);
    const std::string hidden = (dir / ".tni").string();
    ASSERT_EQ(run({"add", hidden}, "{" + newDiary() + R"("dateTime": "2026-01-01",
                                                         "body": "text"})")
                  .status,
              Cli::kOk);
    auto r = run({"list", hidden});
    EXPECT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "1\t2026-01-01T00:00:00\t-\t-----\t\n");
    EXPECT_TRUE(std::filesystem::exists(dir / ".tni.diary" / ".tni.diary.tnd"));
}

TEST_F(CliEdges, ShowAndExportDoNotWaitOnAFifoConfiguration) {
    ASSERT_EQ(
        run({"add", diary}, "{" + newDiary() + R"("dateTime": "2026-01-01", "mood": 3})").status,
        Cli::kOk);
    const std::string config = DiaryFileSet(diary).path(DiaryFileSet::kConfig);
    ASSERT_EQ(::mkfifo(config.c_str(), 0600), 0);
    auto r = run({"show", diary, "1"});
    EXPECT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_NE(r.out.find("Mood: Excellent (3)"), std::string::npos); // the default names
    r = run({"export", diary});
    EXPECT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(Json::parse(r.out)["configuration"]["typeNames"][0], "Finance");
}

} // namespace
