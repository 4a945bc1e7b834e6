// tavrin-cli driven in-process (and once as a program) on diaries made in a scratch folder.

#include "cli/Cli.h"
#include "formats/EntryJson.h"
#include "storage/DiaryFileSet.h"
#include "storage/DiaryIo.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace tavrin;
using namespace tavrin::cli;
using tavrin::formats::Json;

namespace {

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tavrin-cli-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        diary = (dir / "Journal.tni").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    struct Result {
        int status;
        std::string out, err;
    };
    Result run(std::vector<std::string> args, const std::string& input = "",
               std::optional<std::string> password = std::string("secret")) {
        std::istringstream in(input);
        std::ostringstream out, err;
        Cli cli(in, out, err, [&] { return password; });
        int s = cli.run(args);
        return {s, out.str(), err.str()};
    }

    // A new diary with two entries, added through the tool itself.
    void makeDiary() {
        auto r = run({"add", diary}, R"([
          {"password": "secret",
           "security": [{"question": "Pet?", "answer": "Rex"}, {"question": "Town?", "answer": ""}],
           "dateTime": "2026-03-29T02:30:00", "description": "Second",
           "mood": 2, "painMap": [0,0,0,0,0,0,0,0,0,0, 6,0,0,0,0,0,0,0],
           "fibromyalgia": {"ibs": 9, "outdoorHumidity": 100},
           "body": "{\\rtf1 caf\\'e9}", "types": ["", "Poem \u00e9"]},
          {"dateTime": "2026-01-05T08:00:00", "description": "First", "real1": 36.6, "int1": 71}
        ])");
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
    }

    std::uintmax_t size(const std::string& p) { return fs::exists(p) ? fs::file_size(p) : 0; }

    fs::path dir;
    std::string diary;
};

TEST_F(CliTest, AddCreatesDiarySortsAndListsEntries) {
    makeDiary();
    auto r = run({"list", diary});
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    // Sorted by date: "First" (January) before "Second" (March); type text 2 present only there.
    EXPECT_EQ(r.out, "1\t2026-01-05T08:00:00\t-\t-----\tFirst\n"
                     "2\t2026-03-29T03:30:00\t-\t-2---\tSecond\n");
    // 02:30 on 29 March does not exist in Berlin: the C library moves it to 03:30.

    TN tn(0, diary, DiaryFileSet::extensionOffset(diary));
    ASSERT_TRUE(tn.FirstEntry(true));
    EXPECT_EQ(tn.entry.password(), "secret");
    EXPECT_EQ(tn.entry.question(0), "Pet?");
    EXPECT_EQ(tn.entry.answer(0), "Rex");
    EXPECT_EQ(tn.entry.question(1), ""); // half a pair is dropped
    EXPECT_EQ(tn.entry.int1(), 71);
    ASSERT_TRUE(tn.NextEntry(true));
    EXPECT_EQ(tn.body, "{\\rtf1 caf\\'e9}");
    EXPECT_EQ(tn.typeText[1], "Poem \xE9"); // stored as Windows-1252
    EXPECT_EQ(tn.entry.fibro(Fibro::IBS), 9);
    EXPECT_EQ(tn.entry.fibro(Fibro::Sleep), -1); // unchosen ratings
    EXPECT_EQ(tn.entry.pain(10), 6);
}

// search lists what the diary page lists, as list prints it, and finds a body's shown text, not
// its markup; no match is no failure. show --text prints that text.
TEST_F(CliTest, SearchListsMatchingEntriesAndShowsTheTextItSearches) {
    makeDiary();
    auto r = run({"search", diary, "1", "CAF\u00c9"});
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "2\t2026-03-29T03:30:00\t-\t-2---\tSecond\n");
    r = run({"search", diary, "1", "rtf"});
    EXPECT_EQ(r.status, Cli::kOk);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(run({"search", diary, "2", "first"}).out,
              "1\t2026-01-05T08:00:00\t-\t-----\tFirst\n");
    EXPECT_EQ(run({"search", diary, "10", "x"}).status, Cli::kUsage);
    EXPECT_EQ(run({"search", diary, "1", ""}).status, Cli::kUsage);

    r = run({"show", diary, "2", "--text"});
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "caf\u00e9\n");
}

