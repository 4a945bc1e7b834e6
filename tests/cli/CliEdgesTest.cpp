// tavrin-cli's add at its edges: deeply nested input, the new diary's password counted in stored
// characters, every shape named, a diary named only by its extension, a FIFO in place of the
// configuration.

#include "CliFixture.h"
#include "storage/DiaryFileSet.h"

#include <sys/stat.h>

using namespace tavrin;
using namespace tavrin::cli;

namespace {

using CliEdges = tavrin::cli::test::CliFixture;

TEST_F(CliEdges, DeeplyNestedInputIsRefusedNotCrashedOn) {
    const std::string deep = std::string(50000, '[') + std::string(50000, ']');
    for (const std::string& input : {deep, "[{" + newDiary() + R"("dateTime": "2026-01-01",
                                               "body": )" +
                                               deep + "}]"}) {
        auto r = run({"add", diary}, input);
        EXPECT_EQ(r.status, Cli::kUsage);
        EXPECT_EQ(r.err, "tavrin-cli: standard input is nested deeper than 64 levels\n");
    }
    EXPECT_FALSE(std::filesystem::exists(diary));
    // The organiser's adds read their objects with the same limit.
    ASSERT_EQ(run({"add", diary}, "{" + newDiary() + R"("dateTime": "2026-01-01"})").status,
              Cli::kOk);
    for (const char* command : {"add-reminder", "add-planner", "add-contact"}) {
        auto r = run({command, diary}, deep);
        EXPECT_EQ(r.status, Cli::kUsage) << command;
        EXPECT_EQ(r.err, "tavrin-cli: standard input is nested deeper than 64 levels\n") << command;
    }
}

TEST_F(CliEdges, NewDiaryPasswordLengthIsCountedInStoredCharacters) {
    const std::string e29 = [] {
        std::string s;
        for (int i = 0; i < 29; ++i)
            s += "\xC3\xA9"; // é: two UTF-8 bytes, one stored
        return s;
    }();
    const std::pair<std::string, bool> cases[] = {
        {"ab", false},
        {"abc", true},
        {std::string(29, 'p'), true},
        {std::string(30, 'p'), false},
        {e29, true},
        {e29 + "x", false},
    };
    for (const auto& [password, ok] : cases) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        auto r = run({"add", diary}, "{" + newDiary(password) + R"("dateTime": "2026-01-01"})");
        EXPECT_EQ(r.status, ok ? Cli::kOk : Cli::kUsage) << password << r.err;
        if (ok) {
            EXPECT_EQ(run({"list", diary}, "", password).status, Cli::kOk) << password;
        } else {
            EXPECT_NE(r.err.find("3 to 29 characters"), std::string::npos);
        }
    }
}

TEST_F(CliEdges, ShowNamesEveryShape) {
    std::string input = "[";
    for (int shape = -3; shape <= 0; ++shape)
        input += std::string(shape == -3 ? "{" + newDiary() : ",{") + R"("dateTime": "2026-01-0)" +
                 std::to_string(shape + 4) + R"(", "shape": )" + std::to_string(shape) + "}";
    ASSERT_EQ(run({"add", diary}, input + "]").status, Cli::kOk);
    const char* names[] = {"Shape: Very Sick (-3)\n", "Shape: Sick (-2)\n",
                           "Shape: Not Well (-1)\n", "Shape: Healthy (0)\n"};
    for (int n = 1; n <= 4; ++n) {
        auto r = run({"show", diary, std::to_string(n)});
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        EXPECT_NE(r.out.find(names[n - 1]), std::string::npos) << r.out;
    }
}

TEST_F(CliEdges, DiaryNamedOnlyByItsExtension) {
    // A bare ".tni" names no diary; in a folder it is a diary whose name is ".tni" itself,
    // kept in ".tni.diary" beside it rather than in the folder that holds it.
    EXPECT_EQ(run({"list", ".tni"}).status, Cli::kUsage);
    const std::string hidden = (dir / ".tni").string();
    ASSERT_EQ(run({"add", hidden}, "{" + newDiary() + R"("dateTime": "2026-01-01",
                                                         "body": "text"})")
                  .status,
              Cli::kOk);
    auto r = run({"list", hidden});
    EXPECT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(r.out, "1\t2026-01-01T00:00:00\t-\t-----\t\n");
    EXPECT_TRUE(std::filesystem::exists(dir / ".tni.diary" / ".tni.diary.tnd"));
}

TEST_F(CliEdges, ShowAndExportDoNotWaitOnAFifoConfiguration) {
    ASSERT_EQ(
        run({"add", diary}, "{" + newDiary() + R"("dateTime": "2026-01-01", "mood": 3})").status,
        Cli::kOk);
    const std::string config = DiaryFileSet(diary).path(DiaryFileSet::kConfig);
    ASSERT_EQ(::mkfifo(config.c_str(), 0600), 0);
    auto r = run({"show", diary, "1"});
    EXPECT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_NE(r.out.find("Mood: Excellent (3)"), std::string::npos); // the default names
    r = run({"export", diary});
    EXPECT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_EQ(Json::parse(r.out)["configuration"]["typeNames"][0], "Finance");
}

} // namespace
