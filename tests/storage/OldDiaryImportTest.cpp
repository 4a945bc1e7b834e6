// Import of version 2 diaries, from files built by hand from the old layout.

#include "Diaries.h"
#include "FaultFileSystem.h"

#include "storage/OldDiaryImport.h"
#include "storage/ProgramTexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

namespace tavrin::test {
namespace {

TEST(OldDiaryImport, Cases) {
    const OldEntry plain{86400, 260, -1, 2, 1, 1, 0, 36.6f, 70, "Old text"};
    struct Case {
        const char* name;
        std::string typed;
        std::vector<OldEntry> entries;
        OldDiaryImport::Result result;
        int entries_, reminders, planners;
    } cases[] = {
        {"two characters", "ab", {plain}, OldDiaryImport::Result::TooShort, 0, 0, 0},
        {"wrong password", "Secret", {plain}, OldDiaryImport::Result::WrongPassword, 0, 0, 0},
        {"empty index", "secret", {}, OldDiaryImport::Result::NothingToRead, 0, 0, 0},
        {"two entries",
         "secret",
         {plain, {3600, 1, 0, 0, 0, 0, 1, 0, 0, ""}},
         OldDiaryImport::Result::Done,
         2,
         2,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("Diary.tni");
        addEntries(path, {{500000, "mine", "my body", {}}});
        const std::string old = writeOldDiary(dir.path().string(), "secret", c.entries, 2, 1);
        if (c.result == OldDiaryImport::Result::TooShort) std::filesystem::remove(old);

        RecordingReporter rep;
        auto tn = openDiary(path, rep);
        OldDiaryImport import(*tn, old);
        // The first and the last step told of each stage: each starts at 0 with its total.
        std::map<std::string, std::string> progress;
        EXPECT_EQ(import.run(c.typed,
                             [&](const char* stage, std::int64_t at, std::int64_t total) {
                                 std::string& told = progress[stage];
                                 told = told.substr(0, told.find(" .. "));
                                 told += (told.empty() ? "" : " .. ") + std::to_string(at) +
                                         " of " + std::to_string(total);
                             }),
                  c.result)
            << rep.dump();
        EXPECT_TRUE(rep.reports.empty()) << rep.dump(); // the refused password opened nothing
        EXPECT_EQ(import.entries(), c.entries_);
        EXPECT_EQ(import.reminders(), c.reminders);
        EXPECT_EQ(import.planners(), c.planners);

        auto after = openDiary(path, rep);
        std::vector<EntryRecord> all;
        ASSERT_TRUE(after->ReadAllIndexRecords(all));
        ASSERT_EQ(int(all.size()), 1 + c.entries_);
        EXPECT_EQ(after->reminders.Count(), c.reminders);
        EXPECT_EQ(after->planner.Count(), c.planners);
        if (c.result != OldDiaryImport::Result::Done) continue;

        // The first entry's mood 260 and shape 2 lie outside their scales.
        EXPECT_EQ(import.successText(),
                  "Successfully converted 2 entries, 2 reminders, 1 planners! 2 mood or scale "
                  "values outside their scales were stored as not set.");
        EXPECT_EQ(progress, (std::map<std::string, std::string>{
                                {OldDiaryImport::kConvertingEntries, "0 of 2 .. 2 of 2"},
                                {OldDiaryImport::kConvertingReminders, "0 of 2 .. 2 of 2"},
                                {OldDiaryImport::kConvertingPlanners, "0 of 1 .. 1 of 1"}}));
        // Sorted by time: 3600, 86400, then the diary's own entry.
        after->currentEntry = 1;
        ASSERT_TRUE(after->ReadEntry(true));
        const EntryRecord& e = after->entry;
        EXPECT_EQ(e.dateTime(), 86400);
        EXPECT_EQ(e.mood(), 0); // not set: 260's low byte 4 is no mood
        EXPECT_EQ(e.fatigue(), -1);
        EXPECT_EQ(e.shape(), 0); // not set: shape counts down from 0
        EXPECT_EQ(e.dream(), 1);
        EXPECT_EQ(e.copulation(), 1);
        EXPECT_EQ(e.menstruation(), 0);
        EXPECT_FLOAT_EQ(e.real1(), 36.6f);
        EXPECT_EQ(e.int1(), 70);
        EXPECT_EQ(e.voiceFlag(), 0);
        EXPECT_EQ(e.description(), "");
        EXPECT_EQ(e.weather(), 0);
        EXPECT_EQ(e.pain(0), 0);
        EXPECT_EQ(e.fibro(Fibro::Sleep), -1); // not rated
        EXPECT_EQ(e.real2(), 0.0f);
        EXPECT_EQ(e.password(), kPassword); // the open diary's secrets
        EXPECT_EQ(e.answer(0), "Quokka");
        EXPECT_EQ(after->body, "Old text");
        for (const auto& t : after->typeText)
            EXPECT_EQ(t, "");
        ASSERT_TRUE(after->reminders.Read());
        EXPECT_EQ(after->reminders.record.description(), std::string(40, 'a'));
        EXPECT_EQ(after->reminders.record.time(), 1000);
        ASSERT_TRUE(after->planner.Read());
        EXPECT_EQ(after->planner.record.description(), std::string(49, 'p'));
        EXPECT_EQ(after->planner.record.done(), 1); // the low byte of 257
    }
}

// A reminders or planner file that is there but cannot be read, or an old entry whose
// temperature is no number, imports nothing at all (a second run would otherwise add the entries
// twice); a missing file still imports what came before it. A done field of 200 means done.
TEST(OldDiaryImport, ReadErrorsAndDamagedValuesImportNothing) {
    using Result = OldDiaryImport::Result;
    const OldEntry plain{86400, 0, 0, 0, 0, 0, 0, 36.6f, 70, "Old text"};
    OldEntry noNumber = plain;
    noNumber.temperature = std::nanf("");
    struct Case {
        const char* name;
        std::vector<OldEntry> entries;
        std::function<void(const std::string& dir, FaultFileSystem&)> damage;
        Result result;
        int entries_, reminders, planners;
        std::string report; // found in the reports
    } cases[] = {
        {"reminders unreadable",
         {plain, plain},
         [](const std::string&, FaultFileSystem& f) { f.failReadsOf(".rtn"); },
         Result::Failed,
         0,
         0,
         0,
         "Old.rtn"},
        {"planner unreadable",
         {plain, plain},
         [](const std::string&, FaultFileSystem& f) { f.failReadsOf(".ptn"); },
         Result::Failed,
         0,
         0,
         0,
         "Old.ptn"},
        {"temperature no number",
         {plain, noNumber},
         [](const std::string&, FaultFileSystem&) {},
         Result::Failed,
         0,
         0,
         0,
         "/Old.itn is damaged: its temperature is not a number."},
        {"reminders missing",
         {plain, plain},
         [](const std::string& dir, FaultFileSystem&) {
             std::filesystem::remove(dir + "/Old.rtn");
         },
         Result::EntriesOnly,
         2,
         0,
         0,
         "Old.rtn"},
        {"done 200",
         {plain},
         [](const std::string& dir, FaultFileSystem&) {
             writeFile(dir + "/Old.ptn", Bytes(readFile(dir + "/Old.ptn")).u32(58, 200).b);
         },
         Result::Done,
         1,
         2,
         1,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("Diary.tni");
        addEntries(path, {{500000, "mine", "my body", {}}});
        const std::string old = writeOldDiary(dir.path().string(), "secret", c.entries, 2, 1);
        FaultFileSystem faulty;
        c.damage(dir.path().string(), faulty);
        const std::string entries = entriesState(path);
        const std::string data = readFile(DiaryFileSet(path).path(DiaryFileSet::kData));

        RecordingReporter rep;
        auto tn = openDiary(path, rep, &faulty);
        OldDiaryImport import(*tn, old);
        EXPECT_EQ(import.run("secret"), c.result) << rep.dump();
        EXPECT_NE(rep.dump().find(c.report), std::string::npos) << rep.dump();
        EXPECT_EQ(import.entries(), c.entries_);

        auto after = openDiary(path, rep);
        std::vector<EntryRecord> all;
        ASSERT_TRUE(after->ReadAllIndexRecords(all));
        EXPECT_EQ(int(all.size()), 1 + c.entries_);
        EXPECT_EQ(after->reminders.Count(), c.reminders);
        EXPECT_EQ(after->planner.Count(), c.planners);
        if (c.entries_ == 0) {
            EXPECT_EQ(entriesState(path), entries);
            EXPECT_EQ(readFile(DiaryFileSet(path).path(DiaryFileSet::kData)), data);
        }
        if (c.planners) {
            ASSERT_TRUE(after->planner.Read());
            EXPECT_EQ(after->planner.record.done(), 1);
        }
    }
}

TEST(OldDiaryImport, SiblingNamesReplaceTheExtensionsFirstLetter) {
    TempDir dir;
    RecordingReporter rep;
    auto tn = openDiary(dir.file("Diary.tni"), rep);
    const struct {
        const char *chosen, *data;
    } cases[] = {
        {"/x/y.z/Diary.itn", "/x/y.z/Diary.dtn"},
        {"Diary.itn", "Diary.dtn"},        // a name without a folder
        {"/x/y.z/Diary", "/x/y.z/Diaryd"}, // no extension: the folder's dot is not one
        {"/x/Diary.", "/x/Diary.d"},       // an empty extension
    };
    for (const auto& c : cases)
        EXPECT_EQ(OldDiaryImport(*tn, c.chosen).sibling('d'), c.data) << c.chosen;
    EXPECT_EQ(OldDiaryImport(*tn, "/x/y.z/Diary.itn").sibling('p'), "/x/y.z/Diary.ptn");
}

} // namespace
} // namespace tavrin::test