TEST_F(CliTest, WrongPasswordWritesNothing) {
    makeDiary();
    auto before = size(diary);
    auto dataBefore = size(DiaryFileSet(diary).path('d'));
    for (const char* cmd : {"list", "export", "add"}) {
        auto r = run({cmd, diary}, R"({"dateTime": "2026-02-01T10:00:00"})", std::string("Secret"));
        EXPECT_EQ(r.status, Cli::kWrongPassword) << cmd;
        EXPECT_NE(r.err.find(texts::kInvalidPassword), std::string::npos) << cmd;
        EXPECT_TRUE(r.out.empty()) << cmd;
    }
    auto r = run({"show", diary, "1"}, "", std::string("secre"));
    EXPECT_EQ(r.status, Cli::kWrongPassword);
    EXPECT_EQ(size(diary), before);
    EXPECT_EQ(size(DiaryFileSet(diary).path('d')), dataBefore);
}

TEST_F(CliTest, BadArgumentsPrintUsage) {
    for (auto args : std::vector<std::vector<std::string>>{{},
                                                           {"list"},
                                                           {"frobnicate", "x.tni"},
                                                           {"list", "diary.txt"},
                                                           {"show", "x.tni"},
                                                           {"show", "x.tni", "1", "2"}}) {
        auto r = run(args);
        EXPECT_EQ(r.status, Cli::kUsage);
        EXPECT_NE(r.err.find("Usage: tavrin-cli"), std::string::npos);
    }
    makeDiary();
    EXPECT_EQ(run({"show", diary, "0"}).status, Cli::kUsage);
    EXPECT_EQ(run({"show", diary, "two"}).status, Cli::kUsage);
    auto r = run({"show", diary, "3"});
    EXPECT_EQ(r.status, Cli::kFailed);
    EXPECT_NE(r.err.find("holds 2 entries"), std::string::npos);
}

TEST_F(CliTest, NewDiaryNeedsPasswordAndFullPair) {
    auto r =
        run({"add", diary}, R"({"password": "ab", "security": [{"question": "q", "answer": "a"}],
                                     "dateTime": "2026-01-01T00:00:00"})");
    EXPECT_EQ(r.status, Cli::kUsage);
    r = run({"add", diary}, R"({"password": "abc", "security": [{"question": "q", "answer": ""}],
                                "dateTime": "2026-01-01T00:00:00"})");
    EXPECT_EQ(r.status, Cli::kUsage);
    EXPECT_NE(r.err.find("full pair"), std::string::npos);
    EXPECT_FALSE(fs::exists(diary));
    r = run({"add", diary}, R"({"password": "abc", "security": [{"question": "q", "answer": "a"}],
                                "dateTime": "2026-01-01T00:00:00"})");
    EXPECT_EQ(r.status, Cli::kOk) << r.err;
}

TEST_F(CliTest, InvalidEntryRefusedBeforeAnythingIsWritten) {
    makeDiary();
    auto before = size(diary);
    for (const char* bad :
         {R"([{"dateTime": "2026-02-01T10:00:00"}, {"dateTime": "2026-04-31T10:00:00"}])",
          R"({"dateTime": "2026-02-01T10:00:00", "fibromyalgia": {"indoorHumidity": 101}})",
          R"({"dateTime": "2026-02-01T10:00:00", "mood": 4})",
          R"({"dateTime": "2026-02-01T10:00:00", "description": "123456789012345678901234567890"})",
          R"({"dateTime": "2026-02-01T10:00:00", "painMap": [7]})", R"({"description": "no date"})",
          "not json"}) {
        auto r = run({"add", diary}, bad);
        EXPECT_EQ(r.status, Cli::kUsage) << bad;
    }
    EXPECT_EQ(size(diary), before);
}

