// "check" on diaries damaged byte by byte and file by file: each damage is reported once,
// naming its record and field, and the values at the ends of their ranges pass.

#include "CliFixture.h"
#include "storage/DiaryFileSet.h"
#include "storage/EntryRecord.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
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
    std::string path(char letter) const { return DiaryFileSet(diary).path(letter); }
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

TEST_F(CheckTest, SecurityPairsMustAgreeAndVoiceNotesLieInTheVoiceFile) {
    makeDiary();
    patch(1, EntryRecord::kPairsStart + 1, "Q"); // the second entry's first question
    auto r = run({"check", diary});
    EXPECT_EQ(r.out, "entry 2: security pair 1 differs from the first entry's\n1 problem found.\n");

    fs::remove_all(dir);
    fs::create_directories(dir);
    makeDiary();
    std::ofstream(path(DiaryFileSet::kVoice), std::ios::binary) << std::string(1000, 'v');
    patch(0, EntryRecord::kVoiceFlag, byte(1));
    patch(0, EntryRecord::kVoiceOffset, u32(900) + u32(100));
    EXPECT_EQ(run({"check", diary}).out, "No problems found.\n");
    patch(0, EntryRecord::kVoiceOffset, u32(901));
    EXPECT_EQ(run({"check", diary}).out,
              "entry 1: voice note lies outside the voice file (1000 bytes)\n1 problem found.\n");
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
