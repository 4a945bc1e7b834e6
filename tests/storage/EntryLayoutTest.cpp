// The 420-byte index record and the entry data file, byte for byte: a file built by hand from
// the layout table must read back field by field, and writing the same entry must produce the
// same bytes.

#include "Diaries.h"

#include <gtest/gtest.h>

namespace tavrin::test {
namespace {

constexpr std::int64_t kWhen = 0x0000000123456789; // every byte of the 64-bit field in use
const std::string kJunk = "xxxxx";                 // unreferenced bytes before the entry's texts
const std::string kQuestion1 = "Pet \xA6 name?";   // holds the question key 0xA6
const std::string kAnswer1 = "Quokka";             // 'Q' is the answer key 0x51
const std::string kBody = "dear diary";            // 'd' is the text key

// The record as the layout table describes it, scrambled as on disk.
Bytes handRecord() {
    Bytes r(420);
    r.u32(0, 4).text(4, xorExcept(kPassword, 0x3B)).u8(34, 1);
    const std::string q[3] = {kQuestion1, "Town?", "Colour?"}, a[3] = {kAnswer1, "Ulm", "Teal"};
    for (int p = 0; p < 3; ++p) {
        std::size_t b = 36 + 62 * std::size_t(p);
        r.u8(b, int(q[p].size())).text(b + 1, xorExcept(q[p], 0xA6));
        r.u8(b + 31, int(a[p].size())).text(b + 32, xorExcept(a[p], 0x51));
    }
    r.i64(224, kWhen).text(232, "Lake day");
    r.u8(262, -3).u8(263, -2).u8(264, -1).u8(265, 1).u8(266, 7);
    r.f32(268, 36.6f).f32(272, -1.5f).i32(276, 72).i32(280, -70000);
    r.u8(284, 2).u8(285, 4).u8(286, -3).u8(287, 0).u8(288, 3).u8(289, 0).u8(290, 4).u8(291, 8);
    for (int i = 0; i < 18; ++i)
        r.u8(292 + std::size_t(i), i + 1);
    const int fibroOffsets[21] = {312, 313, 314, 315, 316, 317, 318, 319, 324, 325, 326,
                                  327, 328, 329, 330, 331, 332, 333, 344, 345, 356};
    for (int i = 0; i < 21; ++i)
        r.u8(std::size_t(fibroOffsets[i]), i % 11 - 1); // -1 to 9
    r.f32(320, 37.25f).f32(336, 21.5f).f32(340, -3.25f).i32(348, 55).i32(352, 100);
    r.u32(360, 5).u32(364, 10);                          // body
    r.u32(368, 15).u32(372, 0).u32(376, 15).u32(380, 6); // types 1, 2 ("Ledger")
    r.u32(384, 21).u32(388, 0).u32(392, 21).u32(396, 4); // types 3, 4 ("mail")
    r.u32(400, 25).u32(404, 0);                          // type 5
    r.u8(408, 1).u32(412, 77).u32(416, 88);
    return r;
}

std::string handData() {
    return kJunk + xorExcept(kBody, kTextKey) + xorExcept("Ledger", kTextKey) +
           xorExcept("mail", kTextKey);
}

// The same entry through the record's own setters.
void fillEntry(TN& tn) {
    EntryRecord& e = tn.entry;
    e.clear();
    setSecrets(e);
    e.setQuestion(0, kQuestion1);
    e.setAnswer(0, kAnswer1);
    e.setDateTime(kWhen);
    e.setDescription("Lake day");
    e.setMood(-3);
    e.setFatigue(-2);
    e.setShape(-1);
    e.setMenstruation(1);
    e.setCopulation(7);
    e.setReal1(36.6f);
    e.setReal2(-1.5f);
    e.setInt1(72);
    e.setInt2(-70000);
    e.setDream(2);
    e.setWeather(4);
    e.setSpin(0, -3);
    e.setSpin(1, 0);
    e.setSpin(2, 3);
    e.setCombo(0, 0);
    e.setCombo(1, 4);
    e.setCombo(2, 8);
    for (int i = 0; i < 18; ++i)
        e.setPain(i, std::uint8_t(i + 1));
    int i = 0;
    for (const auto& f : EntryRecord::fibroFields())
        e.setFibro(f.field, std::int8_t(i++ % 11 - 1));
    e.setBodyTemperature(37.25f);
    e.setOutdoorTemperature(21.5f);
    e.setIndoorTemperature(-3.25f);
    e.setOutdoorHumidity(55);
    e.setIndoorHumidity(100);
    e.setVoiceFlag(1);
    e.setVoice(77, 88);
    tn.body = kBody;
    tn.typeText = {"", "Ledger", "", "mail", ""};
}

struct EntryLayout : ::testing::Test {
    TempDir dir;
    std::string path = dir.file("Diary.tni");
    RecordingReporter rep;
    std::unique_ptr<TN> tn = openDiary(path, rep);
    std::string dataPath = tn->files().path(DiaryFileSet::kData);
};

} // namespace

TEST_F(EntryLayout, HandBuiltRecordReadsBackEveryField) {
    writeFile(path, handRecord().b);
    writeFile(dataPath, handData());
    ASSERT_TRUE(tn->FirstEntry(true)) << rep.dump();
    const EntryRecord& e = tn->entry;
    EXPECT_EQ(e.password(), kPassword);
    EXPECT_EQ(e.question(0), kQuestion1);
    EXPECT_EQ(e.answer(0), kAnswer1);
    EXPECT_EQ(e.question(2), "Colour?");
    EXPECT_EQ(e.answer(1), "Ulm");
    EXPECT_EQ(e.version(), 1);
    EXPECT_EQ(e.dateTime(), kWhen);
    EXPECT_EQ(e.description(), "Lake day");
    EXPECT_EQ(e.mood(), -3);
    EXPECT_EQ(e.fatigue(), -2);
    EXPECT_EQ(e.shape(), -1);
    EXPECT_EQ(e.menstruation(), 1);
    EXPECT_EQ(e.copulation(), 7);
    EXPECT_FLOAT_EQ(e.real1(), 36.6f);
    EXPECT_FLOAT_EQ(e.real2(), -1.5f);
    EXPECT_EQ(e.int1(), 72);
    EXPECT_EQ(e.int2(), -70000);
    EXPECT_EQ(e.dream(), 2);
    EXPECT_EQ(e.weather(), 4);
    EXPECT_EQ(e.spin(0), -3);
    EXPECT_EQ(e.spin(2), 3);
    EXPECT_EQ(e.combo(1), 4);
    EXPECT_EQ(e.combo(2), 8);
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(e.pain(i), i + 1) << "area " << i;
    int i = 0;
    for (const auto& f : EntryRecord::fibroFields())
        EXPECT_EQ(e.fibro(f.field), i++ % 11 - 1) << f.name;
    EXPECT_FLOAT_EQ(e.bodyTemperature(), 37.25f);
    EXPECT_FLOAT_EQ(e.outdoorTemperature(), 21.5f);
    EXPECT_FLOAT_EQ(e.indoorTemperature(), -3.25f);
    EXPECT_EQ(e.outdoorHumidity(), 55);
    EXPECT_EQ(e.indoorHumidity(), 100);
    EXPECT_EQ(e.voiceFlag(), 1);
    EXPECT_EQ(e.voiceOffset(), 77u);
    EXPECT_EQ(e.voiceLength(), 88u);
    EXPECT_EQ(tn->body, kBody);
    EXPECT_EQ(tn->typeText[1], "Ledger");
    EXPECT_EQ(tn->typeText[3], "mail");
    EXPECT_EQ(tn->typeText[0] + tn->typeText[2] + tn->typeText[4], "");
    EXPECT_EQ(tn->entryCount, 1);

    // Without unscrambling the secrets and texts come as stored.
    ASSERT_TRUE(tn->FirstEntry(false));
    EXPECT_EQ(tn->entry.password(), xorExcept(kPassword, 0x3B));
    EXPECT_EQ(tn->body, xorExcept(kBody, kTextKey));
    // The index-only read is always unscrambled and leaves the texts alone.
    tn->body = "untouched";
    ASSERT_TRUE(tn->ReadIndexRecord());
    EXPECT_EQ(tn->entry.password(), kPassword);
    EXPECT_EQ(tn->body, "untouched");
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
}

TEST_F(EntryLayout, AddEntryWritesTheHandBuiltBytes) {
    writeFile(dataPath, kJunk);
    fillEntry(*tn);
    ASSERT_TRUE(tn->AddEntry()) << rep.dump();
    const Bytes want = handRecord();
    const std::string got = readFile(path);
    ASSERT_EQ(got.size(), 420u);
    for (std::size_t i = 0; i < 420; ++i)
        EXPECT_EQ(std::uint8_t(got[i]), want.getU8(i)) << "index record byte " << i;
    EXPECT_EQ(readFile(dataPath), handData());
    EXPECT_EQ(tn->entryCount, 1);
    EXPECT_EQ(tn->dataFileLength, std::int64_t(handData().size()));

    // The object's entry stays unscrambled, so a second entry can follow at once.
    EXPECT_EQ(tn->entry.password(), kPassword);
    tn->body = "second";
    tn->typeText = {};
    ASSERT_TRUE(tn->AddEntry()) << rep.dump();
    RecordingReporter rep2;
    auto fresh = openDiary(path, rep2);
    ASSERT_TRUE(fresh->FirstEntry(true));
    EXPECT_EQ(fresh->body, kBody);
    ASSERT_TRUE(fresh->NextEntry(true));
    EXPECT_EQ(fresh->body, "second");
    EXPECT_EQ(fresh->entry.password(), kPassword);
    EXPECT_EQ(fresh->entry.question(0), kQuestion1);
    EXPECT_FALSE(fresh->NextEntry(true));
    EXPECT_TRUE(rep.reports.empty() && rep2.reports.empty()) << rep.dump() << rep2.dump();
}

TEST_F(EntryLayout, EmptyTextsPointAtTheEndOfTheDataFile) {
    writeFile(dataPath, "0123456789");
    ASSERT_TRUE(addEntry(*tn, {kWhen, std::string(40, 'D'), "", {}}));
    const Bytes r{readFile(path)};
    EXPECT_EQ(sizeOf(dataPath), 10);
    for (std::size_t t = 0; t < 6; ++t) {
        EXPECT_EQ(r.getU32(360 + 8 * t), 10u) << "offset of text " << t;
        EXPECT_EQ(r.getU32(364 + 8 * t), 0u) << "length of text " << t;
    }
    // A long description keeps 29 characters and its NUL.
    EXPECT_EQ(r.getText(232, 30), std::string(29, 'D'));
    EXPECT_EQ(r.getU8(261), 0);
    EXPECT_EQ(r.getU8(408) + r.getU32(412) + r.getU32(416), 0u) << "no voice note";
    // Clearing a field with an empty view that points nowhere.
    tn->entry.setDescription(std::string_view{});
    EXPECT_EQ(tn->entry.description(), "");
    ASSERT_TRUE(tn->FirstEntry(true));
    EXPECT_EQ(tn->body, "");
}

TEST_F(EntryLayout, EveryByteSurvivesTheTextKey) {
    // Every byte value but 0, including the key itself, in the body and a type text.
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += char(c);
    ASSERT_TRUE(addEntry(*tn, {kWhen, "", all, {"", "", "", "", all}}));
    const std::string data = readFile(dataPath);
    EXPECT_EQ(data, xorExcept(all, kTextKey) + xorExcept(all, kTextKey));
    EXPECT_EQ(data.find('\0'), std::string::npos) << "no stored text holds the byte 0";
    ASSERT_TRUE(tn->FirstEntry(true));
    EXPECT_EQ(tn->body, all);
    EXPECT_EQ(tn->typeText[4], all);
}

} // namespace tavrin::test