TEST_F(CliTest, ShowNamesFieldsWithTheDiaryConfiguration) {
    makeDiary();
    {
        TN tn(0, diary, DiaryFileSet::extensionOffset(diary));
        ASSERT_TRUE(tn.ReadConfiguration());
        tn.config.setScaleName(DiaryConfig::Scale::Dream, "Sleep quality");
        tn.config.setTypeName(1, "Verses");
        ASSERT_TRUE(tn.WriteConfiguration());
    }
    auto r = run({"show", diary, "2"});
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    for (const char* line :
         {"Entry 2 of 2\n", "Description: Second\n", "Mood: Very Good (2)\n",
          "Sleep quality: Neutral (0)\n", "Fatigue: Normal (0)\n", "no name: 0.00  [not shown]\n",
          "Verses:\nPoem \xC3\xA9\n", "Body:\n{\\rtf1 caf\\'e9}\n",
          "Humidity (outdoor / indoor): 100 / 0\n", "Pinning"}) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n---\n" << r.out;
    }
}

TEST_F(CliTest, ExportRoundTripsThroughAdd) {
    makeDiary();
    {
        TN tn(0, diary, DiaryFileSet::extensionOffset(diary));
        tn.reminders.record.setDescription("Dentist");
        tn.reminders.record.setKind(ReminderRecord::Weekly);
        ASSERT_TRUE(tn.reminders.Add());
        tn.recipes.record.setName("Soup");
        tn.recipes.record.setLineCount(1);
        IngredientLineRecord line;
        line.setName("Leek");
        line.setWeight(250);
        tn.recipes.record.setLine(0, line);
        ASSERT_TRUE(tn.recipes.Add());
    }
    auto r = run({"export", diary});
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    auto j = Json::parse(r.out);
    ASSERT_EQ(j["entries"].size(), 2u);
    EXPECT_EQ(j["entries"][0]["real1"], 36.6);
    EXPECT_EQ(j["entries"][1]["types"][1], "Poem \xC3\xA9");
    EXPECT_EQ(j["reminders"][0]["description"], "Dentist");
    EXPECT_EQ(j["recipes"][0]["lines"][0]["name"], "Leek");
    EXPECT_EQ(j["configuration"]["typeNames"][0], "Finance");

    // The exported entries, added to a second diary, export again identically.
    std::string copy = (dir / "Copy.tni").string();
    Json entries = j["entries"];
    for (auto& e : entries)
        e.erase("position");
    entries[0]["password"] = "secret";
    entries[0]["security"] = {{{"question", "Pet?"}, {"answer", "Rex"}}};
    ASSERT_EQ(run({"add", copy}, entries.dump()).status, Cli::kOk);
    auto again = Json::parse(run({"export", copy}).out);
    EXPECT_EQ(again["entries"], j["entries"]);
}

