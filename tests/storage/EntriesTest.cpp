// The entries table: iteration and its messages, deleting, sorting and re-keying.

#include "Diaries.h"
#include "FaultFileSystem.h"
#include "storage/LocalTime.h"
#include "storage/Scramble.h"

#include <gtest/gtest.h>

namespace tavrin::test {
namespace {

const std::string kVersionText = "Wrong diary version! Please use the converter or contact " +
                                 std::string(messages::kSupportAddress) + " for more information!";

struct Entries : ::testing::Test {
    TempDir dir;
    std::string path = dir.file("Diary.tni");
    RecordingReporter rep;
    std::unique_ptr<TN> tn = openDiary(path, rep);
    std::string dataPath = tn->files().path(DiaryFileSet::kData);

    std::vector<std::string> bodies() {
        RecordingReporter r;
        auto t = openDiary(path, r);
        std::vector<std::string> out;
        for (bool ok = t->FirstEntry(true); ok; ok = t->NextEntry(true))
            out.push_back(t->body);
        EXPECT_TRUE(r.reports.empty()) << r.dump();
        return out;
    }
    void patchIndexByte(std::size_t at, int value) {
        std::string raw = readFile(path);
        raw.at(at) = char(value);
        writeFile(path, raw);
    }
};

} // namespace

TEST_F(Entries, EmptyDiaryAndEmptyTablesIterateWithoutMessages) {
    EXPECT_FALSE(tn->FirstEntry(true));
    EXPECT_FALSE(tn->NextEntry(true));
    EXPECT_FALSE(tn->ReadIndexRecord());
    EXPECT_FALSE(tn->NextIndexRecord());
    EXPECT_TRUE(tn->ForEachEntry(true, [](const EntryView&) { return ADD_FAILURE(), true; }));
    std::vector<EntryRecord> all;
    EXPECT_TRUE(tn->ReadAllIndexRecords(all));
    EXPECT_TRUE(all.empty());
    EXPECT_TRUE(tn->SortEntries());
    EXPECT_FALSE(tn->DeleteEntry(0));
    EXPECT_FALSE(tn->reminders.First());
    EXPECT_FALSE(tn->reminders.Next());
    EXPECT_FALSE(tn->planner.First() || tn->planner.Next());
    EXPECT_FALSE(tn->contacts.First() || tn->contacts.Next());
    EXPECT_FALSE(tn->recipes.First() || tn->recipes.Next());
    EXPECT_FALSE(tn->ingredients.First() || tn->ingredients.Next());
    EXPECT_FALSE(tn->tempIngredients.First() || tn->tempIngredients.Next());
    EXPECT_FALSE(tn->medication.First() || tn->medication.Next());
    EXPECT_TRUE(tn->contacts.Purge());
    EXPECT_TRUE(tn->contacts.Sort());
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
    for (const auto& f : std::filesystem::directory_iterator(dir.file("Diary")))
        EXPECT_EQ(f.path().filename(), "Diary.lock") << "reading creates no table file";
}

TEST_F(Entries, DeletingTheOnlyEntryRemovesBothEntryFiles) {
    addEntries(path, {{100, "only", "text", {}}});
    ASSERT_TRUE(exists(path) && exists(dataPath));
    ASSERT_TRUE(tn->DeleteEntry(0)) << rep.dump();
    EXPECT_FALSE(exists(path));
    EXPECT_FALSE(exists(dataPath));
    EXPECT_EQ(tn->entryCount, 0);
    EXPECT_FALSE(tn->FirstEntry(true)) << "no entry, hence no password";
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
}

TEST_F(Entries, DeletingLeavesTheDataFileAndTheOtherEntriesAlone) {
    addEntries(path,
               {{1, "a", "first", {"t1"}}, {2, "b", "second", {}}, {3, "c", "third", {"", "t3"}}});
    const std::string data = readFile(dataPath), index = readFile(path);
    ASSERT_TRUE(tn->DeleteEntry(1)) << rep.dump();
    EXPECT_EQ(readFile(dataPath), data);
    EXPECT_EQ(readFile(path), index.substr(0, 420) + index.substr(840))
        << "records are copied as they are";
    EXPECT_EQ(tn->entryCount, 2);
    EXPECT_EQ(tn->currentEntry, 2);
    EXPECT_EQ(sizeOf(path), 840);
    EXPECT_EQ(bodies(), (std::vector<std::string>{"first", "third"}));
    EXPECT_FALSE(tn->DeleteEntry(2)) << "no such entry";
    EXPECT_FALSE(tn->DeleteEntry(-1));
    EXPECT_EQ(sizeOf(path), 840);
}

TEST_F(Entries, SortKeepsEqualTimesInWritingOrderAndComparesSigned) {
    addEntries(path, {{30, "", "thirty", {}},
                      {10, "", "ten-a", {}},
                      {-5, "", "before 1970", {}},
                      {10, "", "ten-b", {}},
                      {20, "", "twenty", {}}});
    const std::string data = readFile(dataPath), index = readFile(path);
    tn->currentEntry = 3;
    ASSERT_TRUE(tn->SortEntries()) << rep.dump();
    EXPECT_EQ(tn->currentEntry, 3);
    EXPECT_EQ(readFile(dataPath), data) << "the data file is not touched";
    std::string expected;
    for (std::size_t i : {2, 1, 3, 4, 0})
        expected += index.substr(420 * i, 420);
    EXPECT_EQ(readFile(path), expected) << "records are moved as they are";
    EXPECT_EQ(bodies(),
              (std::vector<std::string>{"before 1970", "ten-a", "ten-b", "twenty", "thirty"}));

    // An index already in order is left as it is.
    FaultFileSystem counting;
    auto again = openDiary(path, rep, &counting);
    counting.arm(FaultFileSystem::Mode::Count);
    ASSERT_TRUE(again->SortEntries());
    EXPECT_EQ(counting.steps(), 0);
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
}

TEST_F(Entries, VersionByteZeroShowsTheVersionMessageAndLeavesTheIndex) {
    addEntries(path, {{1, "", "one", {}}, {2, "", "two", {}}, {3, "", "three", {}}});
    patchIndexByte(420 + 34, 0);

    tn->currentEntry = 1;
    EXPECT_FALSE(tn->ReadEntry(true));
    EXPECT_EQ(tn->currentEntry, 1);
    ASSERT_EQ(rep.reports.size(), 1u);
    EXPECT_EQ(rep.reports[0].kind, ReportKind::WrongVersion);
    EXPECT_EQ(rep.reports[0].text, kVersionText);

    rep.clear();
    ASSERT_TRUE(tn->FirstEntry(true));
    EXPECT_FALSE(tn->NextEntry(true));
    EXPECT_TRUE(rep.has(ReportKind::WrongVersion, kVersionText));
    EXPECT_TRUE(rep.has(ReportKind::Trace, "next: current_index")) << rep.dump();

    rep.clear();
    tn->currentEntry = 0;
    ASSERT_TRUE(tn->ReadIndexRecord());
    EXPECT_FALSE(tn->NextIndexRecord());
    EXPECT_TRUE(rep.has(ReportKind::Trace, "next(index): current_index")) << rep.dump();

    rep.clear();
    std::vector<EntryRecord> all;
    EXPECT_FALSE(tn->ReadAllIndexRecords(all));
    EXPECT_EQ(all.size(), 1u);
    EXPECT_TRUE(rep.has(ReportKind::Trace, "next(index): current_index")) << rep.dump();

    rep.clear();
    int visited = 0;
    EXPECT_FALSE(tn->ForEachEntry(true, [&](const EntryView&) { return ++visited, true; }));
    EXPECT_EQ(visited, 1);
    EXPECT_TRUE(rep.has(ReportKind::WrongVersion, kVersionText));
    EXPECT_TRUE(rep.has(ReportKind::Trace, "next: current_index")) << rep.dump();
}

TEST_F(Entries, UnreadableMiddleEntryStopsTheIterationWithItsTrace) {
    addEntries(path, {{1, "", "one", {}}, {2, "", "two", {}}, {3, "", "three", {}}});
    Bytes raw{readFile(path)};
    raw.u32(420 + 360, 1000); // body of entry 2 past the end of the data file
    writeFile(path, raw.b);

    ASSERT_TRUE(tn->FirstEntry(true));
    EXPECT_FALSE(tn->NextEntry(true));
    ASSERT_EQ(rep.reports.size(), 2u) << rep.dump();
    EXPECT_EQ(rep.reports[0].kind, ReportKind::Damaged);
    EXPECT_NE(rep.reports[0].text.find("Entry 2 of " + path), std::string::npos)
        << rep.reports[0].text;
    EXPECT_EQ(rep.reports[1].kind, ReportKind::Trace);
    EXPECT_EQ(rep.reports[1].text, "next: current_index");
    EXPECT_TRUE(tn->body.empty()) << "a failed read keeps no text";

    // Walking the whole diary reports the damaged entry and still shows the others.
    rep.clear();
    std::vector<std::string> seen;
    EXPECT_FALSE(tn->ForEachEntry(true, [&](const EntryView& v) {
        seen.emplace_back(v.body);
        return true;
    }));
    EXPECT_EQ(seen, (std::vector<std::string>{"one", "three"}));
    EXPECT_EQ(rep.count(ReportKind::Damaged), 1) << rep.dump();
}

TEST_F(Entries, WalkingTheDiaryMatchesTheCursorAndCanStop) {
    addEntries(path,
               {{1, "d1", "one", {"a", "", "c"}}, {2, "d2", "two", {}}, {3, "d3", "three", {}}});
    std::vector<std::string> seen;
    EXPECT_TRUE(tn->ForEachEntry(true, [&](const EntryView& v) {
        seen.push_back(std::to_string(v.index) + v.record.description() + std::string(v.body) +
                       std::string(v.types[0]) + std::string(v.types[2]));
        return v.index < 1;
    }));
    EXPECT_EQ(seen, (std::vector<std::string>{"0d1oneac", "1d2two"}));
    std::vector<EntryRecord> all;
    ASSERT_TRUE(tn->ReadAllIndexRecords(all));
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[2].description(), "d3");
    EXPECT_EQ(all[2].password(), kPassword);
    EXPECT_TRUE(tn->ForEachEntry(false, [&](const EntryView& v) {
        EXPECT_EQ(std::string(v.body), xorExcept(v.index == 0   ? "one"
                                                 : v.index == 1 ? "two"
                                                                : "three",
                                                 kTextKey));
        return true;
    }));
}

