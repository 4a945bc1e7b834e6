// "check" on diaries damaged byte by byte and file by file: each damage is reported, naming its
// file, record and field, and the values at the ends of their ranges pass.

#include "CliFixture.h"
#include "storage/ContactRecord.h"
#include "storage/DiaryFileSet.h"
#include "storage/EntryRecord.h"
#include "storage/FileBatch.h"
#include "storage/IngredientRecord.h"
#include "storage/LocalTime.h"
#include "storage/MedicationRecord.h"
#include "storage/PlannerRecord.h"
#include "storage/RecipeRecord.h"
#include "storage/ReminderRecord.h"
#include "storage/WaveFile.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sys/stat.h>

using namespace tavrin;
using namespace tavrin::cli;
namespace fs = std::filesystem;

namespace {

class CheckTest : public tavrin::cli::test::CliFixture {
protected:
    // Two entries with the same secrets; the second has a body text.
    void makeDiary() {
        auto r = run({"add", diary}, "[{" + newDiary() + R"("dateTime": "2026-01-05T08:00:00"},
                                     {"dateTime": "2026-02-05T08:00:00", "body": "text"}])");
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
    }
    // Overwrites bytes of an index record as they lie in the file.
    void patch(int entry, std::size_t offset, const std::string& bytes) {
        std::fstream f(diary, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(std::streamoff(std::size_t(entry) * EntryRecord::kSize + offset));
        f.write(bytes.data(), std::streamsize(bytes.size()));
    }
    static std::string u32(std::uint32_t v) {
        return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    }
    static std::string byte(int v) { return std::string(1, char(v)); }
    static std::string i64(std::int64_t v) {
        return u32(std::uint32_t(std::uint64_t(v))) + u32(std::uint32_t(std::uint64_t(v) >> 32));
    }
    static std::string f32(float v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        return u32(u);
    }
    std::string path(char letter) const { return DiaryFileSet(diary).path(letter); }
    // Writes bytes at an offset of a file, making the file when it is missing.
    static void write(const std::string& file, std::size_t at, const std::string& bytes) {
        if (!fs::exists(file)) std::ofstream(file, std::ios::binary);
        std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(std::streamoff(at));
        f.write(bytes.data(), std::streamsize(bytes.size()));
    }
    // Every file of the diary but the lock, with its bytes.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> all;
        auto keep = [&](const fs::path& p) {
            std::ifstream in(p, std::ios::binary);
            all[p.string()] = {std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        };
        keep(diary);
        for (const auto& e : fs::directory_iterator(dir / "Journal"))
            if (e.path().extension() != ".lock") keep(e.path());
        return all;
    }
    // makeDiary's two entries, a voice note on the first, and a record in every table: a weekly
    // and a yearly reminder, a planned item, two contacts, an ingredient, a recipe of two lines
    // (200 g) and a medication.
    void makeFullDiary() {
        makeDiary();
        std::vector<std::int16_t> tone(3000);
        for (std::size_t i = 0; i < tone.size(); ++i)
            tone[i] = std::int16_t(i % 50 * 400 - 10000);
        const std::string wave = (dir / "note.wav").string();
        std::ofstream(wave, std::ios::binary) << WaveFile::pcm16(tone, 11025);
        const std::pair<std::vector<std::string>, std::string> adds[] = {
            {{"attach-voice", diary, "1", wave}, ""},
            {{"add-reminder", diary},
             R"([{"kind": "weekly", "dayOfWeek": "Friday", "time": "18:15", "description": "Choir"},
                 {"kind": "yearly", "date": "2027-01-01", "description": "New year"}])"},
            {{"add-planner", diary}, R"({"date": "2026-02-01", "description": "Plan"})"},
            {{"add-contact", diary}, R"([{"name": "Ann"}, {"name": "Bob", "misc": "x"}])"},
            {{"add-ingredient", diary}, R"({"name": "Oats", "fat": 10, "carbohydrate": 20})"},
            {{"add-recipe", diary}, R"({"name": "Stew", "ingredients": [
                {"name": "Oats", "grams": 150}, {"name": "Oats", "grams": 50}]})"},
        };
        for (const auto& [args, input] : adds) {
            auto r = run(args, input);
            ASSERT_EQ(r.status, Cli::kOk) << args[0] << ": " << r.err;
        }
        MedicationRecord m;
        m.clear();
        m.setName("Aspirin");
        m.setDoctor("Dr Who");
        m.setDateIssued(1767225600); // 2026-01-01
        write(path(DiaryFileSet::kMedication), 0,
              std::string(reinterpret_cast<const char*>(m.data()), MedicationRecord::kSize));
    }
};