TEST_F(CliTest, CheckFindsDamage) {
    makeDiary();
    auto r = run({"check", diary});
    EXPECT_EQ(r.status, Cli::kOk) << r.out;
    EXPECT_EQ(r.out, "No problems found.\n");

    // Point the second entry's body far past the end of the data file, add a stray byte to the
    // reminders table and shorten the configuration block.
    {
        std::fstream f(diary, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(420 + 360);
        const char big[4] = {'\xff', '\xff', '\xff', '\x7f'};
        f.write(big, 4);
    }
    DiaryFileSet files(diary);
    std::ofstream(files.path('r'), std::ios::binary) << std::string(69, 'x');
    std::ofstream(files.path('c'), std::ios::binary) << std::string(100, 'x');
    r = run({"check", diary});
    EXPECT_EQ(r.status, Cli::kFailed);
    EXPECT_NE(r.out.find("entry 2: body text at offset 2147483647"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("not a whole number of 68-byte records"), std::string::npos);
    EXPECT_NE(r.out.find("shorter than its 3112-byte block"), std::string::npos);
    // Every field of the reminder of 'x' is wrong: kind, day, both times and the description.
    EXPECT_NE(r.out.find("reminder 1: kind 120 is not daily"), std::string::npos);
    EXPECT_NE(r.out.find("8 problems found."), std::string::npos) << r.out;
}

TEST_F(CliTest, InfoCountsRecords) {
    makeDiary();
    auto r = run({"info", diary}, "", std::nullopt);
    ASSERT_EQ(r.status, Cli::kOk);
    EXPECT_NE(r.out.find("Entries: 2\n"), std::string::npos);
    EXPECT_NE(r.out.find("2 records"), std::string::npos);
    EXPECT_EQ(run({"info", (dir / "Nothing.tni").string()}).status, Cli::kFailed);
    EXPECT_FALSE(fs::exists(dir / "Nothing")); // no directory made for a diary that is not there
}

TEST_F(CliTest, ProgramTakesPasswordFromEnvironment) {
    makeDiary();
    const char* exe = std::getenv("TAVRIN_CLI");
    ASSERT_NE(exe, nullptr);
    std::string base = std::string("TAVRIN_PASSWORD=") + "secret " + exe + " list '" + diary +
                       "' > /dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(base.c_str())), 0);
    std::string wrong =
        std::string("TAVRIN_PASSWORD=") + "nope " + exe + " list '" + diary + "' > /dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(wrong.c_str())), 2);
    std::string none = std::string("env -u TAVRIN_PASSWORD setsid ") + exe + " list '" + diary +
                       "' < /dev/null > /dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(none.c_str())), 1); // no terminal to ask on

    // Unreadable zone data would shift every date silently: it is said.
    const std::string err = (dir / "err").string();
    EXPECT_EQ(WEXITSTATUS(std::system(("TZ=Europe/Nowhere " + base + " 2> '" + err + "'").c_str())),
              0);
    std::ifstream in(err);
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find("Europe/Nowhere"), std::string::npos) << said;
    EXPECT_NE(said.find("taken as UTC"), std::string::npos) << said;
}

// A batch is one operation: when its last entry cannot be stored, none of it is, so that a
// retry does not store the first ones twice.
TEST_F(CliTest, BatchAddIsAllOrNothing) {
    makeDiary();
    const std::string data = DiaryFileSet(diary).path('d');
    const auto indexBefore = size(diary);
    // The data file a few bytes short of its 4 GB limit (sparse): the first new entry fits,
    // the second does not.
    const std::uintmax_t nearlyFull = 0xFFFFFFFFull - 40;
    fs::resize_file(data, nearlyFull);
    auto r = run({"add", diary}, R"([{"dateTime": "2026-02-01T10:00:00", "body": "short"},
                                     {"dateTime": "2026-02-02T10:00:00", "body": ")" +
                                     std::string(100, 'x') + R"("}])");
    EXPECT_EQ(r.status, Cli::kFailed);
    EXPECT_NE(r.err.find("largest possible size"), std::string::npos) << r.err;
    EXPECT_EQ(size(diary), indexBefore);
    EXPECT_EQ(size(data), nearlyFull);
}

TEST_F(CliTest, WritersWaitForTheDiaryLockAndSayWhenRefused) {
    makeDiary();
    const auto indexBefore = size(diary);
    const auto savedWait = DiaryIo::lockWait();
    DiaryIo::setLockWait(std::chrono::milliseconds(0));
    int other = ::open(DiaryFileSet(diary).lockPath().c_str(), O_RDWR);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    const std::vector<std::string> commands[] = {{"add", diary}, {"check", diary, "--repair"}};
    for (const auto& args : commands) {
        auto r = run(args, R"({"dateTime": "2026-02-01T10:00:00"})");
        EXPECT_EQ(r.status, Cli::kFailed) << args[0];
        EXPECT_NE(r.err.find(messages::kDiaryInUse), std::string::npos) << args[0] << ": " << r.err;
    }
    EXPECT_EQ(size(diary), indexBefore);
    ::close(other);
    DiaryIo::setLockWait(savedWait);
    EXPECT_EQ(run({"add", diary}, R"({"dateTime": "2026-02-01T10:00:00"})").status, Cli::kOk);
    EXPECT_EQ(size(diary), indexBefore + EntryRecord::kSize);
}

