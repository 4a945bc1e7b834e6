// The three configuration blocks: defaults at their offsets, built here by hand from the
// default tables, and what happens to missing, short, long and unreadable files.

#include "Diaries.h"
#include "FaultFileSystem.h"

#include <gtest/gtest.h>

namespace tavrin::test {
namespace {

Bytes defaultConfig() {
    Bytes c(3112);
    c.u8(0, 1);
    const char* moods[] = {"Depressed", "Sad",       "Not Good", "Neutral",
                           "Good",      "Very Good", "Excellent"};
    for (int i = 0; i < 7; ++i)
        c.text(1 + 15 * std::size_t(i), moods[i]);
    c.u8(106, 1).text(107, "Fatigue").text(122, "Exhausted").text(137, "Tired").text(152, "Normal");
    c.u8(167, 1)
        .text(168, "Dream")
        .text(183, "Nightmare")
        .text(198, "Strange")
        .text(213, "Neutral");
    c.text(228, "Amusing").text(243, "Fun");
    c.u8(258, 1).text(259, "Shape").text(274, "Very Sick").text(289, "Sick").text(304, "Not Well");
    c.text(319, "Healthy");
    c.u8(334, 1).text(335, "Menstruus").u8(350, 1).text(351, "Copulation");
    c.u8(366, 1).text(367, "Temperature").u8(382, 0).text(383, "no name");
    c.u8(398, 1).text(399, "Weight").u8(414, 0).text(415, "no name");
    for (int k = 0; k < 3; ++k) {
        const std::size_t b = 432 + 132 * std::size_t(k);
        const std::string n = std::to_string(k + 1);
        c.u8(b, 0).text(b + 1, "Spin " + n + " Name").i32(b + 16, 2).i32(b + 20, 6);
        for (int i = 0; i < 7; ++i)
            c.text(b + 24 + 15 * std::size_t(i), "spin " + n + " " + std::to_string(i + 1));
    }
    c.u8(828, 1);
    const char* weather[] = {"Sunny", "Overcast", "Foggy", "Rainy", "Snowy"};
    for (int i = 0; i < 5; ++i)
        c.text(829 + 15 * std::size_t(i), weather[i]);
    for (int k = 0; k < 3; ++k) {
        const std::size_t b = 904 + 152 * std::size_t(k);
        const std::string n = std::to_string(k + 1);
        c.u8(b, 0).text(b + 1, "Combo " + n).u8(b + 16, 2 * k + 2);
        for (int i = 0; i < 9; ++i)
            c.text(b + 17 + 15 * std::size_t(i), "combo " + n + " " + std::to_string(i + 1));
    }
    for (int i = 0; i < 5; ++i)
        c.text(1360 + 300 * std::size_t(i), "text for hotkey" + std::to_string(i + 1));
    const char* types[] = {"Finance", "Drafts", "Journal", "E-mails", "Poetry"};
    for (int i = 0; i < 5; ++i)
        c.text(2860 + 50 * std::size_t(i), types[i]);
    return c;
}

Bytes defaultGraph() {
    Bytes g(432);
    g.rgb(0, 196, 196, 196);
    struct D {
        int visible, r, gr, b, type;
    };
    const D diary[17] = {{1, 255, 0, 0, 0},   {1, 0, 255, 0, 1},   {1, 0, 0, 255, 1},
                         {1, 255, 0, 255, 1}, {1, 0, 255, 255, 2}, {1, 0, 128, 128, 2},
                         {1, 128, 128, 0, 2}, {0, 64, 64, 0, 2},   {1, 255, 255, 255, 2},
                         {0, 64, 64, 64, 2},  {1, 0, 0, 0, 2},     {0, 196, 0, 196, 0},
                         {0, 128, 0, 128, 0}, {0, 64, 0, 64, 0},   {0, 0, 196, 0, 2},
                         {0, 0, 128, 0, 2},   {0, 0, 64, 0, 2}};
    for (std::size_t i = 0; i < 17; ++i) {
        const std::size_t b = 4 + 12 * i;
        g.u8(b, diary[i].visible).rgb(b + 4, diary[i].r, diary[i].gr, diary[i].b);
        g.u8(b + 8, diary[i].type).u8(b + 9, 1);
    }
    // Fibromyalgia series: visible offset, colour offset, type, colour; never visible, width 1.
    struct F {
        std::size_t at, colour;
        int type, r, gr, b;
    };
    const F fibro[21] = {
        {208, 212, 1, 255, 0, 0},   {218, 220, 1, 196, 0, 0},   {226, 228, 1, 128, 0, 0},
        {236, 240, 0, 0, 255, 0},   {246, 248, 0, 0, 223, 0},   {254, 256, 0, 0, 196, 0},
        {262, 264, 0, 0, 164, 0},   {270, 272, 0, 0, 132, 0},   {278, 280, 0, 0, 100, 0},
        {286, 288, 0, 0, 68, 0},    {294, 296, 0, 0, 36, 0},    {302, 304, 0, 0, 4, 0},
        {312, 316, 0, 0, 0, 255},   {322, 324, 0, 0, 0, 223},   {330, 332, 0, 0, 0, 196},
        {338, 340, 0, 0, 0, 164},   {346, 348, 0, 0, 0, 132},   {354, 356, 0, 0, 0, 100},
        {364, 368, 0, 255, 255, 0}, {374, 376, 0, 223, 223, 0}, {382, 384, 0, 196, 196, 0}};
    for (const F& f : fibro)
        g.u8(f.at, 0).rgb(f.colour, f.r, f.gr, f.b).u8(f.colour + 4, f.type).u8(f.colour + 5, 1);
    g.rgb(396, 0, 255, 255).rgb(404, 0, 223, 223).rgb(412, 0, 196, 196);
    g.rgb(420, 255, 0, 255).rgb(428, 223, 0, 223);
    return g;
}

Bytes defaultPads(const std::string& folder, const std::string& name) {
    Bytes t(2610);
    for (std::size_t p = 0; p < 9; ++p) {
        if (p < 5) {
            t.text(290 * p, "Pad " + std::to_string(p));
            t.text(290 * p + 30, folder + "/" + name + ".tn" + std::to_string(p));
        } else {
            t.text(290 * p, "<not set>").text(290 * p + 30, std::string(260, '*'));
        }
    }
    return t;
}

void expectSameBytes(const std::string& got, const Bytes& want, const char* what) {
    ASSERT_EQ(got.size(), want.b.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(std::uint8_t(got[i]), want.getU8(i)) << what << " byte " << i;
}

struct ConfigBlocks : ::testing::Test {
    TempDir dir;
    std::string path = dir.file("Diary.tni");
    RecordingReporter rep;
    std::unique_ptr<TN> tn = openDiary(path, rep);
    std::string configPath = tn->files().path(DiaryFileSet::kConfig);
};

} // namespace

TEST_F(ConfigBlocks, MissingFilesAreCreatedWithTheDefaults) {
    ASSERT_TRUE(tn->ReadConfiguration()) << rep.dump();
    expectSameBytes(readFile(configPath), defaultConfig(), "configuration file");
    expectSameBytes(std::string(tn->config.bytes.begin(), tn->config.bytes.end()), defaultConfig(),
                    "buffer");
    EXPECT_EQ(tn->ConfigurationLength(), 3112);

    ASSERT_TRUE(tn->ReadGraphSettings()) << rep.dump();
    expectSameBytes(readFile(tn->files().path(DiaryFileSet::kGraph)), defaultGraph(),
                    "graph settings");

    ASSERT_TRUE(tn->ReadPadTable()) << rep.dump();
    expectSameBytes(readFile(tn->files().path(DiaryFileSet::kPadTable)),
                    defaultPads(dir.file("Diary"), "Diary"), "pad table");
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
}

TEST_F(ConfigBlocks, AccessorsReadTheDefaultsWhereTheTableSays) {
    ASSERT_TRUE(tn->ReadConfiguration());
    const DiaryConfig& c = tn->config;
    EXPECT_EQ(c.moodName(6), "Excellent");
    EXPECT_EQ(c.scaleLevel(DiaryConfig::Scale::Dream, 4), "Fun");
    EXPECT_EQ(c.measureName(DiaryConfig::Measure::Int1), "Weight");
    EXPECT_FALSE(c.measureEnabled(DiaryConfig::Measure::Real2));
    EXPECT_EQ(c.spinValue(2, 6), "spin 3 7");
    EXPECT_EQ(c.comboRows(2), 6);
    EXPECT_EQ(c.comboRow(1, 8), "combo 2 9");
    EXPECT_EQ(c.typeName(3), "E-mails");
    ASSERT_TRUE(tn->ReadGraphSettings());
    EXPECT_EQ(tn->graph.colour(GraphSettings::fibroSlot(20)), GraphSettings::rgb(196, 196, 0));
    EXPECT_EQ(tn->graph.type(GraphSettings::diarySlot(4)), GraphSettings::Point);
    ASSERT_TRUE(tn->ReadPadTable());
    // An unset pad's path fills its field without a NUL; reading stops at the field's end.
    EXPECT_EQ(tn->pads.path(8), std::string(260, '*'));
    EXPECT_FALSE(tn->pads.isSet(5));
    EXPECT_TRUE(tn->pads.isSet(4));
    EXPECT_EQ(tn->pads.title(5), "<not set>");
}

TEST_F(ConfigBlocks, ShortFileIsReplacedByTheDefaultsAndAWholeOneIsKept) {
    writeFile(configPath, std::string(100, 'Z'));
    ASSERT_TRUE(tn->ReadConfiguration()) << rep.dump();
    expectSameBytes(readFile(configPath), defaultConfig(), "short file after reading");

    tn->config.setTypeName(0, "Money");
    tn->config.setSpinRange(1, 0, 6);
    ASSERT_TRUE(tn->WriteConfiguration()) << rep.dump();
    const std::string written = readFile(configPath);
    RecordingReporter rep2;
    auto other = openDiary(path, rep2);
    ASSERT_TRUE(other->ReadConfiguration());
    EXPECT_EQ(other->config.typeName(0), "Money");
    EXPECT_EQ(other->config.spinLow(1), 0);
    EXPECT_EQ(readFile(configPath), written) << "a whole block is read, not rewritten";
}

TEST_F(ConfigBlocks, WritingKeepsBytesBeyondTheBlock) {
    ASSERT_TRUE(tn->ReadGraphSettings());
    const std::string gPath = tn->files().path(DiaryFileSet::kGraph);
    writeFile(gPath, readFile(gPath) + "tail");
    tn->graph.setBackground(GraphSettings::rgb(1, 2, 3));
    ASSERT_TRUE(tn->WriteGraphSettings());
    const std::string got = readFile(gPath);
    EXPECT_EQ(got.size(), 436u);
    EXPECT_EQ(got.substr(0, 4), std::string("\x01\x02\x03\x00", 4));
    EXPECT_EQ(got.substr(432), "tail");
}

TEST_F(ConfigBlocks, UnreadableFileIsNotOverwrittenByTheDefaults) {
    std::string mine(3112, 'M');
    writeFile(configPath, mine);
    FaultFileSystem faulty;
    faulty.failReadsOf(".tnc");
    auto tn2 = openDiary(path, rep, &faulty);
    EXPECT_FALSE(tn2->ReadConfiguration());
    EXPECT_EQ(readFile(configPath), mine);
    EXPECT_EQ(rep.count(ReportKind::FileError), 1) << rep.dump();
}

TEST_F(ConfigBlocks, PadTextLength) {
    ASSERT_TRUE(tn->ReadPadTable());
    writeFile(tn->files().padPath(1), std::string(123, 'p'));
    EXPECT_EQ(tn->PadTextLength(1), 123);
    EXPECT_EQ(tn->PadTextLength(0), 0); // missing text file
    EXPECT_EQ(tn->PadTextLength(6), 0); // pad not set
    EXPECT_EQ(tn->PadTextLength(9), 0); // no such pad
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
}

} // namespace tavrin::test
