// tavrin-cli print: the days chosen, and only they, reach the PDF (read back with poppler).

#include "CliFixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace tavrin::cli::test {
namespace {

std::string capture(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

class PrintTest : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        // The printer reads the print fonts from the settings: never the user's own.
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        auto r = run({"add", diary}, "[{" + newDiary() + R"("dateTime": "2026-03-01T09:00:00",
                       "description": "Before", "body": "First day"},
                      {"dateTime": "2026-03-02T00:00:00", "description": "Midnight",
                       "body": "Second day early"},
                      {"dateTime": "2026-03-02T23:59:00", "description": "Late",
                       "body": "Second day late", "painMap": [6,0,0,0,0,0,0,0,0,0,
                       0,0,0,0,0,0,0,0]},
                      {"dateTime": "2026-03-03T09:00:00", "description": "After",
                       "body": "Third day"}])");
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        pdf = (dir / "out.pdf").string();
    }
    std::string pdf;
};

TEST_F(PrintTest, PrintsTheEntriesOfTheDaysGiven) {
    struct Case {
        std::vector<std::string> options;
        int status;
        const char* said;                 // start of standard output
        std::vector<std::string> printed; // descriptions on paper
        std::vector<std::string> left;    // descriptions not on paper
        bool pictures;
    } cases[] = {
        {{"--from", "2026-03-02", "--to", "2026-03-02", "--pain-map"},
         Cli::kOk,
         "Printed 2 entries on 2 pages",
         {"Midnight", "Late", "Pinning"},
         {"Before", "After"},
         true},
        {{"--from", "2026-03-03"},
         Cli::kOk,
         "Printed 1 entry",
         {"After"},
         {"Late", "Pinning"},
         false},
        {{"--from", "2026-03-02T12:00"},
         Cli::kOk,
         "Printed 2 entries",
         {"Late", "After"},
         {"Before", "Midnight"},
         false},
        {{"--to", "2026-02-28"}, Cli::kOk, "No entry to print", {}, {}, false},
        {{"--from", "2026-02-30"}, Cli::kUsage, "", {}, {}, false},
        {{"--pain"}, Cli::kUsage, "", {}, {}, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(pdf);
        std::vector<std::string> args = {"print", diary, pdf};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = run(args);
        SCOPED_TRACE(c.options.front());
        ASSERT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out.rfind(c.said, 0), 0u) << r.out;
        if (c.printed.empty()) {
            EXPECT_FALSE(std::filesystem::exists(pdf));
            continue;
        }
        const std::string text = capture("pdftotext -layout '" + pdf + "' -");
        for (const auto& t : c.printed)
            EXPECT_NE(text.find(t), std::string::npos) << t;
        for (const auto& t : c.left)
            EXPECT_EQ(text.find(t), std::string::npos) << t;
        const std::string images = capture("pdfimages -list '" + pdf + "'");
        EXPECT_EQ(images.find(" image ") != std::string::npos, c.pictures) << images;
    }
}

} // namespace
} // namespace tavrin::cli::test
