// Local calendar fields and stored seconds, in a zone with daylight saving time.

#include "storage/LocalTime.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace tavrin::test {
namespace {

struct LocalTimeBerlin : ::testing::Test {
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        saved_ = tz ? tz : "";
        had_ = tz != nullptr;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    void TearDown() override {
        if (had_)
            setenv("TZ", saved_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    static std::int64_t at(int y, int mo, int d, int h, int mi = 0, int s = 0) {
        return LocalTime::toTime({y, mo, d, h, mi, s});
    }

private:
    std::string saved_;
    bool had_ = false;
};

// Unreadable zone data makes the C library use UTC without a word; that must be said.
TEST_F(LocalTimeBerlin, UnreadableZoneDataIsReported) {
    const struct {
        const char* tz;
        bool problem;
    } cases[] = {{"Europe/Berlin", false},
                 {":Europe/Berlin", false},
                 {"CET-1CEST,M3.5.0,M10.5.0/3", false},
                 {"UTC", false},
                 {"", false},
                 {"<+03>-3", false},
                 {"Europe/Nowhere", true},
                 {":/nonexistent/zone", true},
                 {"../../etc/hostname", true}};
    for (const auto& c : cases) {
        setenv("TZ", c.tz, 1);
        const std::string p = LocalTime::zoneProblem();
        EXPECT_EQ(!p.empty(), c.problem) << c.tz << ": " << p;
        if (c.problem) {
            EXPECT_NE(p.find("taken as UTC"), std::string::npos) << p;
        }
    }
}

} // namespace

TEST_F(LocalTimeBerlin, SecondsAreUtcAndCrossDaylightSavingChanges) {
    EXPECT_EQ(at(2024, 1, 15, 12), 1705316400); // 11:00 UTC in winter
    EXPECT_EQ(at(2024, 7, 1, 12), 1719828000);  // 10:00 UTC in summer
    EXPECT_EQ(at(2024, 3, 31, 3) - at(2024, 3, 31, 1), 3600) << "clocks go forward";
    EXPECT_EQ(at(2024, 10, 27, 4) - at(2024, 10, 27, 1), 4 * 3600) << "clocks go back";
    EXPECT_EQ(at(1969, 12, 31, 12), -46800) << "before 1970 the seconds are negative";

    // Every existing local hour of both change days maps to seconds and back.
    for (int month : {3, 10}) {
        int day = month == 3 ? 31 : 27;
        for (int h = 0; h < 24; ++h) {
            if (month == 3 && h == 2) continue; // 02:00 to 02:59 do not exist that day
            const std::int64_t t = at(2024, month, day, h, 30, 15);
            const LocalDateTime back = LocalTime::fromTime(t);
            EXPECT_EQ(back.year * 1000000 + back.month * 10000 + back.day * 100 + back.hour,
                      2024000000 + month * 10000 + day * 100 + h);
            EXPECT_EQ(back.minute * 100 + back.second, 3015);
            EXPECT_EQ(back.weekday, 0) << "both were Sundays";
        }
    }
    // And every second-count of those days maps to fields and back, except the hour that
    // occurs twice when the clocks go back.
    for (std::int64_t t = at(2024, 3, 30, 12); t < at(2024, 4, 1, 12); t += 1800)
        EXPECT_EQ(LocalTime::toTime(LocalTime::fromTime(t)), t) << LocalTime::iso(t);
    for (std::int64_t t = at(2024, 10, 26, 12); t < at(2024, 10, 28, 12); t += 1800) {
        if (LocalTime::fromTime(t).hour == 2) continue;
        EXPECT_EQ(LocalTime::toTime(LocalTime::fromTime(t)), t) << LocalTime::iso(t);
    }
}

TEST_F(LocalTimeBerlin, ParseIsoAcceptsRealDatesOnly) {
    std::int64_t t = 0;
    ASSERT_TRUE(LocalTime::parseIso("2024-07-01T12:00:00", t));
    EXPECT_EQ(t, 1719828000);
    EXPECT_EQ(LocalTime::iso(t), "2024-07-01T12:00:00");
    ASSERT_TRUE(LocalTime::parseIso("2024-02-29", t));
    EXPECT_EQ(LocalTime::iso(t), "2024-02-29T00:00:00");
    ASSERT_TRUE(LocalTime::parseIso("2024-10-27 03:15", t));
    EXPECT_EQ(LocalTime::iso(t), "2024-10-27T03:15:00");
    for (const char* bad :
         {"2024-04-31", "2023-02-29", "2024-13-01", "2024-00-10", "2024-01-01T24:00",
          "2024-01-01T10:60", "yesterday", "", "2024-01-01T10:00:00Z", "2024-01-01junk"})
        EXPECT_FALSE(LocalTime::parseIso(bad, t)) << bad;
}

} // namespace tavrin::test