TEST_F(Entries, ReKeyRewritesEveryTextUnderTheNewPassword) {
    // "dd" holds the old key; "Z" (0x5A) is the new key of "n3w;Passp" (746 + 112 = 0x15A).
    addEntries(
        path,
        {{1, "a", "dd body", {"Zed", "", "", "", "five"}}, {2, "b", "", {}}, {3, "c", "x", {}}});
    const std::string oldData = readFile(dataPath);
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const bool ok = tn->ReKey("n3w;Passp");
    std::filesystem::current_path(cwd);
    ASSERT_TRUE(ok) << rep.dump();

    RecordingReporter r;
    auto t = openDiary(path, r);
    ASSERT_TRUE(t->FirstEntry(true));
    EXPECT_EQ(t->entry.password(), "n3w;Passp");
    EXPECT_EQ(t->entry.passwordLength(), 9u);
    EXPECT_EQ(t->entry.question(0), "Pet?");
    EXPECT_EQ(t->entry.answer(2), "Teal");
    EXPECT_EQ(t->body, "dd body");
    EXPECT_EQ(t->typeText[0], "Zed");
    EXPECT_EQ(t->typeText[4], "five");
    ASSERT_TRUE(t->NextEntry(true));
    EXPECT_EQ(t->body, "");
    EXPECT_EQ(t->entry.bodyLength(), 0u);
    ASSERT_TRUE(t->NextEntry(true));
    EXPECT_EQ(t->body, "x");
    EXPECT_TRUE(r.reports.empty()) << r.dump();

    const std::string newData = readFile(dataPath);
    EXPECT_EQ(newData.substr(0, oldData.size()), oldData) << "new texts are appended";
    std::uint8_t key = scramble::textKey("n3w;Passp");
    EXPECT_EQ(key, 0x5A);
    EXPECT_EQ(newData.substr(oldData.size()), xorExcept("dd body", key) + xorExcept("Zed", key) +
                                                  xorExcept("five", key) + xorExcept("x", key));
    // Nothing is left in the working directory or beside the files.
    EXPECT_FALSE(exists(dir.file("TAVRIN.TDD")));
    for (const auto& f : std::filesystem::directory_iterator(dir.path()))
        EXPECT_TRUE(f.path().filename() == "Diary.tni" || f.path().filename() == "Diary")
            << f.path();
    for (const auto& f : std::filesystem::directory_iterator(dir.file("Diary")))
        EXPECT_TRUE(f.path().filename() == "Diary.tnd" || f.path().filename() == "Diary.lock")
            << f.path();
}

