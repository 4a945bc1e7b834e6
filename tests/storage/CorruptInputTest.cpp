// Damaged files: nothing crashes, nothing is allocated from a length on disk before it is
// checked against the file, the damage is reported and the read fails.

#include "Diaries.h"

#include <gtest/gtest.h>
#include <random>

namespace tavrin::test {
namespace {

struct CorruptInput : ::testing::Test {
    TempDir dir;
    std::string path = dir.file("Diary.tni");
    RecordingReporter rep;
    std::unique_ptr<TN> tn = openDiary(path, rep);
    std::string dataPath = tn->files().path(DiaryFileSet::kData);

    void SetUp() override {
        addEntries(path, {{1, "", "first body", {"a"}}, {2, "", "second", {"", "b"}}});
    }

    // Patches one 32-bit field of the second index record.
    void patchSecond(std::size_t at, std::uint32_t v) {
        Bytes raw{readFile(path)};
        raw.u32(420 + at, v);
        writeFile(path, raw.b);
    }
    void expectDamagedSecond() {
        rep.clear();
        tn->currentEntry = 1;
        EXPECT_FALSE(tn->ReadEntry(true));
        EXPECT_EQ(rep.count(ReportKind::Damaged), 1) << rep.dump();
        std::vector<std::string> seen;
        rep.clear();
        EXPECT_FALSE(tn->ForEachEntry(
            true, [&](const EntryView& v) { return seen.emplace_back(v.body), true; }));
        EXPECT_EQ(seen, std::vector<std::string>{"first body"});
        EXPECT_EQ(rep.count(ReportKind::Damaged), 1) << rep.dump();
        const std::string index = readFile(path), data = readFile(dataPath);
        rep.clear();
        EXPECT_FALSE(tn->ReKey("other")) << "a damaged diary is not re-keyed";
        EXPECT_EQ(rep.count(ReportKind::Damaged), 1) << rep.dump();
        EXPECT_EQ(readFile(path), index);
        EXPECT_EQ(readFile(dataPath), data);
    }
};

} // namespace

TEST_F(CorruptInput, TextsPointingOutsideTheDataFile) {
    const std::int64_t dataSize = sizeOf(dataPath);
    patchSecond(360, std::uint32_t(dataSize)); // body starts at the end but is 6 bytes long
    expectDamagedSecond();
    patchSecond(360, 11);
    patchSecond(364, 0xFFFFFFFF); // a 4 GB body
    expectDamagedSecond();
    patchSecond(364, 6);
    patchSecond(376, 0xFFFFFFFF); // type text 2 at the largest offset
    expectDamagedSecond();
    patchSecond(380, 0xFFFFFFFF);
    expectDamagedSecond();
}

TEST_F(CorruptInput, PartialIndexRecordIsNoEntryAndTheNextAddOverwritesIt) {
    writeFile(path, readFile(path) + std::string(100, '\x7F'));
    ASSERT_TRUE(tn->FirstEntry(true));
    EXPECT_EQ(tn->entryCount, 2);
    ASSERT_TRUE(tn->NextEntry(true));
    EXPECT_FALSE(tn->NextEntry(true));
    int n = 0;
    EXPECT_TRUE(tn->ForEachEntry(true, [&](const EntryView&) { return ++n, true; }));
    EXPECT_EQ(n, 2);
    ASSERT_TRUE(addEntry(*tn, {3, "", "third", {}}));
    EXPECT_EQ(sizeOf(path), 3 * 420);
    EXPECT_NE(entriesState(path).find("(no reports)"), std::string::npos);
    ASSERT_TRUE(tn->SortEntries());
    ASSERT_TRUE(tn->DeleteEntry(0));
    EXPECT_EQ(sizeOf(path), 2 * 420);
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();

    // The same for a fixed-record table.
    const std::string r = tn->reminders.path();
    writeFile(r, std::string(2 * 68 + 10, '\0'));
    EXPECT_EQ(tn->reminders.Count(), 2);
    ASSERT_TRUE(tn->reminders.Add());
    EXPECT_EQ(sizeOf(r), 3 * 68);
}

TEST_F(CorruptInput, OversizedSecretLengthsStayInsideTheirFields) {
    Bytes raw{readFile(path)};
    raw.u32(420, 0xFFFFFFFF).u8(420 + 36, 255).u8(420 + 67, 200);
    raw.text(420 + 4, std::string(30, 'X')); // a password field without NUL
    writeFile(path, raw.b);
    tn->currentEntry = 1;
    ASSERT_TRUE(tn->ReadIndexRecord());
    EXPECT_EQ(tn->entry.password().size(), 30u);
    EXPECT_LE(tn->entry.question(0).size(), 30u);
    EXPECT_LE(tn->entry.answer(0).size(), 30u);
}

TEST_F(CorruptInput, RecipeLineCountOutOfRangeIsReportedAndKeptIntact) {
    Bytes recipe(3760);
    recipe.text(0, "Soup").i32(132, 1000);
    Bytes fine(3760);
    fine.text(0, "Bread").i32(132, 2);
    writeFile(tn->recipes.path(), recipe.b + fine.b);
    EXPECT_FALSE(tn->recipes.First());
    EXPECT_EQ(rep.count(ReportKind::Damaged), 1) << rep.dump();
    std::vector<RecipeRecord> all;
    ASSERT_TRUE(tn->recipes.ReadAll(all));
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].usableLineCount(), 30);
    all[0].setLineCount(-1);
    EXPECT_EQ(all[0].usableLineCount(), 0);
    // Rewrites copy the record as it is: nothing is lost or invented.
    ASSERT_TRUE(tn->recipes.Sort());
    EXPECT_EQ(readFile(tn->recipes.path()), fine.b + recipe.b);
}

TEST_F(CorruptInput, RandomBytesNeverCrashTheReaders) {
    std::mt19937 rng(20240531);
    auto randomBytes = [&](std::size_t n) {
        std::string s(n, '\0');
        for (char& c : s)
            c = char(rng());
        return s;
    };
    for (int round = 0; round < 200; ++round) {
        std::string index = randomBytes(rng() % 1300);
        for (std::size_t at = 34; at < index.size(); at += 420)
            index[at] = char(rng() % 4 ? 1 : rng());
        writeFile(path, index);
        writeFile(dataPath, randomBytes(rng() % 600));
        RecordingReporter r;
        auto t = openDiary(path, r);
        t->ForEachEntry(true, [](const EntryView&) { return true; });
        for (bool ok = t->FirstEntry(true); ok; ok = t->NextEntry(false)) {
        }
        std::vector<EntryRecord> all;
        t->ReadAllIndexRecords(all);
        EXPECT_LE(all.size(), index.size() / 420);
    }
}

} // namespace tavrin::test
