// tavrin-cli correlate, export-csv and report: their arguments, and a planted relation printed
// as the tab-separated line.

#include "CliFixture.h"

#include <algorithm>
#include <fstream>

namespace tavrin::cli::test {
namespace {

class HealthCommandsTest : public CliFixture {
protected:
    // Twenty days: outdoor humidity jumps about; the next morning's pain follows it.
    void makeDays() {
        std::string json = "[";
        int previous = -1;
        unsigned seed = 7;
        for (int d = 1; d <= 20; ++d) {
            seed = seed * 1103515245u + 12345u;
            const int humidity = int((seed >> 16) % 100);
            char date[32];
            std::snprintf(date, sizeof date, "2026-09-%02dT09:00", d);
            json += std::string(d > 1 ? "," : "") + R"({"dateTime": ")" + date + "\", " +
                    (d == 1 ? newDiary() : "") + R"("fibromyalgia": {"outdoorHumidity": )" +
                    std::to_string(humidity) + R"(, "painMorning": )" +
                    std::to_string(previous < 0 ? -1 : previous / 10) + R"(, "sleep": 3}})";
            previous = humidity;
        }
        ASSERT_EQ(run({"add", diary}, json + "]").status, Cli::kOk);
    }
};

TEST_F(HealthCommandsTest, ArgumentsAreChecked) {
    makeDays();
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"correlate", diary, "--from"}, Cli::kUsage},
        {{"correlate", diary, "--from", "2026-13-01"}, Cli::kUsage},
        {{"correlate", diary, "--until", "2026-09-01"}, Cli::kUsage},
        {{"correlate", "Journal.txt"}, Cli::kUsage},
        {{"export-csv", diary}, Cli::kUsage},
        {{"report", diary}, Cli::kUsage},
        {{"correlate", (dir / "None.tni").string()}, Cli::kFailed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run(c.args).status, c.status) << c.args[1] << ' ' << c.args.size();
}

TEST_F(HealthCommandsTest, CorrelateFindsThePlantedLag) {
    makeDays();
    const Result all = run({"correlate", diary});
    ASSERT_EQ(all.status, Cli::kOk) << all.err;
    // Humidity on 19 days against the next morning's pain (its tenth, so with ties): the
    // strongest line.
    EXPECT_EQ(all.out.substr(0, all.out.find('\n')), "Outdoor humidity\tMorning pain\t1\t0.98\t19");
    // How many were tested, and how many of them hold (one a line on standard output).
    const auto held = std::count(all.out.begin(), all.out.end(), '\n');
    EXPECT_NE(all.err.find(" pairs of a factor and an outcome were tested; " +
                           std::to_string(held) + " hold"),
              std::string::npos)
        << all.err;
    // Cut to ten days, no factor and outcome share 14.
    const Result some = run({"correlate", diary, "--from", "2026-09-11"});
    EXPECT_EQ(some.status, Cli::kOk);
    EXPECT_EQ(some.out, "");
    EXPECT_NE(some.err.find("share 14 days"), std::string::npos);
}

} // namespace
} // namespace tavrin::cli::test
