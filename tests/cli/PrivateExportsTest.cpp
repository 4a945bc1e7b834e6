// Every file of tavrin-cli that holds diary content is created readable by its owner only,
// whatever the umask lets others have: health data must not be world-readable by default.

#include "CliFixture.h"
#include "storage/WaveFile.h"

#include <fstream>

#include <sys/stat.h>

namespace tavrin::cli::test {
namespace {

class PrivateExportsTest : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1); // print fonts: never the user's
        auto r = run({"add", diary}, "[{" + newDiary() + R"("dateTime": "2026-03-01T09:00:00",
                       "description": "First", "body": "Slept badly", "mood": -2},
                      {"dateTime": "2026-03-02T09:00:00", "description": "Second",
                       "body": "Better", "mood": 2}])");
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        ASSERT_EQ(
            run({"add-reminder", diary},
                R"({"kind": "daily", "date": "2026-03-03", "time": "08:00", "description": "Pills"})")
                .status,
            Cli::kOk);
        ASSERT_EQ(run({"add-contact", diary}, R"({"name": "Dr Ann"})").status, Cli::kOk);
    }
};

TEST_F(PrivateExportsTest, EveryExportIsCreatedForItsOwnerOnly) {
    const std::string wave = (dir / "in.wav").string();
    std::ofstream(wave, std::ios::binary)
        << WaveFile::pcm8(std::vector<std::uint8_t>(2205, 0x40), 11025); // 0.2 s
    ASSERT_EQ(run({"attach-voice", diary, "1", wave}).status, Cli::kOk);
    // Each command with the file it writes last.
    const std::vector<std::vector<std::string>> commands = {
        {"export-csv", diary, "entries.csv"},
        {"report", diary, "report.pdf"},
        {"graph", diary, "graph.png"},
        {"print", diary, "entries.pdf"},
        {"voice", diary, "1", "note.wav"},
        {"export-text", diary, "reminders", "reminders.txt"},
        {"export-ics", diary, "reminders", "reminders.ics"},
        {"export-vcard", diary, "contacts.vcf"},
    };
    const mode_t umask = ::umask(022);
    for (std::vector<std::string> args : commands) {
        const std::string file = (dir / args.back()).string();
        args.back() = file;
        SCOPED_TRACE(args[0]);
        const Result r = run(args);
        EXPECT_EQ(r.status, Cli::kOk) << r.err;
        struct stat st {};
        ASSERT_EQ(::lstat(file.c_str(), &st), 0);
        EXPECT_GT(st.st_size, 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
    }
    ::umask(umask);
}

} // namespace
} // namespace tavrin::cli::test
