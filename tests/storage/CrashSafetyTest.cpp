// Every operation that rewrites a file, run once per step with that step failing and once per
// step with the process "dying" there: afterwards the diary must read as wholly old or wholly
// new, a failure must be reported (and never as success), and the operation must succeed when
// it is run again.

#include "Diaries.h"
#include "FaultFileSystem.h"

#include <gtest/gtest.h>

namespace tavrin::test {
namespace {

using Mode = FaultFileSystem::Mode;

struct RewriteCase {
    std::string name;
    std::function<void(const std::string& path)> setup; // builds the diary on the real files
    std::function<bool(TN&)> op;
    std::function<std::string(const std::string& path)> state;
};

std::ostream& operator<<(std::ostream& os, const RewriteCase& c) { return os << c.name; }

// A block file's state: its bytes when it holds a whole block; anything shorter is replaced by
// the defaults on the next read, so every short file is the same state.
std::function<std::string(const std::string&)> blockState(char letter, std::size_t size) {
    return [=](const std::string& path) {
        std::string b = readFile(DiaryFileSet(path).path(letter));
        return b.size() >= size ? b : std::string("<short>");
    };
}

template <class Rec> std::function<std::string(const std::string&)> tableOf(Table<Rec> TN::*t) {
    return [=](const std::string& path) { return tableState(path, t); };
}

const EntryData kNewEntry{25, "new", "fresh body", {"", "type two", "", "", "type five"}};

void threeEntries(const std::string& path) {
    addEntries(path, {{30, "late", "body late", {"t1", "", "t3"}},
                      {10, "early", "body early d", {}},
                      {20, "middle", "", {"", "", "", "", "only five"}}});
}

void reminders(const std::string& path, int n) {
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    for (int i = 0; i < n; ++i) {
        auto& r = tn->reminders.record;
        r.clear();
        r.setKind(std::uint8_t(i == 1 ? ReminderRecord::Deleted : 3 - i % 4));
        r.setTime(100 - i);
        r.setDescription("reminder " + std::to_string(i));
        ASSERT_TRUE(tn->reminders.Add());
    }
}

template <class Rec> void named(const std::string& path, Table<Rec> TN::*t, std::initializer_list<const char*> names) {
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    for (const char* n : names) {
        ((*tn).*t).record.clear();
        ((*tn).*t).record.setName(n);
        ASSERT_TRUE(((*tn).*t).Add());
    }
}

std::vector<RewriteCase> cases() {
    const auto entries = [](const std::string& p) { return entriesState(p); };
    return {
        {"AddEntry", threeEntries, [](TN& t) { return addEntry(t, kNewEntry); }, entries},
        {"AddEntrySorted", threeEntries,
         [](TN& t) {
             t.entry.clear();
             setSecrets(t.entry);
             t.entry.setDateTime(kNewEntry.when);
             t.body = kNewEntry.body;
             t.typeText = kNewEntry.types;
             return t.AddEntrySorted();
         },
         entries},
        {"EditEntry", threeEntries,
         [](TN& t) {
             if (!t.ReadIndexRecord()) return false;
             t.entry.setDateTime(99);
             t.body = "edited";
             t.typeText = {};
             return t.AddEntrySorted(0);
         },
         entries},
        {"DeleteEntry", threeEntries, [](TN& t) { return t.DeleteEntry(1); }, entries},
        {"DeleteOnlyEntry", [](const std::string& p) { addEntries(p, {kNewEntry}); },
         [](TN& t) { return t.DeleteEntry(0); }, entries},
        {"SortEntries", threeEntries, [](TN& t) { return t.SortEntries(); }, entries},
        {"ReKey", threeEntries, [](TN& t) { return t.ReKey("n3w;Passp"); }, entries},
        {"AddReminder", [](const std::string& p) { reminders(p, 2); },
         [](TN& t) { return t.reminders.Add(); }, tableOf(&TN::reminders)},
        {"MarkReminder", [](const std::string& p) { reminders(p, 3); },
         [](TN& t) { return t.reminders.Mark(2); }, tableOf(&TN::reminders)},
        {"MarkOnlyReminder", [](const std::string& p) { reminders(p, 1); },
         [](TN& t) { return t.reminders.Mark(0); }, tableOf(&TN::reminders)},
        {"PurgeReminders", [](const std::string& p) { reminders(p, 4); },
         [](TN& t) { return t.reminders.Purge(); }, tableOf(&TN::reminders)},
        {"SortReminders", [](const std::string& p) { reminders(p, 5); },
         [](TN& t) { return t.reminders.Sort(); }, tableOf(&TN::reminders)},
        {"PurgeContacts",
         [](const std::string& p) { named(p, &TN::contacts, {"Ann", ContactRecord::kDeletedName, "Bob"}); },
         [](TN& t) { return t.contacts.Purge(); }, tableOf(&TN::contacts)},
        {"SortContacts", [](const std::string& p) { named(p, &TN::contacts, {"zed", "Ann", "bob"}); },
         [](TN& t) { return t.contacts.Sort(); }, tableOf(&TN::contacts)},
        {"DeleteIngredient", [](const std::string& p) { named(p, &TN::ingredients, {"a", "b", "c"}); },
         [](TN& t) { return t.ingredients.Delete(0); }, tableOf(&TN::ingredients)},
        {"DeleteOnlyRecipe", [](const std::string& p) { named(p, &TN::recipes, {"Bread"}); },
         [](TN& t) { return t.recipes.Delete(0); }, tableOf(&TN::recipes)},
        {"SortMedication", [](const std::string& p) { named(p, &TN::medication, {"b", "a"}); },
         [](TN& t) { return t.medication.Sort(); }, tableOf(&TN::medication)},
        {"ConfigurationDefaults", [](const std::string&) {}, [](TN& t) { return t.ReadConfiguration(); },
         blockState('c', 3112)},
        {"ShortConfiguration",
         [](const std::string& p) { writeFile(DiaryFileSet(p).path('c'), std::string(50, 'x')); },
         [](TN& t) { return t.ReadConfiguration(); }, blockState('c', 3112)},
        {"WriteConfiguration",
         [](const std::string& p) {
             RecordingReporter rep;
             ASSERT_TRUE(openDiary(p, rep)->ReadConfiguration());
         },
         [](TN& t) {
             if (!t.ReadConfiguration()) return false;
             t.config.setTypeName(0, "Money");
             return t.WriteConfiguration();
         },
         blockState('c', 3112)},
        {"GraphDefaults", [](const std::string&) {}, [](TN& t) { return t.ReadGraphSettings(); },
         blockState('g', 432)},
        {"WriteGraphSettings", [](const std::string&) {},
         [](TN& t) {
             t.graph.setBackground(7);
             return t.WriteGraphSettings();
         },
         blockState('g', 432)},
        {"PadTableDefaults", [](const std::string&) {}, [](TN& t) { return t.ReadPadTable(); },
         blockState('t', 2610)},
    };
}

class OldOrNew : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(OldOrNew, AfterAFailureOrACrashAtEveryStep) {
    const RewriteCase& c = GetParam();
    TempDir base, work;
    const std::string basePath = base.file("Diary.tni"), path = work.file("Diary.tni");
    ASSERT_NO_FATAL_FAILURE(c.setup(basePath));
    const std::string oldState = c.state(basePath);

