// Compacting the entries database: the texts read back unchanged, the first body moves to 0,
// and the texts left behind by deletions, edits and a password change are gone.

#include "Diaries.h"
#include "FaultFileSystem.h"

#include "storage/EntryCompaction.h"
#include "storage/FileBatch.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tavrin::test {
namespace {

struct Case {
    const char* name;
    std::function<void(const std::string& path)> before; // what happens to the diary first
    bool shrinks;
};

// The index records as stored, with the offsets of their texts left out.
std::string withoutOffsets(const std::string& path) {
    RecordingReporter rep;
    std::vector<EntryRecord> all;
    EXPECT_TRUE(openDiary(path, rep)->ReadAllIndexRecords(all)) << rep.dump();
    std::string bytes;
    for (EntryRecord& r : all) {
        r.setBody(0, r.bodyLength());
        for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
            r.setType(t, 0, r.typeLength(t));
        bytes.append(reinterpret_cast<const char*>(r.data()), EntryRecord::kSize);
    }
    return bytes;
}

TEST(Compaction, KeepsEveryTextAndDropsTheUnused) {
    const Case cases[] = {
        {"untouched", [](const std::string&) {}, false},
        {"deleted",
         [](const std::string& p) {
             RecordingReporter rep;
             ASSERT_TRUE(openDiary(p, rep)->DeleteEntry(0)) << rep.dump();
         },
         true},
        {"new password",
         [](const std::string& p) {
             RecordingReporter rep;
             ASSERT_TRUE(openDiary(p, rep)->ReKey("Other")) << rep.dump();
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("Diary.tni");
        addEntries(path, {{10, "one", "first body", {"", "two", "", "", ""}},
                          {20, "two", "second body", {}},
                          {30, "three", "", {"type one", "", "", "", "five"}}});
        c.before(path);
        const std::string texts = entriesState(path);
        const std::string fields = withoutOffsets(path);
        const std::int64_t before = sizeOf(DiaryFileSet(path).path('d'));

        RecordingReporter rep;
        auto tn = openDiary(path, rep);
        EntryCompaction compaction(*tn);
        int steps = 0;
        ASSERT_TRUE(compaction.run([&](int done) { steps = done; })) << rep.dump();
        EXPECT_EQ(steps, c.name == std::string("deleted") ? 2 : 3);
        EXPECT_EQ(compaction.oldLength(), before);
        EXPECT_EQ(entriesState(path), texts);
        EXPECT_EQ(withoutOffsets(path), fields); // nothing but the offsets changes
        EXPECT_EQ(sizeOf(DiaryFileSet(path).path('d')), compaction.newLength());
        EXPECT_EQ(c.shrinks, compaction.newLength() < before);
        EXPECT_FALSE(exists(FileBatch::journalPath(DiaryFileSet(path))));

        auto again = openDiary(path, rep);
        ASSERT_TRUE(again->FirstEntry(false));
        EXPECT_EQ(again->entry.bodyOffset(), 0u);
        // An empty type text points at the end of what came before it.
        ASSERT_TRUE(again->NextEntry(false));
        EXPECT_EQ(again->entry.typeOffset(0),
                  again->entry.bodyOffset() + again->entry.bodyLength());
    }
}

TEST(Compaction, Texts) {
    EXPECT_EQ(EntryCompaction::countText(12), " Number of entries: 12");
    EXPECT_EQ(EntryCompaction::sizeText(3412), " File size: 3KB (3412 bytes)");
    EXPECT_EQ(EntryCompaction::sizeText(2048), " File size: 2KB (2048 bytes)");
    EXPECT_EQ(EntryCompaction::savedText(3412, 3412), " Saved: 0KB (0 bytes) (0.0%)");
    // 100 - 2208 * 100 / 3412 (64, rounded down) = 36.
    EXPECT_EQ(EntryCompaction::savedText(3412, 2208), " Saved: 1KB (1204 bytes) (36.0%)");
    EXPECT_EQ(EntryCompaction::savedText(0, 0), " Saved: 0KB (0 bytes) (0.0%)");
}

TEST(Compaction, AnEmptyDiaryCountsNoEntry) {
    TempDir dir;
    RecordingReporter rep;
    auto tn = openDiary(dir.file("Diary.tni"), rep);
    EntryCompaction compaction(*tn);
    EXPECT_EQ(compaction.countEntries(), 0);
    EXPECT_EQ(compaction.dataLength(), 0); // no data file at all
    EXPECT_FALSE(compaction.run());
}

// A diary that cannot be read is not an empty one: the count fails (reported) instead of
// offering nothing to compact, and the files stay as they were.
TEST(Compaction, AReadErrorIsAFailureNotAnEmptyDiary) {
    for (const char* failing : {".tni", ".tnd"}) {
        SCOPED_TRACE(failing);
        TempDir dir;
        const std::string path = dir.file("Diary.tni");
        addEntries(path, {{10, "one", "first body", {}}, {20, "two", "second body", {}}});
        const std::string before = entriesState(path);
        FaultFileSystem faulty;
        faulty.failReadsOf(failing);
        RecordingReporter rep;
        auto tn = openDiary(path, rep, &faulty);
        EntryCompaction compaction(*tn);
        EXPECT_EQ(compaction.countEntries(), std::nullopt);
        EXPECT_EQ(rep.count(ReportKind::FileError), 1) << rep.dump();
        EXPECT_NE(rep.dump().find(failing), std::string::npos) << rep.dump();
        EXPECT_FALSE(compaction.run());
        EXPECT_EQ(entriesState(path), before);
    }
}

// A text that runs past the end of the data file is damage: compaction names the entry and
// changes nothing, rather than keeping what is left of the text.
TEST(Compaction, ATextPastTheEndOfTheDataStopsIt) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni");
    addEntries(path, {{10, "one", "first body", {}}, {20, "two", "second body", {}}});
    const std::string dataPath = DiaryFileSet(path).path(DiaryFileSet::kData);
    std::string index = readFile(path);
    EntryRecord rec;
    std::memcpy(rec.data(), index.data(), TN::kIndexRecord);
    rec.setBody(rec.bodyOffset(), rec.bodyLength() + 1000);
    std::memcpy(index.data(), rec.data(), TN::kIndexRecord);
    writeFile(path, index);
    const std::string data = readFile(dataPath);
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    EXPECT_FALSE(EntryCompaction(*tn).run());
    EXPECT_EQ(rep.count(ReportKind::Damaged), 1) << rep.dump();
    EXPECT_EQ(readFile(path), index);
    EXPECT_EQ(readFile(dataPath), data);
}

} // namespace
} // namespace tavrin::test
