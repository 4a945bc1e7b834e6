// The planner's view of its working copy, without a display: status lines with their
// percentages, the items of a run of days (also across a month end) and the busy days of a
// month.

#include "organiser/PlannerStatistics.h"
#include "organiser/logic/PlannerItems.h"

#include <QTest>

#include <ctime>

using namespace tavrin;
using namespace tavrin::organiser;

namespace {

struct Item {
    QDate day;
    bool done;
    const char* description = "";
    bool deleted = false;
};

std::vector<PlannerRecord> table(const QList<Item>& items) {
    std::vector<PlannerRecord> out;
    for (const Item& i : items) {
        auto r = PlannerItems::forDays({i.day.year(), i.day.month(), i.day.day()}, 1, i.description,
                                       PlannerItems::kNormal, i.done);
        if (i.deleted) r[0].mark();
        out.push_back(r[0]);
    }
    return out;
}

const QDate kMay10(2026, 5, 10);

} // namespace

class TestPlannerStatistics : public QObject {
    Q_OBJECT
private slots:
    void statusLines_data() {
        QTest::addColumn<QList<Item>>("items");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("total");
        QTest::newRow("empty planner") << QList<Item>{} << kMay10 << kMay10 << "No entries yet!"
                                       << "No entries yet!";
        QTest::newRow("nothing on the selected day")
            << QList<Item>{{kMay10.addDays(1), true}} << kMay10 << kMay10
            << "No entries on the selected day!"
            << "TOTAL: done 1 out of 1 = 100.0 %";
        QTest::newRow("one done of three")
            << QList<Item>{{kMay10, false}, {kMay10, true}, {kMay10, false}} << kMay10 << kMay10
            << "SELECTED: done 1 out of 3 = 33.3 %"
            << "TOTAL: done 1 out of 3 = 33.3 %";
        QTest::newRow("three of three on a run, two of five in all")
            << QList<Item>{{kMay10, true},
                           {kMay10.addDays(2), true},
                           {kMay10.addDays(3), false},
                           {kMay10.addDays(-1), false},
                           {kMay10.addDays(4), false}}
            << kMay10 << kMay10.addDays(2) << "SELECTED: done 2 out of 2 = 100.0 %"
            << "TOTAL: done 2 out of 5 = 40.0 %";
        QTest::newRow("two thirds rounds up")
            << QList<Item>{{kMay10, true}, {kMay10, true}, {kMay10, false}} << kMay10 << kMay10
            << "SELECTED: done 2 out of 3 = 66.7 %"
            << "TOTAL: done 2 out of 3 = 66.7 %";
        QTest::newRow("an item marked deleted counts nowhere")
            << QList<Item>{{kMay10, true}, {kMay10, false, "", true}} << kMay10 << kMay10
            << "SELECTED: done 1 out of 1 = 100.0 %"
            << "TOTAL: done 1 out of 1 = 100.0 %";
    }
    void statusLines() {
        QFETCH(QList<Item>, items);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        const PlannerCounts c = PlannerStatistics::count(table(items), first, last);
        QTEST(PlannerStatistics::selectionLine(c), "selection");
        QTEST(PlannerStatistics::totalLine(c), "total");
    }

    void runAcrossMonthEndListsEachDayInTurn() {
        // Table order is not date order: the rows follow the days, then the table.
        const auto t = table({{QDate(2026, 2, 1), false, "Feb 1 a"},
                              {QDate(2026, 1, 30), false, "Jan 30"},
                              {QDate(2026, 2, 2), false, "Feb 2, past the run"},
                              {QDate(2026, 1, 31), true, "Jan 31"},
                              {QDate(2026, 2, 1), false, "Feb 1 b"},
                              {QDate(2025, 1, 31), false, "a year earlier"}});
        const QList<int> rows =
            PlannerStatistics::dayRows(t, QDate(2026, 1, 30), QDate(2026, 2, 1));
        QCOMPARE(rows, QList<int>({1, 3, 0, 4}));
        QCOMPARE(PlannerStatistics::busyDays(t, 2026, 1), QList<int>({30, 31}));
        QCOMPARE(PlannerStatistics::busyDays(t, 2026, 2), QList<int>({1, 2}));
    }

    void itemsStartTheirLocalDayAlsoOnTheDaylightSavingDays() {
        // Berlin: the clocks go forward on 29 March and back on 25 October 2026.
        const auto run = PlannerItems::forDays({2026, 3, 28}, 3, "x", PlannerItems::kNormal);
        QCOMPARE(run.size(), std::size_t(3));
        QCOMPARE(run[0].date(), std::int64_t(1774652400)); // 28 March 00:00 CET
        QCOMPARE(run[1].date() - run[0].date(), std::int64_t(86400));
        QCOMPARE(run[2].date() - run[1].date(), std::int64_t(82800)); // a 23-hour day
        QCOMPARE(PlannerStatistics::dayOf(run[2].date()), QDate(2026, 3, 30));
        QCOMPARE(PlannerStatistics::longDate(run[1].date()), QString("Sunday, 29 March 2026"));
    }

    // The demo's items, written at Berlin midnight, were listed a day early on a UTC machine.
    // An item keeps its day in any zone less than twelve hours from the one it was written in.
    void itemsKeepTheirDayInAnotherZone_data() {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QDate>("day");
        QTest::newRow("east to UTC")
            << QByteArray("Europe/Berlin") << QByteArray("UTC") << QDate(2026, 12, 10);
        QTest::newRow("UTC to east")
            << QByteArray("UTC") << QByteArray("Europe/Berlin") << QDate(2026, 12, 10);
        QTest::newRow("west to east")
            << QByteArray("America/New_York") << QByteArray("Asia/Kolkata") << QDate(2026, 1, 1);
        QTest::newRow("east to west")
            << QByteArray("Asia/Tokyo") << QByteArray("Europe/London") << QDate(2026, 6, 30);
        QTest::newRow("the 23-hour day")
            << QByteArray("Europe/Berlin") << QByteArray("UTC") << QDate(2026, 3, 29);
        QTest::newRow("the day after it")
            << QByteArray("UTC") << QByteArray("Europe/Berlin") << QDate(2026, 3, 30);
        QTest::newRow("the 25-hour day")
            << QByteArray("America/New_York") << QByteArray("UTC") << QDate(2026, 11, 1);
    }
    void itemsKeepTheirDayInAnotherZone() {
        QFETCH(QByteArray, written);
        QFETCH(QByteArray, read);
        QFETCH(QDate, day);
        struct Zone {
            QByteArray before = qgetenv("TZ");
            void set(const QByteArray& z) {
                qputenv("TZ", z);
                tzset();
            }
            ~Zone() { set(before); }
        } zone;
        zone.set(written);
        const auto item = PlannerItems::forDays({day.year(), day.month(), day.day()}, 1, "x",
                                                PlannerItems::kNormal);
        zone.set(read);
        QCOMPARE(PlannerStatistics::dayOf(item[0].date()), day);
        QCOMPARE(PlannerStatistics::dayRows(item, day, day), QList<int>{0});
    }
};

QTEST_GUILESS_MAIN(TestPlannerStatistics)
#include "tst_plannerstatistics.moc"