TEST_F(CliTest, RepairSaysWhatItDid) {
    makeDiary();
    DiaryFileSet files(diary);
    const auto dataBefore = size(files.path('d'));
    std::ofstream(files.path('d'), std::ios::binary | std::ios::app)
        << "texts of an interrupted add";
    std::ofstream(diary + ".tmp-aB3dE5") << "left by a crash";
    auto r = run({"check", diary, "--repair"});
    EXPECT_NE(r.out.find("Removed the temporary file " + diary + ".tmp-aB3dE5.\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Cut 27 bytes that no entry uses from the end of " + files.path('d')),
              std::string::npos)
        << r.out;
    EXPECT_EQ(size(files.path('d')), dataBefore);
    EXPECT_FALSE(fs::exists(diary + ".tmp-aB3dE5"));
    r = run({"check", diary, "--repair"});
    EXPECT_EQ(r.status, Cli::kOk) << r.out << r.err;
    EXPECT_EQ(r.out.rfind("Nothing to repair.\n", 0), 0u) << r.out;
}

// A FIFO in place of a diary file is refused at once, by name, instead of hanging the command.
TEST_F(CliTest, NonRegularFilesAreRefusedWithoutBlocking) {
    makeDiary();
    DiaryFileSet files(diary);
    struct Case {
        std::string replaced;
        std::vector<std::string> args;
    } cases[] = {
        {diary, {"list", diary}},
        {diary, {"export", diary}},
        {diary, {"add", diary}},
        {files.path('d'), {"show", diary, "2"}},
        {files.path('c'), {"show", diary, "2"}},
    };
    for (const auto& c : cases) {
        const bool saved = fs::exists(c.replaced);
        if (saved) fs::rename(c.replaced, c.replaced + ".saved");
        ASSERT_EQ(::mkfifo(c.replaced.c_str(), 0600), 0);
        auto r =
            run(c.args, R"({"password": "secret", "security": [{"question": "q", "answer": "a"}],
                                 "dateTime": "2026-02-01T10:00:00"})");
        fs::remove(c.replaced);
        if (saved) fs::rename(c.replaced + ".saved", c.replaced);
        if (c.replaced == files.path('c')) { // the configuration is optional: defaults stand in
            EXPECT_EQ(r.status, Cli::kOk) << r.err;
            continue;
        }
        EXPECT_NE(r.status, Cli::kOk) << c.args[0];
        EXPECT_NE(r.err.find(c.replaced + " is not a regular file"), std::string::npos)
            << c.args[0] << ": " << r.err;
    }
}

