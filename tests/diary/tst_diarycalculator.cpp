// The diary calculator's sums over a range of days, without a display.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "diary/CTavrinDlgDiaryCalculator.h"
#include "diary/logic/DiaryCalculator.h"
#include "platform/MessageBox.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

#include <vector>

using namespace tavrin;
using namespace tavrin::diary;
using M = DiaryConfig::Measure;

Q_DECLARE_METATYPE(std::vector<EntryRecord>)

namespace {

EntryRecord entry(int day, int hour, int minute, float weight, int distance, int time) {
    EntryRecord e;
    e.clear();
    e.setDateTime(LocalTime::toTime({2026, 3, day, hour, minute, 0}));
    e.setReal1(weight);
    e.setInt1(distance);
    e.setInt2(time);
    return e;
}

} // namespace

class TestDiaryCalculator : public QObject {
    Q_OBJECT
private slots:
    void results_data() {
        QTest::addColumn<std::vector<EntryRecord>>("entries");
        QTest::addColumn<int>("sum");     // Measure
        QTest::addColumn<int>("divisor"); // Measure, or -1 for the number of entries
        QTest::addColumn<int>("fromDay");
        QTest::addColumn<int>("toDay");
        QTest::addColumn<QString>("text");

        const std::vector<EntryRecord> weights = {
            entry(1, 8, 0, 70, 0, 0), entry(2, 8, 0, 71, 0, 0), entry(3, 8, 0, 72, 0, 0)};
        QTest::newRow("average of three")
            << weights << int(M::Real1) << -1 << 1 << 3 << "213.00 / 3 = 71.00";
        // 29 March 2026 is 23 hours long in Berlin: midnight and the last minute both count.
        const std::vector<EntryRecord> oneDay = {
            entry(28, 23, 59, 100, 0, 0), entry(29, 0, 0, 1, 0, 0), entry(29, 12, 0, 2, 0, 0),
            entry(29, 23, 59, 3, 0, 0), entry(30, 0, 0, 100, 0, 0)};
        QTest::newRow("one day, whatever the time")
            << oneDay << int(M::Real1) << -1 << 29 << 29 << "6.00 / 3 = 2.00";
        const std::vector<EntryRecord> runs = {entry(1, 7, 0, 0, 10, 50), entry(2, 7, 0, 0, 5, 30),
                                               entry(9, 7, 0, 0, 99, 1)};
        QTest::newRow("distance per time")
            << runs << int(M::Int1) << int(M::Int2) << 1 << 8 << "15.00 / 80.00 = 0.19";
        QTest::newRow("no entries in the range")
            << weights << int(M::Real1) << -1 << 10 << 20 << DiaryCalculator::kNoData;
        QTest::newRow("divisor summing to zero")
            << weights << int(M::Real1) << int(M::Int2) << 1 << 3 << DiaryCalculator::kNoData;
    }
    void results() {
        QFETCH(std::vector<EntryRecord>, entries);
        QFETCH(int, sum);
        QFETCH(int, divisor);
        QFETCH(int, fromDay);
        QFETCH(int, toDay);
        QFETCH(QString, text);
        const M by = M(divisor);
        const auto r = DiaryCalculator::compute(entries, M(sum), divisor < 0 ? nullptr : &by,
                                                {2026, 3, fromDay}, {2026, 3, toDay});
        QCOMPARE(QString::fromStdString(r.text()), text);
    }

    // The window's messages: it does not open without entries or a numeric parameter, and
    // a wrong date order is said while the window stays.
    void windowMessages_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("measures");
        QTest::addColumn<QString>("message");
        QTest::newRow("no entries") << 0 << true << CTavrinDlgDiaryCalculator::kNoEntries;
        QTest::newRow("no numeric parameter")
            << 2 << false << CTavrinDlgDiaryCalculator::kNoParameter;
        QTest::newRow("dates the wrong way round")
            << 2 << true << CTavrinDlgDiaryCalculator::kWrongOrder;
    }
    void windowMessages() {
        QFETCH(int, entries);
        QFETCH(bool, measures);
        QFETCH(QString, message);
        const QString path = test::makeDiary(QTest::currentDataTag(), "secret", entries);
        TN tn(0, path.toStdString(), test::extOffsetOf(path));
        tn.config.clear();
        tn.config.applyDefaults();
        for (M m : {M::Real1, M::Real2, M::Int1, M::Int2})
            tn.config.setMeasureEnabled(m, measures);
        QVERIFY(tn.WriteConfiguration());
        app::DiaryState::instance().choose(path, test::extOffsetOf(path));
        platform::MessageBox::clearRecorded();

        CTavrinDlgDiaryCalculator dlg;
        if (!dlg.ready()) {
            QCOMPARE(platform::MessageBox::recordedTexts(), QStringList{message});
            return;
        }
        QCOMPARE(dlg.resultField()->text(), QString(DiaryCalculator::kNoData));
        dlg.fromEdit()->setDate(dlg.toEdit()->date());
        dlg.toEdit()->setDate(dlg.toEdit()->minimumDate());
        dlg.calculate();
        QCOMPARE(platform::MessageBox::recordedTexts(), QStringList{message});
        QCOMPARE(dlg.resultField()->text(), QString(DiaryCalculator::kNoData));
        dlg.fromEdit()->setDate(dlg.fromEdit()->minimumDate());
        dlg.toEdit()->setDate(dlg.toEdit()->maximumDate());
        dlg.calculate();
        QVERIFY(dlg.resultField()->text().endsWith(" / 2 = 0.00"));
    }

    void onlyShownMeasuresAreOffered() {
        DiaryConfig c;
        c.clear();
        c.applyDefaults();
        for (M m : {M::Real1, M::Real2, M::Int1, M::Int2})
            c.setMeasureEnabled(m, m == M::Real2 || m == M::Int2);
        c.setMeasureName(M::Int2, "Time");
        const auto p = DiaryCalculator::parameters(c);
        QCOMPARE(p.size(), std::size_t(2));
        QVERIFY(p[0].measure == M::Real2);
        QVERIFY(p[1].measure == M::Int2);
        QCOMPARE(QString::fromStdString(p[1].name), QString("Time"));
    }
};

QTEST_MAIN(TestDiaryCalculator)
#include "tst_diarycalculator.moc"
