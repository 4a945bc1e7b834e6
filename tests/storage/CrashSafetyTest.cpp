// The fault matrix: every operation that changes a diary, run once per mutating step N of its
// own with that step stopping the process, failing with ENOSPC, failing with EIO, and cutting the
// power (everything not yet synced lost). Afterwards the diary must read as wholly old or wholly
// new; a failure must be reported, leave the old content and no open file; and after anything
// that left the old content the operation must succeed when run again.

#include "Diaries.h"
#include "FaultFileSystem.h"
#include "storage/WaveFile.h"

#include "organiser/logic/DiaryBackup.h"
#include "storage/EntryCompaction.h"
#include "storage/FileBatch.h"
#include "storage/OldDiaryImport.h"
#include "storage/PadText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin::test {
namespace {

using Mode = FaultFileSystem::Mode;
using State = std::function<std::string(const std::string& path)>;

struct Operation {
    std::string name;
    std::function<void(const std::string& path)> setup; // builds the diary on the real files
    std::function<bool(TN&)> op;
    State state;
};

// A block file's state: its bytes when it holds a whole block; anything shorter is replaced by
// the defaults on the next read, so every short file is the same state.
State blockState(char letter, std::size_t size) {
    return [=](const std::string& path) {
        std::string b = readFile(DiaryFileSet(path).path(letter));
        return b.size() >= size ? b : std::string("<short>");
    };
}

template <class Rec> State tableOf(Table<Rec> TN::*t) {
    return [=](const std::string& path) { return tableState(path, t); };
}

const EntryData kNewEntry{25, "new", "fresh body", {"", "type two", "", "", "type five"}};

void threeEntries(const std::string& path) {
    addEntries(path, {{30, "late", "body late", {"t1", "", "t3"}},
                      {10, "early", "body early d", {}},
                      {20, "middle", "", {"", "", "", "", "only five"}}});
}

NewEntry newEntry(std::int64_t when, const std::string& text) {
    NewEntry e;
    setSecrets(e.record);
    e.record.setDateTime(when);
    e.record.setDescription(text);
    e.body = "body of " + text;
    e.types[2] = text;
    return e;
}

// Record i of a table's seed: out of order, and record 1 carries the deletion mark where the
// table has one. Texts fill their fields, so that half a record written differs from both.
const char* const kNames[] = {"Kiwi", "apple", "Mango", "banana", "Cherry", "date", "Zucchini"};
template <class Rec> Rec recordOf(int i) {
    Rec r;
    r.clear();
    const std::string name = (i < 7 ? kNames[i] : "Fig " + std::to_string(i)) + " " +
                             std::string(80, char('a' + i % 26));
    if constexpr (std::is_same_v<Rec, ReminderRecord>) {
        r.setKind(std::uint8_t(i == 1 ? ReminderRecord::Deleted : 3 - i % 4));
        r.setTime(100 - i);
        r.setDescription(name);
    } else if constexpr (std::is_same_v<Rec, PlannerRecord>) {
        r.setDate(1000 - i);
        r.setPriority(std::uint8_t(i == 1 ? PlannerRecord::kDeleted : i % 2));
        r.setDescription(name);
    } else if constexpr (std::is_same_v<Rec, ContactRecord>) {
        r.setName(i == 1 ? ContactRecord::kDeletedName : name);
    } else {
        r.setName(name);
    }
    return r;
}

template <class Rec> std::function<void(const std::string&)> seeded(Table<Rec> TN::*t, int n) {
    return [=](const std::string& path) {
        RecordingReporter rep;
        auto tn = openDiary(path, rep);
        for (int i = 0; i < n; ++i) {
            ((*tn).*t).record = recordOf<Rec>(i);
            ASSERT_TRUE(((*tn).*t).Add()) << rep.dump();
        }
    };
}

// Every operation the table's record type allows.
template <class Rec>
void tableOperations(std::vector<Operation>& out, const std::string& table, Table<Rec> TN::*t) {
    const State state = tableOf(t);
    out.push_back({table + ".Add", seeded(t, 2),
                   [t](TN& tn) {
                       (tn.*t).record = recordOf<Rec>(99);
                       return (tn.*t).Add();
                   },
                   state});
    out.push_back(
        {table + ".AddAll", seeded(t, 3),
         [t](TN& tn) {
             return (tn.*t).AddAll({recordOf<Rec>(97), recordOf<Rec>(98), recordOf<Rec>(99)});
         },
         state});
    if constexpr (Rec::kSort != SortStyle::None) {
        out.push_back({table + ".AddSorted", seeded(t, 3),
                       [t](TN& tn) {
                           (tn.*t).record = recordOf<Rec>(99);
                           return (tn.*t).AddSorted();
                       },
                       state});
        out.push_back(
            {table + ".Sort", seeded(t, 5), [t](TN& tn) { return (tn.*t).Sort(); }, state});
    }
    if constexpr (Rec::kHasReplace)
        out.push_back({table + ".Replace", seeded(t, 3),
                       [t](TN& tn) {
                           (tn.*t).replacement = recordOf<Rec>(50);
                           return (tn.*t).Replace(2);
                       },
                       state});
    if constexpr (Rec::kDelete == DeleteStyle::MarkThenPurge) {
        out.push_back(
            {table + ".Mark", seeded(t, 3), [t](TN& tn) { return (tn.*t).Mark(2); }, state});
        out.push_back(
            {table + ".MarkOnly", seeded(t, 1), [t](TN& tn) { return (tn.*t).Mark(0); }, state});
        out.push_back(
            {table + ".Purge", seeded(t, 4), [t](TN& tn) { return (tn.*t).Purge(); }, state});
    } else {
        out.push_back(
            {table + ".Delete", seeded(t, 3), [t](TN& tn) { return (tn.*t).Delete(0); }, state});
        out.push_back({table + ".DeleteOnly", seeded(t, 1),
                       [t](TN& tn) { return (tn.*t).Delete(0); }, state});
    }
    out.push_back({table + ".Clear", seeded(t, 3), [t](TN& tn) { return (tn.*t).Clear(); }, state});
}

// Entries plus what a repair cuts: the lengths of the data and voice files. (Removing a temporary
// file changes no content, so it is no state of its own.)
std::string repairState(const std::string& path) {
    return entriesState(path) + "data " + std::to_string(sizeOf(DiaryFileSet(path).path('d'))) +
           " voice " + std::to_string(sizeOf(DiaryFileSet(path).path('v')));
}

// A recording waiting beside the diary, and the state of entries with their voice notes: a
// record that points past the end of the voice file reads as "<bad note>".
std::string recordingOf(const std::string& path) {
    return DiaryIo::directoryOf(path) + "/TNV300.tmp";
}
void withRecording(const std::string& path) {
    threeEntries(path);
    std::vector<std::uint8_t> sound(4000);
    for (std::size_t i = 0; i < sound.size(); ++i)
        sound[i] = std::uint8_t(128 + (i / 12 % 2 ? 90 : -90));
    writeFile(recordingOf(path), WaveFile::pcm8(sound, 11025));
}
std::string voiceState(const std::string& path) {
    std::string out = entriesState(path);
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    for (bool ok = tn->ReadIndexRecord(); ok; ok = tn->NextIndexRecord()) {
        std::string wave;
        if (tn->entry.voiceFlag() == 1)
            out += tn->ReadVoice(wave) ? "note " + wave + "\n" : "<bad note>\n";
    }
    return out + rep.dump();
}
bool addWithVoice(TN& t, bool sorted) {
    t.entry.clear();
    setSecrets(t.entry);
    t.entry.setDateTime(kNewEntry.when);
    t.body = "with a voice note";
    t.typeText = {};
    t.entry.setVoiceFlag(1);
    t.voiceSource = recordingOf(t.files().indexPath());
    t.voiceStored = false;
    return sorted ? t.AddEntrySorted() : t.AddEntry();
}

// A stored note copied out for playing, into a private folder beside the diary: the copy is
// there whole or not at all (a temporary file left by a crash is swept at start-up).
std::string playingCopyOf(const std::string& path) {
    return DiaryIo::directoryOf(path) + "/private/TNV300.tmp";
}
void withStoredNote(const std::string& path) {
    withRecording(path);
    RecordingReporter rep;
    ASSERT_TRUE(addWithVoice(*openDiary(path, rep), true)) << rep.dump();
    std::filesystem::create_directory(DiaryIo::directoryOf(path) + "/private");
    ::chmod((DiaryIo::directoryOf(path) + "/private").c_str(), 0700);
}
bool extractStoredNote(TN& t) {
    for (bool ok = t.ReadIndexRecord(); ok; ok = t.NextIndexRecord())
        if (t.entry.voiceFlag() == 1) return t.ExtractVoice(playingCopyOf(t.files().indexPath()));
    return false;
}
std::string playingCopyState(const std::string& path) {
    return exists(playingCopyOf(path)) ? "copy " + readFile(playingCopyOf(path)) : "no copy";
}

// A diary with texts that no entry uses: a deleted entry's and those a new password left.
void compactable(const std::string& p) {
    threeEntries(p);
    RecordingReporter rep;
    auto tn = openDiary(p, rep);
    ASSERT_TRUE(tn->DeleteEntry(1)) << rep.dump();
    ASSERT_TRUE(tn->ReKey("n3w;Passp")) << rep.dump();
}

// A compaction stopped at the first rename after its journal was written: done, but not yet
// finished. The next opening of the diary finishes it.
void interruptedCompaction(const std::string& p) {
    compactable(p);
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    const std::filesystem::path dir = std::filesystem::path(p).parent_path();
    int stop = 0;
    {
        TempDir trial;
        copyTree(dir, trial.path());
        FaultFileSystem counting;
        RecordingReporter rep;
        auto tn = openDiary(trial.file("Diary.tni"), rep, &counting);
        counting.arm(Mode::Count);
        ASSERT_TRUE(EntryCompaction(*tn).run()) << rep.dump();
        bool journal = false;
        for (std::size_t i = 0; i < counting.log().size() && !stop; ++i) {
            const std::string& s = counting.log()[i];
            if (s.find("-> Diary.commit") != std::string::npos) journal = true;
            if (journal && s.rfind("rename", 0) == 0 && s.find(".staged") != std::string::npos)
                stop = int(i + 1);
        }
    }
    ASSERT_GT(stop, 0);
    FaultFileSystem fs;
    RecordingReporter rep;
    auto tn = openDiary(p, rep, &fs);
    fs.arm(Mode::Crash, stop);
    EXPECT_THROW(EntryCompaction(*tn).run(), SimulatedCrash);
    ASSERT_TRUE(exists(FileBatch::journalPath(DiaryFileSet(p))));
}

// Entries and the data file's length, read in that order: reading finishes an interrupted
// compaction first.
std::string compactState(const std::string& p) {
    std::string entries = entriesState(p);
    return entries + "data " + std::to_string(sizeOf(DiaryFileSet(p).path('d')));
}

// What the next opening finds, read from a copy so that reading settles nothing here; an
// unfinished batch is a state of its own.
std::string settledState(const std::string& p) {
    const bool pending = exists(FileBatch::journalPath(DiaryFileSet(p)));
    TempDir copy;
    copyTree(std::filesystem::path(p).parent_path(), copy.path());
    return compactState(copy.file("Diary.tni")) + (pending ? "unfinished" : "");
}

// The backup rows: the diary under test is a backup in the matrix's folder, of the live diary
// in its sub-folder "live".
std::string liveOf(const std::string& backup) {
    return DiaryIo::directoryOf(backup) + "/live/Diary.tni";
}
bool backUp(TN& t) {
    const std::string backup = t.files().indexPath();
    return organiser::DiaryBackup(liveOf(backup), t.io().reporter(), &t.io().fs())
        .run(DiaryIo::directoryOf(backup))
        .ok();
}
// A diary backed up, then re-keyed and compacted (so that the earlier index reads the new data as
// garbage), with its reminders gone, a contact more and a second scratch pad text.
void backedUpThenChanged(const std::string& p) {
    const std::string live = liveOf(p);
    std::filesystem::create_directories(DiaryIo::directoryOf(live));
    addEntries(live, {{30, "late", "body late", {"t1"}}, {10, "early", "body early", {}}});
    seeded(&TN::reminders, 2)(live);
    writeFile(DiaryFileSet(live).padPath(0), "first pad");
    RecordingReporter rep;
    ASSERT_TRUE(organiser::DiaryBackup(live, rep).run(DiaryIo::directoryOf(p)).ok()) << rep.dump();
    auto tn = openDiary(live, rep);
    ASSERT_TRUE(tn->ReKey("n3w;Passp") && EntryCompaction(*tn).run()) << rep.dump();
    ASSERT_TRUE(tn->reminders.Clear()) << rep.dump();
    tn->contacts.record = recordOf<ContactRecord>(0);
    ASSERT_TRUE(tn->contacts.Add()) << rep.dump();
    writeFile(DiaryFileSet(live).padPath(1), "second pad");
}
// The entries as the backup reads them (which settles an interrupted backup first), then every
// file that a backup copies, or that it is missing.
std::string backupState(const std::string& p) {
    std::string out = entriesState(p);
    const DiaryFileSet files(p);
    for (char c : std::string("idcrpakmv01234")) {
        const std::string f = c == 'i' ? files.indexPath() : files.path(c);
        out += f.substr(f.size() - 3) + (exists(f) ? ": " + readFile(f) : " missing") + "\n";
    }
    return out;
}

std::string importState(const std::string& p) {
    return entriesState(p) + tableState(p, &TN::reminders) + tableState(p, &TN::planner);
}

std::vector<Operation> operations() {
    const State entries = [](const std::string& p) { return entriesState(p); };
    std::vector<Operation> ops = {
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
        {"AddEntries", threeEntries,
         [](TN& t) {
             return t.AddEntries({newEntry(40, "b1"), newEntry(5, "b2"), newEntry(25, "b3")});
         },
         entries},
        {"AddEntriesToNewDiary", [](const std::string&) {},
         [](TN& t) {
             return t.AddEntries({newEntry(40, "b1"), newEntry(5, "b2")});
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
        {"AddEntryWithVoice", withRecording, [](TN& t) { return addWithVoice(t, false); },
         voiceState},
        {"AddEntrySortedWithVoice", withRecording, [](TN& t) { return addWithVoice(t, true); },
         voiceState},
        {"ExtractVoice", withStoredNote, extractStoredNote, playingCopyState},
        {"DeleteEntry", threeEntries, [](TN& t) { return t.DeleteEntry(1); }, entries},
        {"DeleteOnlyEntry", [](const std::string& p) { addEntries(p, {kNewEntry}); },
         [](TN& t) { return t.DeleteEntry(0); }, entries},
        {"SortEntries", threeEntries, [](TN& t) { return t.SortEntries(); }, entries},
        {"ReKey", threeEntries, [](TN& t) { return t.ReKey("n3w;Passp"); }, entries},
        {"Repair",
         [](const std::string& p) {
             threeEntries(p);
             DiaryFileSet files(p);
             writeFile(files.path('d'), readFile(files.path('d')) + "orphan bytes");
             writeFile(p + ".tmp-Ab12Cd", "left by a crash");
         },
         [](TN& t) {
             std::vector<std::string> done;
             return t.Repair(done);
         },
         repairState},
        {"RepairVoice",
         [](const std::string& p) {
             threeEntries(p);
             writeFile(DiaryFileSet(p).path('v'), "a note whose entry was never written");
         },
         [](TN& t) {
             std::vector<std::string> done;
             return t.Repair(done);
         },
         repairState},
        {"Compact", compactable, [](TN& t) { return EntryCompaction(t).run(); }, compactState},
        {"FinishCompaction", interruptedCompaction, [](TN& t) { return FileBatch::settle(t.io()); },
         settledState},
        {"ImportV2",
         [](const std::string& p) {
             threeEntries(p);
             writeOldDiary(
                 std::filesystem::path(p).parent_path().string(), "old",
                 {{7, 1, 0, 0, 0, 0, 0, 0, 0, "old one"}, {50, 2, 0, 0, 0, 0, 0, 0, 0, "old two"}},
                 2, 2);
         },
         [](TN& t) {
             const std::string dir = DiaryIo::directoryOf(t.files().indexPath());
             return OldDiaryImport(t, dir + "/Old.itn").run("old") == OldDiaryImport::Result::Done;
         },
         importState},
        {"WritePadText",
         [](const std::string& p) { writeFile(DiaryFileSet(p).padPath(0), "old note"); },
         [](TN& t) { return PadText::write(t.io(), t.files().padPath(0), "a new note"); },
         [](const std::string& p) { return readFile(DiaryFileSet(p).padPath(0)); }},
        {"ConfigurationDefaults", [](const std::string&) {},
         [](TN& t) { return t.ReadConfiguration(); }, blockState('c', DiaryConfig::kSize)},
        {"ShortConfiguration",
         [](const std::string& p) { writeFile(DiaryFileSet(p).path('c'), std::string(50, 'x')); },
         [](TN& t) { return t.ReadConfiguration(); }, blockState('c', DiaryConfig::kSize)},
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
         blockState('c', DiaryConfig::kSize)},
        {"GraphDefaults", [](const std::string&) {}, [](TN& t) { return t.ReadGraphSettings(); },
         blockState('g', GraphSettings::kSize)},
        {"WriteGraphSettings", [](const std::string&) {},
         [](TN& t) {
             t.graph.setBackground(7);
             return t.WriteGraphSettings();
         },
         blockState('g', GraphSettings::kSize)},
        {"PadTableDefaults", [](const std::string&) {}, [](TN& t) { return t.ReadPadTable(); },
         blockState('t', PadTable::kSize)},
        {"WritePadTable",
         [](const std::string& p) {
             RecordingReporter rep;
             ASSERT_TRUE(openDiary(p, rep)->ReadPadTable());
         },
         [](TN& t) {
             if (!t.ReadPadTable()) return false;
             t.pads.setPath(2, "/elsewhere/pad.txt");
             return t.WritePadTable();
         },
         blockState('t', PadTable::kSize)},
    };
    ops.push_back({"Backup", backedUpThenChanged, backUp, backupState});
    tableOperations(ops, "reminders", &TN::reminders);
    tableOperations(ops, "planner", &TN::planner);
    tableOperations(ops, "contacts", &TN::contacts);
    tableOperations(ops, "recipes", &TN::recipes);
    tableOperations(ops, "ingredients", &TN::ingredients);
    tableOperations(ops, "tempIngredients", &TN::tempIngredients);
    tableOperations(ops, "medication", &TN::medication);
    return ops;
}

struct Fault {
    const char* name;
    Mode mode;
    int error;
};
const Fault kFaults[] = {{"stop", Mode::Crash, 0},
                         {"ENOSPC", Mode::Fail, ENOSPC},
                         {"EIO", Mode::Fail, EIO},
                         {"power cut", Mode::PowerCut, 0}};

// True when another open of the lock file can take the lock at once, i.e. nobody holds it.
bool lockIsFree(const std::string& path) {
    int fd = ::open(DiaryFileSet(path).lockPath().c_str(), O_RDWR | O_CLOEXEC);
    const bool free = fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (fd >= 0) ::close(fd);
    return free;
}

// One point of the matrix; adds a failure for each thing that went wrong and returns false then.
bool tryPoint(const Operation& c, const std::filesystem::path& base,
              const std::filesystem::path& work, const std::string& path, const Fault& fault, int n,
              const std::string& stepName, const std::string& oldState,
              const std::string& newState) {
    const std::string where =
        c.name + ": " + fault.name + " at step " + std::to_string(n) + " (" + stepName + ")";
    copyTree(base, work);
    FaultFileSystem faulty;
    RecordingReporter r;
    auto t = openDiary(path, r, &faulty);
    faulty.arm(fault.mode, n, fault.error, work.string());
    bool ok = false, crashed = false;
    try {
        ok = c.op(*t);
    } catch (const SimulatedCrash&) {
        crashed = true;
    }
    const int openAfter = faulty.openFiles();
    const bool lockFree = lockIsFree(path);
    t.reset();
    if (fault.mode == Mode::PowerCut && crashed) faulty.restoreDurable();
    const std::string s = c.state(path);
    bool good = true;
    auto bad = [&](const std::string& why) {
        ADD_FAILURE() << where << ": " << why;
        good = false;
    };
    if (crashed != (fault.mode != Mode::Fail))
        bad(crashed ? "crashed unasked" : "the step was never reached");
    if (openAfter != 0) bad(std::to_string(openAfter) + " file(s) left open");
    if (!lockFree) bad("the diary's lock is still held");
    if (crashed || ok) {
        if (s != oldState && s != newState) bad("neither old nor new:\n" + s);
        if (ok && s != newState) bad("reported success but the content is not the new one");
    } else {
        if (s != oldState) bad("failed but changed the content:\n" + s);
        if (r.count(ReportKind::FileError) == 0) bad("failure without a report");
    }
    if (s == oldState) { // the leftovers of the attempt do not stand in the way
        RecordingReporter again;
        if (!c.op(*openDiary(path, again)) || c.state(path) != newState)
            bad("does not succeed when run again\n" + again.dump());
    }
    return good;
}

TEST(FaultMatrix, EveryMutatingOperationEndsOldOrNew) {
    struct Row {
        std::string name;
        int steps, points, bad;
    };
    std::vector<Row> rows;
    for (const Operation& c : operations()) {
        TempDir base, work;
        const std::string basePath = base.file("Diary.tni"), path = work.file("Diary.tni");
        c.setup(basePath);
        ASSERT_FALSE(::testing::Test::HasFatalFailure()) << c.name;
        const std::string oldState = c.state(basePath);

        copyTree(base.path(), work.path());
        FaultFileSystem counting;
        RecordingReporter rep;
        auto tn = openDiary(path, rep, &counting);
        counting.arm(Mode::Count);
        ASSERT_TRUE(c.op(*tn)) << c.name << rep.dump();
        tn.reset();
        const std::vector<std::string> steps = counting.log();
        const std::string newState = c.state(path);
        ASSERT_NE(oldState, newState) << c.name;
        ASSERT_FALSE(steps.empty()) << c.name;

        Row row{c.name, int(steps.size()), 0, 0};
        for (int n = 1; n <= row.steps; ++n)
            for (const Fault& f : kFaults) {
                ++row.points;
                row.bad += !tryPoint(c, base.path(), work.path(), path, f, n,
                                     steps[std::size_t(n - 1)], oldState, newState);
            }
        rows.push_back(row);
    }
    int points = 0, bad = 0;
    std::printf("%-28s %6s %7s %5s\n", "operation", "steps", "points", "bad");
    for (const Row& r : rows) {
        std::printf("%-28s %6d %7d %5d\n", r.name.c_str(), r.steps, r.points, r.bad);
        points += r.points;
        bad += r.bad;
    }
    std::printf("%-28s %6s %7d %5d  (faults per step: stop, ENOSPC, EIO, power cut)\n",
                "all operations", "", points, bad);
}

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
              (std::vector<std::string>{"open Diary.tni.tmp", "write Diary.tni.tmp @0",
                                        "sync Diary.tni.tmp", "close Diary.tni.tmp",
                                        "rename Diary.tni.tmp -> Diary.tni"}));
    EXPECT_EQ(fs.log()[5], "syncdir " + dir.path().filename().string());