// Two tavrin-cli processes adding to one diary at the same moment: every entry of a writer that
// succeeded is there, and a writer that did not succeed said so and exited non-zero.
TEST_F(CliTest, ConcurrentWritersLoseNothing) {
    const char* exe = std::getenv("TAVRIN_CLI");
    ASSERT_NE(exe, nullptr);
    std::string many = "[";
    for (int i = 0; i < 50; ++i)
        many += std::string(i ? "," : "") +
                R"({"dateTime": "2026-05-01T10:00:00", "description": "many )" + std::to_string(i) +
                R"(", "body": "text"})";
    many += "]";
    std::ofstream(dir / "many.json") << many;
    std::ofstream(dir / "one.json")
        << R"({"dateTime": "2026-04-01T10:00:00", "description": "one"})";
    for (int round = 0; round < 5; ++round) {
        fs::remove_all(dir / "Journal");
        fs::remove(diary);
        makeDiary();
        const std::string d = dir.string();
        const std::string writer =
            std::string("TAVRIN_PASSWORD=secret ") + exe + " add '" + diary + "' < '" + d;
        const std::string script = "(" + writer + "/many.json' > '" + d +
                                   "/many.out' 2>&1; echo $? > '" + d + "/many.status') & (" +
                                   writer + "/one.json' > '" + d + "/one.out' 2>&1; echo $? > '" +
                                   d + "/one.status') & wait";
        ASSERT_EQ(std::system(script.c_str()), 0);
        auto slurp = [&](const char* name) {
            std::ifstream in(dir / name);
            return std::string(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>());
        };
        std::size_t expected = 2;
        for (const auto& [w, n] : {std::pair<std::string, int>{"many", 50}, {"one", 1}}) {
            const int status = std::stoi(slurp((w + ".status").c_str()));
            if (status == 0)
                expected += std::size_t(n);
            else
                EXPECT_NE(slurp((w + ".out").c_str()).find(messages::kDiaryInUse),
                          std::string::npos)
                    << "round " << round << ": " << w
                    << " failed silently: " << slurp((w + ".out").c_str());
        }
        auto r = run({"list", diary});
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        EXPECT_EQ(std::size_t(std::count(r.out.begin(), r.out.end(), '\n')), expected)
            << "round " << round;
    }
}

} // namespace

TEST_F(CliTest, AddReminderChecksEveryObjectBeforeWriting) {
    makeDiary();
    const std::string table = DiaryFileSet(diary).path(DiaryFileSet::kReminders);
    const char* bad[] = {
        R"({"description": "no kind"})",
        R"({"kind": "weekly", "time": "18:15"})",
        R"({"kind": "yearly", "description": "no date"})",
        R"({"kind": "daily", "time": "25:00"})",
        R"({"kind": "monthly", "date": "2027-04-31"})",
        R"({"kind": "daily", "time": "07:00", "descripton": "typo"})",
        R"({"kind": "daily", "time": "07:00", "description": "12345678901234567890123456789012345678901234567890"})",
        R"([{"kind": "daily", "time": "07:00"}, {"kind": 4, "time": "07:00"}])",
    };
    for (const char* json : bad) {
        auto r = run({"add-reminder", diary}, json);
        EXPECT_EQ(r.status, Cli::kUsage) << json;
        EXPECT_NE(r.err.find("reminder "), std::string::npos) << json << r.err;
        EXPECT_FALSE(fs::exists(table)) << json;
    }
}

// A disk that fills up part-way: three reminders (68 bytes each) meet a file size limit that
// only two fit under. Either all three are stored or none, so running it again adds each once.
TEST_F(CliTest, AddReminderStoresAllOrNoneWhenTheWriteFails) {
    makeDiary();
    const std::string table = DiaryFileSet(diary).path(DiaryFileSet::kReminders);
    const std::string three = R"([
      {"kind": "daily", "time": "07:00", "description": "Pills"},
      {"kind": "weekly", "dayOfWeek": "Friday", "time": "18:15", "description": "Choir"},
      {"kind": "yearly", "date": "2027-03-05", "description": "Birthday"}
    ])";
    Result full;
    {
        rlimit old{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN); // EFBIG instead of the signal
        rlimit small = old;
        small.rlim_cur = 150;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        full = run({"add-reminder", diary}, three);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
    }
    EXPECT_EQ(full.status, Cli::kFailed);
    EXPECT_EQ(size(table), 0u);

    auto again = run({"add-reminder", diary}, three);
    ASSERT_EQ(again.status, Cli::kOk) << again.err;
    EXPECT_EQ(again.out, "Added 3 reminders; the diary holds 3.\n");
}