TEST_F(Entries, ReKeyKeepsTwentyNineCharactersOfALongPassword) {
    addEntries(path, {{1, "", "body", {}}});
    ASSERT_TRUE(tn->ReKey(std::string(40, 'p')));
    ASSERT_TRUE(tn->FirstEntry(true));
    EXPECT_EQ(tn->entry.password(), std::string(29, 'p'));
    EXPECT_EQ(tn->body, "body");
}

} // namespace tavrin::test

namespace tavrin::test {

// Adding with the sort folded in gives byte for byte what AddEntry and SortEntries give.
TEST(AddEntrySorted, EqualsAddThenSort) {
    TempDir dir;
    const std::string a = dir.file("A.tni"), b = dir.file("B.tni");
    const EntryData entries[] = {
        {30, "x", "thirty", {}}, {10, "y", "ten", {"t"}}, {20, "z", "", {}}};
    const EntryData added{10, "new", "another ten", {"", "two"}};
    for (const auto& path : {a, b})
        addEntries(path, {entries[0], entries[1], entries[2]});
    RecordingReporter rep;
    auto ta = openDiary(a, rep);
    ASSERT_TRUE(addEntry(*ta, added));
    ASSERT_TRUE(ta->SortEntries());
    auto tb = openDiary(b, rep);
    tb->entry.clear();
    setSecrets(tb->entry);
    tb->entry.setDateTime(added.when);
    tb->entry.setDescription(added.description);
    tb->body = added.body;
    tb->typeText = added.types;
    ASSERT_TRUE(tb->AddEntrySorted());
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
    EXPECT_EQ(readFile(a), readFile(b));
    EXPECT_EQ(readFile(DiaryFileSet(a).path('d')), readFile(DiaryFileSet(b).path('d')));
    EXPECT_EQ(tb->entryCount, 4);
    EXPECT_EQ(tb->entry.bodyLength(), added.body.size()); // the buffer stays plain
    EXPECT_EQ(tb->entry.password(), kPassword);
}

} // namespace tavrin::test