    copyTree(base.path(), work.path());
    FaultFileSystem counting;
    RecordingReporter rep;
    auto tn = openDiary(path, rep, &counting);
    counting.arm(Mode::Count);
    ASSERT_TRUE(c.op(*tn)) << rep.dump();
    tn.reset();
    const std::vector<std::string> steps = counting.log();
    const std::string newState = c.state(path);
    ASSERT_NE(oldState, newState);
    ASSERT_FALSE(steps.empty());

    for (Mode mode : {Mode::Fail, Mode::Crash}) {
        for (int n = 1; n <= int(steps.size()); ++n) {
            const std::string where = std::string(mode == Mode::Fail ? "failure" : "crash") + " at step " +
                                      std::to_string(n) + " (" + steps[std::size_t(n - 1)] + ")";
            copyTree(base.path(), work.path());
            FaultFileSystem faulty;
            RecordingReporter r;
            auto t = openDiary(path, r, &faulty);
            faulty.arm(mode, n);
            bool ok = false, crashed = false;
            try {
                ok = c.op(*t);
            } catch (const SimulatedCrash&) {
                crashed = true;
            }
            t.reset();
            EXPECT_EQ(crashed, mode == Mode::Crash) << where;
            const std::string s = c.state(path);
            if (crashed) {
                EXPECT_TRUE(s == oldState || s == newState) << where << "\n" << s;
            } else if (ok) {
                EXPECT_EQ(s, newState) << where;
            } else {
                EXPECT_EQ(s, oldState) << where;
                EXPECT_GE(r.count(ReportKind::FileError), 1) << where << ": failure without a report";
            }
            if (s == oldState) { // the leftovers of the attempt do not stand in the way
                RecordingReporter again;
                EXPECT_TRUE(c.op(*openDiary(path, again))) << where << again.dump();
                EXPECT_EQ(c.state(path), newState) << where << " then run again";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rewrites, OldOrNew, ::testing::ValuesIn(cases()),
                         [](const auto& test) { return test.param.name; });

} // namespace

TEST(StepOrder, ReplacementIsSyncedBeforeTheRenameAndTheDirectoryAfterIt) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni");
    threeEntries(path);
    FaultFileSystem fs;
    RecordingReporter rep;
    auto tn = openDiary(path, rep, &fs);
    fs.arm(Mode::Count);
    ASSERT_TRUE(tn->SortEntries());
    ASSERT_EQ(fs.log().size(), 6u);
    EXPECT_EQ(std::vector<std::string>(fs.log().begin(), fs.log().begin() + 5),
              (std::vector<std::string>{"open Diary.tni.tmp", "write Diary.tni.tmp @0", "sync Diary.tni.tmp",
                                        "close Diary.tni.tmp", "rename Diary.tni.tmp -> Diary.tni"}));
    EXPECT_EQ(fs.log()[5], "syncdir " + dir.path().filename().string());

    // A new entry's texts are on disk before the index record that points at them.
    fs.arm(Mode::Count);
    ASSERT_TRUE(addEntry(*tn, kNewEntry));
    std::vector<std::string> writes;
    for (const auto& s : fs.log())
        if (s.rfind("write", 0) == 0 || s.rfind("sync", 0) == 0) writes.push_back(s.substr(0, s.find(" @")));
    EXPECT_EQ(writes, (std::vector<std::string>{"write Diary.tnd", "sync Diary.tnd", "write Diary.tni",
                                                "sync Diary.tni"}));
}

} // namespace tavrin::test