// Reminders added by the tool, then the due lists and alarms around month, year and leap days.
TEST_F(CliTest, DueListsRemindersInDueOrder) {
    makeDiary();
    auto added = run({"add-reminder", diary}, R"([
      {"kind": "yearly", "date": "2027-01-01", "description": "New year"},
      {"kind": "monthly", "date": "2027-01-31", "description": "Rent"},
      {"kind": "weekly", "dayOfWeek": "Friday", "time": "18:15", "description": "Choir"},
      {"kind": "Daily", "time": "07:00", "description": "Pills"},
      {"kind": 0, "date": "2028-02-29T09:00", "description": ""}
    ])");
    ASSERT_EQ(added.status, Cli::kOk) << added.err;
    EXPECT_EQ(added.out, "Added 5 reminders; the diary holds 5.\n");

    const std::string pills = "Pills\tDaily\teveryday at 07:00\n";
    const std::string rent = "Rent\tMonthly\ton the 31 day of every month\n";
    const std::string choir = "Choir\tWeekly\tevery Friday at 18:15\n";
    const std::string newYear = "New year\tYearly\tevery year on the 01 of January\n";
    const std::string leap = "n/a\tYearly\tevery year on the 29 of February\n";
    struct Case {
        std::vector<std::string> options;
        std::string out;
    };
    const Case cases[] = {
        {{"--date", "2026-12-31", "--days", "1"}, pills + rent + choir + newYear},
        {{"--date", "2027-02-28", "--days", "3", "--time", "07:00"}, pills + "alarm yes\n"},
        {{"--date", "2028-02-28", "--days", "1", "--time", "18:15"}, pills + leap + "alarm no\n"},
        {{"--date", "2027-03-04", "--days", "1", "--time", "18:15"}, pills + choir + "alarm yes\n"},
        {{"--date", "2027-03-04", "--time", "18:15"}, pills + "alarm no\n"},
        {{"--date", "2027-04-30", "--days", "1"}, pills + choir}, // no 31 April: no rent
        {{"--days", "30", "--date", "2027-03-01"}, pills + choir + rent},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"due", diary};
        args.insert(args.end(), c.options.begin(), c.options.end());
        auto r = run(args);
        EXPECT_EQ(r.status, Cli::kOk) << r.err;
        EXPECT_EQ(r.out, c.out) << c.options[1];
    }
    for (auto options :
         std::vector<std::vector<std::string>>{{"--days"},
                                               {"--days", "x"},
                                               {"--days", "356"},
                                               {"--time", "7:00"},
                                               {"--date", "2027-02-30"},
                                               {"--date", "2027-01-01", "--date", "2027-01-02"},
                                               {"--week", "1"}}) {
        options.insert(options.begin(), {"due", diary});
        EXPECT_EQ(run(options).status, Cli::kUsage) << options[2];
    }
    EXPECT_EQ(run({"due", diary}, "", std::string("wrong")).status, Cli::kWrongPassword);

    // What export writes of them is read back as the same records.
    auto exported = run({"export", diary});
    ASSERT_EQ(exported.status, Cli::kOk);
    const std::string again = Json::parse(exported.out)["reminders"].dump();
    auto back = run({"add-reminder", diary}, again);
    ASSERT_EQ(back.status, Cli::kOk) << back.err;
    std::vector<ReminderRecord> all;
    TN tn(0, diary, DiaryFileSet::extensionOffset(diary));
    ASSERT_TRUE(tn.reminders.ReadAll(all));
    ASSERT_EQ(all.size(), 10u);
    for (std::size_t i = 0; i < all.size(); i += 2)
        EXPECT_EQ(all[i].bytes, all[i + 1].bytes) << i;
}