TEST_F(CheckTest, ValuesAtTheEndsOfTheirRangesAndPastThem) {
    struct Case {
        std::size_t offset;
        std::string bytes;
        const char* report; // nullptr: clean
        int entries = 1;    // patched in the first entry only, or in both
    };
    const float inf = INFINITY;
    std::string infBytes(4, '\0');
    std::memcpy(infBytes.data(), &inf, 4);
    const Case cases[] = {
        {EntryRecord::kMood, byte(3), nullptr},
        {EntryRecord::kMood, byte(-3), nullptr},
        {EntryRecord::kMood, byte(4), "entry 1: mood holds 4 (-3 to 3 expected)"},
        {EntryRecord::kMood, byte(-4), "entry 1: mood holds -4 (-3 to 3 expected)"},
        {EntryRecord::kFatigue, byte(-2), nullptr},
        {EntryRecord::kFatigue, byte(-3), "entry 1: fatigue holds -3 (-2 to 0 expected)"},
        {EntryRecord::kFatigue, byte(1), "entry 1: fatigue holds 1 (-2 to 0 expected)"},
        {EntryRecord::kDream, byte(2), nullptr},
        {EntryRecord::kDream, byte(-3), "entry 1: dream holds -3 (-2 to 2 expected)"},
        {EntryRecord::kShape, byte(-3), nullptr},
        {EntryRecord::kShape, byte(-4), "entry 1: shape holds -4 (-3 to 0 expected)"},
        {EntryRecord::kShape, byte(1), "entry 1: shape holds 1 (-3 to 0 expected)"},
        {EntryRecord::kWeather, byte(4), nullptr},
        {EntryRecord::kWeather, byte(5), "entry 1: weather holds 5 (0 to 4 expected)"},
        {EntryRecord::kSpins + 1, byte(3), nullptr},
        {EntryRecord::kSpins + 1, byte(4), "entry 1: spin 2 holds 4 (-3 to 3 expected)"},
        {EntryRecord::kSpins + 2, byte(-4), "entry 1: spin 3 holds -4 (-3 to 3 expected)"},
        {EntryRecord::kCombos + 2, byte(8), nullptr},
        {EntryRecord::kCombos + 2, byte(9), "entry 1: combo 3 holds 9 (0 to 8 expected)"},
        {EntryRecord::kPainMap + 17, byte(6), nullptr},
        {EntryRecord::kPainMap + 17, byte(7),
         "entry 1: pain map area 18 holds 7 (0 to 6 expected)"},
        {std::size_t(Fibro::Sleep), byte(9), nullptr},
        {std::size_t(Fibro::Sleep), byte(10),
         "entry 1: fibromyalgia rating sleep holds 10 (-1 to 9"},
        {std::size_t(Fibro::Effect), byte(-2), "entry 1: fibromyalgia rating effect holds -2"},
        {EntryRecord::kOutdoorHumidity, u32(100), nullptr},
        {EntryRecord::kOutdoorHumidity, u32(101), "entry 1: outdoor humidity holds 101 (0 to 100"},
        {EntryRecord::kIndoorHumidity, u32(std::uint32_t(-1)), "entry 1: indoor humidity holds -1"},
        {EntryRecord::kReal2, infBytes, "entry 1: real2 is not a finite number"},
        {EntryRecord::kVoiceFlag, byte(2), "entry 1: voice flag holds 2 (0 or 1 expected)"},
        // The secrets: lengths up to 29 in every entry, and the same pairs in every entry.
        {EntryRecord::kPasswordLength, u32(29), nullptr, 2},
        {EntryRecord::kPasswordLength, u32(30), "entry 1: password length 30 exceeds 29", 2},
        {EntryRecord::kPairsStart + EntryRecord::kPairSize + 31, byte(29), nullptr, 2},
        {EntryRecord::kPairsStart + EntryRecord::kPairSize + 31, byte(30),
         "entry 2: security pair 2 has a length over 29", 2},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        makeDiary();
        for (int e = 0; e < c.entries; ++e)
            patch(e, c.offset, c.bytes);
        auto r = run({"check", diary});
        if (!c.report) {
            EXPECT_EQ(r.out, "No problems found.\n") << c.offset;
            continue;
        }
        EXPECT_EQ(r.status, Cli::kFailed) << c.report;
        EXPECT_NE(r.out.find(c.report), std::string::npos) << r.out;
        const std::string count = c.entries == 1 ? "\n1 problem found.\n" : "\n2 problems found.\n";
        EXPECT_NE(r.out.find(count), std::string::npos) << r.out;
    }
}

