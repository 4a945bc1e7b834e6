// The entry formats' contract: what the JSON writer writes, the JSON reader gives back entry for
// entry (the export lists them under "entries"), and the diary's secrets never reach the file.

#include "formats/JsonReader.h"
#include "formats/JsonWriter.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <functional>
#include <sstream>

using namespace tavrin;
using namespace tavrin::formats;

namespace {

constexpr const char* kPassword = "hunter2pw";
constexpr const char* kAnswer = "Rex the dog";

Entry entryWith(const std::function<void(Entry&)>& fill) {
    Entry e;
    e.record.setPassword(kPassword);
    e.record.setQuestion(0, "Pet?");
    e.record.setAnswer(0, kAnswer);
    for (const auto& f : EntryRecord::fibroFields())
        e.record.setFibro(f.field, -1);
    e.record.setDateTime(1780000000);
    fill(e);
    return e;
}

TEST(EntryFormatTest, JsonWrittenReadsBackAsTheSameEntries) {
    DiaryRecords d;
    d.name = "Journal";
    d.config.applyDefaults();
    const std::pair<const char*, std::function<void(Entry&)>> cases[] = {
        {"nothing but a date", [](Entry&) {}},
        {"before 1970", [](Entry& e) { e.record.setDateTime(-86400 * 365); }},
        {"Windows-1252 texts",
         [](Entry& e) {
             e.record.setDescription("Caf\xE9 \x80 5");
             e.body = "{\\rtf1\\ansi caf\\'e9}\r\nsecond line \x93quoted\x94";
             e.types = {"a", "", "\xFC", "", "last"};
         }},
        {"ends of the scales",
         [](Entry& e) {
             e.record.setMood(-3);
             e.record.setFatigue(-2);
             e.record.setDream(2);
             e.record.setShape(-3);
             e.record.setWeather(4);
             e.record.setMenstruation(255);
             e.record.setCopulation(1);
             e.record.setSpin(2, 3);
             e.record.setCombo(0, 8);
             e.record.setPain(17, 6);
             e.record.setFibro(EntryRecord::fibroFields()[0].field, 9);
             e.record.setOutdoorHumidity(100);
         }},
        {"measurements at their limits",
         [](Entry& e) {
             e.record.setReal1(FLT_MAX);
             e.record.setReal2(-FLT_TRUE_MIN);
             e.record.setInt1(INT_MIN);
             e.record.setInt2(INT_MAX);
             e.record.setBodyTemperature(36.6f);
             e.record.setOutdoorTemperature(-0.1f);
         }},
    };
    for (const auto& [what, fill] : cases) {
        d.entries.push_back(entryWith(fill));
        d.entries.back().position = int(d.entries.size());
    }

    std::stringstream file;
    JsonWriter().write(file, d);
    EXPECT_EQ(file.str().find(kPassword), std::string::npos);
    EXPECT_EQ(file.str().find(kAnswer), std::string::npos);

    // add reads the entries as the export lists them.
    const Json written = Json::parse(file.str());
    EXPECT_EQ(written["diary"], "Journal");
    std::istringstream listed(written["entries"].dump());
    JsonReader reader;
    std::vector<Entry> back;
    ReadProblem problem;
    ASSERT_TRUE(reader.read(listed, back, problem)) << problem.entry << ": " << problem.text;
    ASSERT_EQ(back.size(), d.entries.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        SCOPED_TRACE(cases[i].first);
        EXPECT_EQ(written["entries"][i]["position"], i + 1);
        EXPECT_EQ(back[i].body, d.entries[i].body);
        EXPECT_EQ(back[i].types, d.entries[i].types);
        back[i].record.copySecretsFrom(d.entries[i].record);
        EXPECT_EQ(back[i].record.bytes, d.entries[i].record.bytes);
    }
}

} // namespace