TEST_F(CliTest, OrganiserAddsRefuseAnyBadObjectBeforeWriting) {
    makeDiary();
    const std::string planner = DiaryFileSet(diary).path('p'),
                      contacts = DiaryFileSet(diary).path('a');
    struct Bad {
        const char* command;
        const char* json;
        const char* says;
    };
    for (
        const Bad& b : std::vector<Bad>{
            {"add-planner", R"([{"date": "2026-02-01"}, {"date": "2026-02-30"}])",
             "planner item 2: \"date\""},
            {"add-planner", R"({"date": "2026-02-01", "days": 29})",
             "\"days\" is a whole number from 1 to 28"},
            {"add-planner", R"({"date": "2026-02-01", "priority": "Urgent"})", "\"priority\""},
            {"add-planner",
             R"({"date": "2026-02-01", "description": "12345678901234567890123456789012345678901234567890"})",
             "at most 49"},
            {"add-planner", R"({"date": "2026-02-01", "descripton": "typo"})",
             "unknown field \"descripton\""},
            {"add-contact", R"([{"name": "Ann"}, {"name": "12345678901234567890123456789012345"}])",
             "contact 2: \"name\" holds at most 34 characters"},
            {"add-contact", R"({"name": "Ann", "email": 5})", "\"email\" is a text"},
            {"add-contact", R"({"nickname": "Al"})", "unknown field \"nickname\""},
            {"add-contact", "[]", "no contact to add"},
        }) {
        auto r = run({b.command, diary}, b.json);
        EXPECT_EQ(r.status, Cli::kUsage) << b.json;
        EXPECT_NE(r.err.find(b.says), std::string::npos) << r.err;
    }
    EXPECT_EQ(size(planner), 0u);
    EXPECT_EQ(size(contacts), 0u);
    EXPECT_EQ(run({"add-contact", diary}, R"({"name": "Ann"})", std::string("wrong")).status,
              Cli::kWrongPassword);
    EXPECT_EQ(size(contacts), 0u);
}

TEST_F(CliTest, OrganiserAddsWriteWhatThePagesWrite) {
    makeDiary();
    auto r = run({"add-planner", diary}, R"([
        {"date": "2026-01-30", "days": 3, "description": "Stretch", "priority": "Important"},
        {"date": "2026-02-05T18:30", "description": "Caf\u00e9", "done": true}])");
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "Added 4 planner items; the planner holds 4.\n");
    r = run(
        {"add-contact", diary},
        R"([{"name": "Carol"}, {"name": "alice", "address": "1 Lane\nYork"}, {"name": "Bob"}])");
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "Added 3 contacts; the address book holds 3.\n");

    auto j = Json::parse(run({"export", diary}).out);
    std::vector<std::string> items;
    for (const auto& p : j["planner"])
        items.push_back(p["date"].get<std::string>() + " " + p["description"].get<std::string>() +
                        " " + std::to_string(p["priority"].get<int>()) +
                        std::to_string(p["done"].get<int>()));
    // One item per day at the start of the day, across the month end.
    EXPECT_EQ(items, (std::vector<std::string>{
                         "2026-01-30T00:00:00 Stretch 10", "2026-01-31T00:00:00 Stretch 10",
                         "2026-02-01T00:00:00 Stretch 10", "2026-02-05T00:00:00 Caf\xC3\xA9 01"}));
    std::vector<std::string> names;
    for (const auto& c : j["contacts"])
        names.push_back(c["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"alice", "Bob", "Carol"}));
    EXPECT_EQ(j["contacts"][0]["address"], "1 Lane\r\nYork");

    // What export writes, add reads: the same items and contacts again.
    ASSERT_EQ(run({"add-planner", diary}, j["planner"].dump()).status, Cli::kOk);
    ASSERT_EQ(run({"add-contact", diary}, j["contacts"].dump()).status, Cli::kOk);
    auto again = Json::parse(run({"export", diary}).out);
    ASSERT_EQ(again["planner"].size(), 8u);
    EXPECT_EQ(again["planner"][7], j["planner"][3]);
    EXPECT_EQ(again["contacts"][1], j["contacts"][0]); // alice, alice, Bob, ...
}