TEST_F(CheckTest, SecurityPairsMustAgree) {
    makeDiary();
    patch(1, EntryRecord::kPairsStart + 1, "Q"); // the second entry's first question
    auto r = run({"check", diary});
    EXPECT_EQ(r.out, "entry 2: security pair 1 differs from the first entry's\n1 problem found.\n");
}

// A diary with a record in every table and a voice note, made by the tool itself, then damaged
// one field at a time at the field's offset: each damage is reported naming the file and the
// record, the values at the ends of their ranges pass, and --repair mends only the leftovers of
// an interrupted write (the rest stays as it is, and reported).
TEST_F(CheckTest, TableDamageVoiceNotesAndLeftovers) {
    makeFullDiary();
    ASSERT_EQ(run({"check", diary}).out, "No problems found.\n");
    const fs::path keep = dir / "keep";
    fs::create_directories(keep);
    fs::copy(diary, keep);
    fs::copy(dir / "Journal", keep / "Journal", fs::copy_options::recursive);
    const auto note = std::uint32_t(fs::file_size(path(DiaryFileSet::kVoice)));

    const float nan = std::nanf(""), inf = INFINITY;
    LocalDateTime last;
    last.year = 9999, last.month = 12, last.day = 31, last.hour = 23, last.minute = 59;
    last.second = 59;
    const std::int64_t latest = LocalTime::toTime(last);
    struct Case {
        char letter;        // 0: the entry index
        std::size_t at;     // record size x record index + field offset
        std::string bytes;  // written there (a missing file is made)
        std::string report; // the line; empty: clean
        bool repaired = false;
        std::string suffix = ""; // of the file's name, for leftovers
    };
    const std::size_t rem = ReminderRecord::kSize, con = ContactRecord::kSize;
    const std::string ff = "\xFF", weekly = "reminder 1: ", yearly = "reminder 2: ";
    const Case cases[] = {
        {'r', ReminderRecord::kDayOfWeek.offset, byte(6), ""},
        {'r', ReminderRecord::kDayOfWeek.offset, byte(7),
         weekly + "day of week holds 7 (0 to 6 expected)"},
        {'r', rem + ReminderRecord::kDayOfWeek.offset, byte(200),
         yearly + "day of week holds 200 (0 to 6 expected)"},
        {'r', rem + ReminderRecord::kKind.offset, byte(4),
         yearly + "kind 4 is not daily, weekly, monthly or yearly"},
        {'r', rem + ReminderRecord::kKind.offset, byte(ReminderRecord::Deleted), ""},
        {'r', rem + ReminderRecord::kDate.offset, i64(latest), ""},
        {'r', rem + ReminderRecord::kDate.offset, i64(latest + 1),
         yearly + "date holds " + std::to_string(latest + 1) +
             " (a time in the years 0000 to 9999 expected)"},
        {'r', ReminderRecord::kTime.offset, i64(INT64_MAX),
         weekly + "time holds 9223372036854775807"},
        {'r', ReminderRecord::kDate.offset, i64(INT64_MIN),
         weekly + "date holds -9223372036854775808"},
        {'r', ReminderRecord::kDescription.offset, std::string(50, 'x'),
         weekly + "description is not terminated"},
        {'p', PlannerRecord::kPriority.offset, byte(1), ""},
        {'p', PlannerRecord::kPriority.offset, byte(2), "planner item 1: priority holds 2"},
        {'p', PlannerRecord::kPriority.offset, byte(7),
         "planner item 1: priority holds 7 (0, 1 or the deletion mark 250 expected)"},
        {'p', PlannerRecord::kPriority.offset, byte(PlannerRecord::kDeleted), ""},
        {'p', PlannerRecord::kDone.offset, byte(1), ""},
        {'p', PlannerRecord::kDone.offset, byte(2),
         "planner item 1: done holds 2 (0 or 1 expected)"},
        {'p', PlannerRecord::kDone.offset, byte(200), "planner item 1: done holds 200"},
        {'p', PlannerRecord::kDate.offset, i64(INT64_MAX), "planner item 1: date holds 922337"},
        {'p', 0, std::string(PlannerRecord::kSize, ff[0]),
         "planner item 1: description is not terminated"},
        {'p', PlannerRecord::kDescription.offset, std::string(50, 'x'),
         "planner item 1: description is not"},
        {'a', 0, std::string(con, ff[0]), "contact 1: name is not terminated"},
        {'a', con + ContactRecord::kMisc.offset, std::string(400, 'x'),
         "contact 2: misc is not terminated"},
        {'n', 0, std::string(IngredientRecord::kSize, ff[0]),
         "ingredient 1: name is not terminated"},
        {'n', IngredientRecord::kName.offset, std::string(32, 'x'),
         "ingredient 1: name is not terminated"},
        {'n', IngredientRecord::kKcal.offset, f32(0), ""},
        {'n', IngredientRecord::kKcal.offset, f32(nan),
         "ingredient 1: kcal holds nan (a number of 0 or more expected)"},
        {'n', IngredientRecord::kKcal.offset, f32(inf), "ingredient 1: kcal holds inf"},
        {'n', IngredientRecord::kFat.offset, f32(-5), "ingredient 1: fat holds -5"},
        {'m', 0, std::string(MedicationRecord::kSize, ff[0]),
         "medication 1: name is not terminated"},
        {'m', MedicationRecord::kDoctor.offset, std::string(30, 'x'),
         "medication 1: doctor is not terminated"},
        {'m', MedicationRecord::kDateIssued.offset, i64(INT64_MIN),
         "medication 1: dateIssued holds -9223372036854775808"},
        {'k', RecipeRecord::kWeight.offset, f32(nan), "recipe 1: weight holds nan"},
        {'k', RecipeRecord::kWeight.offset, f32(0),
         "recipe 1: total weight 0 differs from the sum of its lines (200)"},
        {'k', RecipeRecord::kFat.offset, f32(20.001f), ""}, // rounded otherwise than here
        {'k', RecipeRecord::kLines + IngredientLineRecord::kKcal.offset, f32(nan),
         "recipe 1: line 1: kcal holds nan"},
        {'k', RecipeRecord::kLines + 52 + IngredientLineRecord::kName.offset, std::string(32, 'x'),
         "recipe 1: line 2: name is not terminated"},
        {0, EntryRecord::kDescription, std::string(30, 'x'),
         "entry 1: description is not terminated"},
        // The note: one GSM wave file of `note` bytes at offset 0 of the voice file.
        {0, EntryRecord::kVoiceOffset, u32(1) + u32(note - 1),
         "entry 1: voice note at offset 1 with length " + std::to_string(note - 1) + " in " +
             path(DiaryFileSet::kVoice) + " is no sound that can be played"},
        {0, EntryRecord::kVoiceOffset, u32(0) + u32(note - 65),
         "entry 1: voice note at offset 0 with length " + std::to_string(note - 65) + " in " +
             path(DiaryFileSet::kVoice) + " holds a wave file of " + std::to_string(note) +
             " bytes"},
        {0, EntryRecord::kVoiceOffset, u32(0) + u32(0), "entry 1: voice note at offset 0 with"},
        {0, EntryRecord::kVoiceOffset, u32(1) + u32(note),
         "entry 1: voice note lies outside the voice file (" + std::to_string(note) + " bytes)"},
        // Leftovers of an interrupted write.
        {'r', 0, "x", "a temporary file that an interrupted write left behind", true,
         ".tmp-Ab3xYz"},
        {'p', 0, "x", "a staged file of a change that never took effect", true, ".staged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.letter ? c.letter : 'i') + " @" + std::to_string(c.at));
        fs::remove(diary);
        fs::remove_all(dir / "Journal");
        fs::copy(keep / "Journal.tni", diary);
        fs::copy(keep / "Journal", dir / "Journal", fs::copy_options::recursive);
        const std::string file = (c.letter ? path(c.letter) : diary) + c.suffix;
        write(file, c.at, c.bytes);
        auto r = run({"check", diary});
        if (c.report.empty()) {
            EXPECT_EQ(r.out, "No problems found.\n");
            continue;
        }
        EXPECT_EQ(r.status, Cli::kFailed);
        // Table problems begin with their file; entries are named by their place in the index.
        const std::string named = c.letter && c.suffix.empty() ? file + ": " : "";
        const std::string line = c.suffix.empty() ? named + c.report : file + ": " + c.report;
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;

        const auto before = snapshot();
        r = run({"check", diary, "--repair"});
        EXPECT_EQ(r.status, c.repaired ? Cli::kOk : Cli::kFailed) << r.out;
        EXPECT_EQ(fs::exists(file), !c.repaired);
        if (!c.repaired) {
            EXPECT_TRUE(snapshot() == before) << r.out;
        }
    }

    // A journal, even an empty one, is a batch that the next opening finishes first.
    const std::string journal = FileBatch::journalPath(DiaryFileSet(diary));
    write(journal, 0, "");
    const auto r = run({"check", diary});
    EXPECT_EQ(r.status, Cli::kFailed);
    EXPECT_NE(r.out.find(journal + ": a compaction or import is not finished yet"),
              std::string::npos)
        << r.out;
}

TEST_F(CheckTest, FilesThatAreNotRegularFilesAreReportedWithoutWaiting) {
    struct Case {
        char letter; // 0: the index file
        std::function<void(const std::string&)> damage;
        const char* report;
    };
    const Case cases[] = {
        {DiaryFileSet::kReminders, [](const std::string& p) { fs::create_directory(p); },
         "is a directory, not a regular file"},
        {DiaryFileSet::kData, [](const std::string& p) { fs::remove(p), fs::create_directory(p); },
         "is a directory, not a regular file"},
        {DiaryFileSet::kPlanner, [](const std::string& p) { ::mkfifo(p.c_str(), 0600); },
         "is a FIFO, not a regular file"},
        {0, [](const std::string& p) { fs::remove(p), ::mkfifo(p.c_str(), 0600); },
         "is a FIFO, not a regular file"},
        {DiaryFileSet::kContacts, [](const std::string& p) { fs::create_symlink("nowhere", p); },
         "is a link to nowhere, which does not exist"},
        {DiaryFileSet::kConfig,
         [](const std::string& p) { fs::remove(p), fs::create_symlink(p, p); },
         "cannot be read: Too many levels of symbolic links"},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        makeDiary();
        const std::string p = c.letter ? path(c.letter) : diary;
        c.damage(p);
        auto r = run({"check", diary});
        EXPECT_EQ(r.status, Cli::kFailed) << p;
        EXPECT_EQ(r.out, p + ": " + c.report + "\n1 problem found.\n");
    }
}

TEST_F(CheckTest, UnreadableDataFile) {
    makeDiary();
    const char* exe = std::getenv("TAVRIN_CLI");
    ASSERT_NE(exe, nullptr);
    // Permissions do not hold back root, so as root the check runs as nobody.
    fs::permissions(dir, fs::perms::all);
    fs::permissions(DiaryFileSet(diary).directory(), fs::perms::all);
    fs::permissions(diary, fs::perms(0644));
    fs::permissions(path(DiaryFileSet::kData), fs::perms::none);
    const std::string as =
        ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string out = (dir / "out.txt").string();
    const std::string cmd =
        "TAVRIN_PASSWORD=secret " + as + exe + " check '" + diary + "' > '" + out + "' 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(cmd.c_str())), Cli::kFailed);
    std::ifstream in(out);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, path(DiaryFileSet::kData) +
                        ": cannot be read: Permission denied\n1 problem found.\n");
}

} // namespace