    // A new entry's texts are on disk before the index record that points at them.
    fs.arm(Mode::Count);
    ASSERT_TRUE(addEntry(*tn, kNewEntry));
    std::vector<std::string> writes;
    for (const auto& s : fs.log())
        if (s.rfind("write", 0) == 0 || s.rfind("sync", 0) == 0)
            writes.push_back(s.substr(0, s.find(" @")));
    EXPECT_EQ(writes, (std::vector<std::string>{"write Diary.tnd", "sync Diary.tnd",
                                                "write Diary.tni", "sync Diary.tni"}));
}

TEST(StepOrder, EveryFolderSyncBeforeTheJournalMustHold) {
    // Compaction stages the index and the data, in two folders: when either folder's sync
    // before the journal fails, nothing is committed.
    auto compact = [](int failAt, std::vector<std::string>* steps) {
        TempDir dir;
        const std::string path = dir.file("Diary.tni");
        compactable(path);
        FaultFileSystem fs;
        RecordingReporter rep;
        auto tn = openDiary(path, rep, &fs);
        fs.arm(failAt ? Mode::Fail : Mode::Count, failAt);
        const bool ok = EntryCompaction(*tn).run();
        if (steps) *steps = fs.log();
        return ok;
    };
    std::vector<std::string> steps;
    ASSERT_TRUE(compact(0, &steps));
    const auto journal = std::find_if(steps.begin(), steps.end(), [](const std::string& s) {
        return s.find(".commit") != std::string::npos;
    });
    ASSERT_NE(journal, steps.end());
    int folderSyncs = 0;
    for (auto it = steps.begin(); it != journal; ++it)
        if (it->rfind("syncdir", 0) == 0) {
            ++folderSyncs;
            EXPECT_FALSE(compact(int(it - steps.begin()) + 1, nullptr)) << *it;
        }
    EXPECT_EQ(folderSyncs, 2);
}

} // namespace tavrin::test
