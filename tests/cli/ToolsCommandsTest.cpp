// tavrin-cli passwd, compact and import-v2: the tools page's windows from the command line.

#include "CliFixture.h"

#include <cstdlib>
#include <fstream>

namespace tavrin::cli::test {
namespace {

class ToolsCommands : public CliFixture {
protected:
    void TearDown() override {
        ::unsetenv("TAVRIN_NEW_PASSWORD");
        ::unsetenv("TAVRIN_OLD_PASSWORD");
        CliFixture::TearDown();
    }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream((dir / name).string(), std::ios::binary) << bytes;
    }
    std::uintmax_t dataSize() {
        return std::filesystem::file_size(dir / "Journal" / "Journal.tnd");
    }
};

TEST_F(ToolsCommands, PasswdThenCompactThenImport) {
    ASSERT_EQ(run({"add", diary}, "[{" + newDiary() + R"("dateTime": "2026-01-05", "body": "one"},
                                      {"dateTime": "2026-01-06", "body": "two"}])")
                  .status,
              Cli::kOk);

    // Without the variable, or with it empty, there is no new password to take.
    for (const bool set : {false, true}) {
        if (set) ::setenv("TAVRIN_NEW_PASSWORD", "", 1);
        auto r = run({"passwd", diary});
        EXPECT_EQ(r.status, Cli::kUsage) << set;
        EXPECT_EQ(r.err, "tavrin-cli: passwd takes the new password from TAVRIN_NEW_PASSWORD\n");
    }
    // Refused one character short of each end, taken at each end (3 and 29 characters).
    const std::string longest(29, 'w');
    for (const std::string& p : {std::string("ab"), longest + "w"}) {
        ::setenv("TAVRIN_NEW_PASSWORD", p.c_str(), 1);
        auto r = run({"passwd", diary});
        EXPECT_EQ(r.status, Cli::kUsage) << p;
        EXPECT_EQ(r.err, p.size() < 3 ? "You must enter at least 3 characters!\n"
                                      : "tavrin-cli: a password has at most 29 characters\n");
    }
    const auto before = dataSize();
    ::setenv("TAVRIN_NEW_PASSWORD", longest.c_str(), 1);
    auto r = run({"passwd", diary});
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    ::setenv("TAVRIN_NEW_PASSWORD", "new", 1);
    r = run({"passwd", diary}, "", longest);
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "The password has been changed successfully!\n");
    EXPECT_EQ(run({"list", diary}).status, Cli::kWrongPassword);
    EXPECT_GT(dataSize(), before); // the old texts stay behind until compaction

    r = run({"compact", diary}, "", std::string("new"));
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(dataSize(), 6u);
    EXPECT_NE(r.out.find(" Number of entries: 2\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" Saved: 0KB (12 bytes) (67.0%)\n"), std::string::npos) << r.out;

    // A version 2 diary of one entry, password "old" (scrambled with 0x3B), text key 'o'+'l'+'d'.
    std::string rec(72, '\0');
    rec[0] = 3;
    rec.replace(4, 3, std::string{char('o' ^ 0x3B), char('l' ^ 0x3B), char('d' ^ 0x3B)});
    rec[38] = 4; // a mood the scale does not have
    rec[68] = 3; // text length
    const char key = char(('o' + 'l' + 'd') & 0xFF);
    write("Old.itn", rec);
    write("Old.dtn", std::string{char('h' ^ key), char('e' ^ key), char('y' ^ key)});
    write("Old.rtn", "");
    write("Old.ptn", "");
    ::setenv("TAVRIN_OLD_PASSWORD", "Old", 1);
    r = run({"import-v2", diary, (dir / "Old.itn").string()}, "", std::string("new"));
    EXPECT_EQ(r.status, Cli::kWrongPassword);
    ::setenv("TAVRIN_OLD_PASSWORD", "old", 1);
    r = run({"import-v2", diary, (dir / "Old.itn").string()}, "", std::string("new"));
    ASSERT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "Converting diary entries...\nConverting reminder entries...\n"
                     "Converting planner entries...\n"
                     "Successfully converted 1 entries, 0 reminders, 0 planners! 1 mood or "
                     "scale value outside its scale was stored as not set.\n");
    r = run({"show", diary, "1"}, "", std::string("new"));
    EXPECT_NE(r.out.find("hey"), std::string::npos) << r.out;
}

// A diary whose entry texts cannot be read is no diary without entries: compact fails, says
// why and changes nothing.
TEST_F(ToolsCommands, CompactFailsWhenTheEntriesCannotBeRead) {
    ASSERT_EQ(run({"add", diary}, "{" + newDiary() + R"("dateTime": "2026-01-05", "body": "one"})")
                  .status,
              Cli::kOk);
    const auto data = dir / "Journal" / "Journal.tnd";
    std::filesystem::remove(data);
    std::filesystem::create_directory(data); // opening it for reading fails
    const auto index = std::filesystem::file_size(diary);
    auto r = run({"compact", diary});
    EXPECT_EQ(r.status, Cli::kFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(data.string()), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing was compacted"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_directory(data));
    EXPECT_EQ(std::filesystem::file_size(diary), index);
}

} // namespace
} // namespace tavrin::cli::test