namespace tavrin::test {

// Editing: the new entry replaces the old one in the single index write.
TEST(AddEntrySorted, ReplacingDropsTheOldRecord) {
    TempDir dir;
    const std::string path = dir.file("Edit.tni");
    addEntries(path, {{10, "a", "first", {}}, {20, "b", "second", {}}, {30, "c", "third", {}}});
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    ASSERT_TRUE(tn->ReadIndexRecord());
    tn->entry.setDateTime(40); // the first entry, edited and moved to the end
    tn->entry.setDescription("a2");
    tn->body = "first, edited";
    for (auto& t : tn->typeText)
        t.clear();
    ASSERT_TRUE(tn->AddEntrySorted(0)) << rep.dump();
    EXPECT_EQ(tn->entryCount, 3);
    std::vector<std::string> bodies;
    auto check = openDiary(path, rep);
    for (bool ok = check->FirstEntry(true); ok; ok = check->NextEntry(true))
        bodies.push_back(check->body);
    EXPECT_EQ(bodies, (std::vector<std::string>{"second", "third", "first, edited"}));
    EXPECT_FALSE(tn->AddEntrySorted(3)); // no such entry: nothing is written
    std::vector<EntryRecord> recs;
    ASSERT_TRUE(openDiary(path, rep)->ReadAllIndexRecords(recs));
    EXPECT_EQ(recs.size(), 3u);
}

} // namespace tavrin::test
