// tavrin-cli driven in-process (and once as a program) on diaries made in a scratch folder.

#include "Cli.h"
#include "DiaryFileSet.h"
#include "EntryJson.h"
#include "ProgramTexts.h"
#include "TN.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace tavrin;
using namespace tavrin::cli;

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
    for (auto args : std::vector<std::vector<std::string>>{
             {}, {"list"}, {"frobnicate", "x.tni"}, {"list", "diary.txt"}, {"show", "x.tni"},
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
    auto r = run({"add", diary}, R"({"password": "ab", "security": [{"question": "q", "answer": "a"}],
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
    for (const char* bad : {
             R"([{"dateTime": "2026-02-01T10:00:00"}, {"dateTime": "2026-04-31T10:00:00"}])",
             R"({"dateTime": "2026-02-01T10:00:00", "fibromyalgia": {"indoorHumidity": 101}})",
             R"({"dateTime": "2026-02-01T10:00:00", "mood": 4})",
             R"({"dateTime": "2026-02-01T10:00:00", "description": "123456789012345678901234567890"})",
             R"({"dateTime": "2026-02-01T10:00:00", "painMap": [7]})",
             R"({"description": "no date"})",
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
    for (const char* line : {"Entry 2 of 2\n", "Description: Second\n", "Mood: Very Good (2)\n",
                             "Sleep quality: Neutral (0)\n", "Fatigue: Normal (0)\n",
                             "no name: 0.00  [not shown]\n", "Verses:\nPoem \xC3\xA9\n",
                             "Body:\n{\\rtf1 caf\\'e9}\n", "Humidity (outdoor / indoor): 100 / 0\n",
                             "Pinning"}) {
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
    for (auto& e : entries) e.erase("position");
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
    EXPECT_NE(r.out.find("reminder 1: kind 120 is not daily"), std::string::npos); // 'x'
    EXPECT_NE(r.out.find("4 problems found."), std::string::npos);
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
    std::string base = std::string("TAVRIN_PASSWORD=") + "secret " + exe + " list '" + diary + "' > /dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(base.c_str())), 0);
    std::string wrong = std::string("TAVRIN_PASSWORD=") + "nope " + exe + " list '" + diary + "' > /dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(wrong.c_str())), 2);
    std::string none = std::string("env -u TAVRIN_PASSWORD setsid ") + exe + " list '" + diary + "' < /dev/null > /dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(none.c_str())), 1); // no terminal to ask on
}

} // namespace
