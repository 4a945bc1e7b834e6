// The due list and the alarm over calendar edges, in a zone with daylight saving time.
#include "organiser/logic/ReminderSchedule.h"
#include "storage/LocalTime.h"

#include <QTest>

#include <cstdlib>
#include <ctime>
#include <vector>

using namespace tavrin;
using organiser::ReminderSchedule;

namespace {

std::int64_t at(int y, int m, int d, int h = 12, int mi = 0) {
    return LocalTime::toTime({y, m, d, h, mi, 0});
}

// Records as the window makes them: every field filled, the kind deciding what counts.
ReminderRecord yearly(int m, int d) {
    return ReminderSchedule::makeRecord(0, at(2024, m, d), at(2024, 1, 1), 0, "y", true);
}
ReminderRecord monthly(int d) {
    return ReminderSchedule::makeRecord(1, at(2027, 1, d), at(2027, 1, 1), 0, "m", true);
}
ReminderRecord weekly(int dow, int h = 9, int mi = 0) {
    return ReminderSchedule::makeRecord(2, at(2027, 1, 1), at(2027, 1, 10, h, mi), dow, "w", true);
}
ReminderRecord daily(int h = 8, int mi = 0) {
    return ReminderSchedule::makeRecord(3, at(2027, 1, 1), at(2027, 1, 10, h, mi), 0, "d", true);
}

QString show(const std::vector<int>& v) {
    QStringList s;
    for (int i : v)
        s << QString::number(i);
    return "[" + s.join(',') + "]";
}

} // namespace

class TestReminderSchedule : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }

    void dueList() {
        struct Case {
            const char* name;
            std::int64_t now;
            int ahead;
            std::vector<ReminderRecord> table;
            std::vector<int> due;
        };
        const Case cases[] = {
            {"month end",
             at(2027, 1, 31, 9),
             1,
             {monthly(1), monthly(31), monthly(2), yearly(2, 1)},
             {1, 0, 3}},
            {"year end",
             at(2026, 12, 31, 9),
             2,
             {yearly(1, 1), yearly(12, 31), monthly(2), daily()},
             {1, 3, 0, 2}},
            {"29 February, leap year", at(2028, 2, 28, 9), 1, {yearly(2, 29)}, {0}},
            {"29 February, common year", at(2027, 2, 28, 9), 3, {yearly(2, 29)}, {}},
            {"31st skips April", at(2027, 4, 1, 9), 29, {monthly(31)}, {}},
            {"31st in May", at(2027, 4, 1, 9), 60, {monthly(31)}, {0}},
            // Monday 1 March 2027; Friday comes twice within 20 days and is listed once.
            {"weekly once over 20 days",
             at(2027, 3, 1, 9),
             20,
             {weekly(5), daily(), weekly(1)},
             {1, 2, 0}},
            {"daily only today", at(2027, 3, 1, 9), 6, {weekly(3), daily()}, {1, 0}},
            {"nothing ahead without look-ahead",
             at(2027, 3, 1, 9),
             0,
             {weekly(2), monthly(2), daily()},
             {2}},
            // Late on the Saturday before summer time and early on the day winter time returns:
            // a day is not 86400 seconds there.
            {"into summer time",
             at(2027, 3, 27, 23, 30),
             1,
             {monthly(29), weekly(0), monthly(28)},
             {1, 2}},
            {"into winter time", at(2027, 10, 31, 0, 30), 1, {yearly(11, 1), monthly(31)}, {1, 0}},
            {"deleted mark never due",
             at(2027, 3, 1, 9),
             0,
             {[] {
                 auto r = daily();
                 r.mark();
                 return r;
             }()},
             {}},
        };
        for (const Case& c : cases) {
            const auto got = ReminderSchedule::due(c.table, c.now, c.ahead);
            QVERIFY2(
                got == c.due,
                qPrintable(QString("%1: %2, expected %3").arg(c.name, show(got), show(c.due))));
        }
    }

    void alarm() {
        struct Case {
            const char* name;
            std::int64_t now;
            int ahead;
            std::vector<ReminderRecord> table;
            std::vector<int> rings;
        };
        // Thursday 4 March 2027.
        const Case cases[] = {
            {"Friday's weekly rings on Thursday when due in the window",
             at(2027, 3, 4, 18, 15),
             1,
             {weekly(5, 18, 15)},
             {0}},
            {"not outside the window", at(2027, 3, 4, 18, 15), 0, {weekly(5, 18, 15)}, {}},
            {"only at its minute", at(2027, 3, 4, 18, 16), 1, {weekly(5, 18, 15)}, {}},
            {"daily at its local time in summer", at(2027, 7, 1, 7, 5), 0, {daily(7, 5)}, {0}},
            {"yearly and monthly never ring",
             at(2027, 3, 4, 12, 0),
             0,
             {yearly(3, 4), monthly(4)},
             {}},
            {"in due order",
             at(2027, 3, 4, 18, 15),
             7,
             {daily(18, 15), weekly(1, 18, 15), weekly(4, 18, 15)},
             {0, 2, 1}},
        };
        for (const Case& c : cases) {
            const auto due = ReminderSchedule::due(c.table, c.now, c.ahead);
            const auto got = ReminderSchedule::ringing(c.table, due, c.now);
            QVERIFY2(
                got == c.rings,
                qPrintable(QString("%1: %2, expected %3").arg(c.name, show(got), show(c.rings))));
        }
    }

    void occurrenceTexts() {
        struct Case {
            ReminderRecord r;
            const char* text;
        };
        auto deleted = weekly(5);
        deleted.mark();
        const Case cases[] = {
            {yearly(3, 5), "every year on the 05 of March"},
            {yearly(12, 31), "every year on the 31 of December"},
            {monthly(5), "on the 05 day of every month"},
            {weekly(5, 9, 30), "every Friday at 09:30"},
            {weekly(0, 0, 0), "every Sunday at 00:00"},
            {daily(7, 5), "everyday at 07:05"},
            {deleted, ""},
        };
        for (const Case& c : cases)
            QCOMPARE(QString::fromStdString(ReminderSchedule::occurrence(c.r)), QString(c.text));
    }
};

QTEST_GUILESS_MAIN(TestReminderSchedule)
#include "tst_reminderschedule.moc"
