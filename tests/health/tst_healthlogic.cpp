// The health numbers without a display: the range summary against a hand computation, Spearman's
// rho on known series, a planted lag found where it is, the heat map's colour and the
// spreadsheet read back by Python's csv module.

#include "HealthTestData.h"
#include "health/logic/Correlations.h"
#include "health/logic/CsvExport.h"
#include "health/logic/PainHeat.h"
#include "health/logic/RangeSummary.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <fstream>

using namespace tavrin;
using namespace tavrin::health;
using test::entry;

namespace {

using Scale = DiaryConfig::Scale;

DiaryConfig moodOnly() {
    DiaryConfig c;
    c.applyDefaults();
    for (Scale s : {Scale::Dream, Scale::Fatigue, Scale::Shape})
        c.setScaleEnabled(s, false);
    return c;
}

} // namespace

class HealthLogicTest : public QObject {
    Q_OBJECT
private slots:
    void summaryEqualsHandComputation();
    void spearman_data();
    void spearman();
    void plantedLagIsFoundAtItsLag();
    void heatMapColourOfThreeDaysInTen();
    void csvReadsBackWithPython();
};

void HealthLogicTest::summaryEqualsHandComputation() {
    // Day 1: two entries, morning pain 4 and 8, sleep 2 once, moods -1 and 1. Day 2: morning
    // pain 9, mood -3. Afternoon pain is never rated.
    std::vector<HealthEntry> entries = {
        entry(9, 1, 8, {{Fibro::PainMorning, 4}, {Fibro::Sleep, 2}}),
        entry(9, 1, 20, {{Fibro::PainMorning, 8}}),
        entry(9, 2, 9, {{Fibro::PainMorning, 9}}),
    };
    entries[0].record.setMood(-1);
    entries[1].record.setMood(1);
    entries[2].record.setMood(-3);
    const RangeSummary s = RangeSummary::of(entries, moodOnly());
    QCOMPARE(s.entries, 3);
    QCOMPARE(s.days, 2);
    // Morning pain: day means 6 and 9 -> 7.5; worst 9. Sleep: one day of 2.
    QCOMPARE(int(s.ratings.size()), 2);
    QCOMPARE(s.ratings[0].name, std::string("Pain morning"));
    QCOMPARE(s.ratings[0].days, 2);
    QCOMPARE(s.ratings[0].meanText(), std::string("7.5"));
    QCOMPARE(s.ratings[0].worstShown(), std::string("9.0"));
    QCOMPARE(s.ratings[1].name, std::string("Sleep"));
    QCOMPARE(s.ratings[1].days, 1);
    QCOMPARE(s.ratings[1].meanText(), std::string("2.0"));
    // Mood: day means 0 and -3 -> -1.5; worst the lowest level.
    QCOMPARE(int(s.scales.size()), 1);
    QCOMPARE(s.scales[0].days, 2);
    QCOMPARE(s.scales[0].meanText(), std::string("-1.5"));
    QCOMPARE(s.scales[0].worstShown(), std::string("-3 (Depressed)"));
}

void HealthLogicTest::spearman_data() {
    QTest::addColumn<QList<double>>("x");
    QTest::addColumn<QList<double>>("y");
    QTest::addColumn<bool>("defined");
    QTest::addColumn<double>("rho");
    QTest::newRow("monotone, not linear")
        << QList<double>{1, 2, 3, 4, 5} << QList<double>{1, 8, 27, 64, 125} << true << 1.0;
    QTest::newRow("reversed") << QList<double>{1, 2, 3, 4} << QList<double>{9, 7, 3, -2} << true
                              << -1.0;
    // Ranks 1, 2.5, 2.5, 4 against 1..4: 4.5 / sqrt(4.5 * 5).
    QTest::newRow("ties") << QList<double>{1, 2, 2, 3} << QList<double>{1, 2, 3, 4} << true
                          << 4.5 / std::sqrt(22.5);
    QTest::newRow("constant") << QList<double>{1, 2, 3, 4} << QList<double>{5, 5, 5, 5} << false
                              << 0.0;
    QTest::newRow("one pair") << QList<double>{1} << QList<double>{2} << false << 0.0;
}

void HealthLogicTest::spearman() {
    QFETCH(QList<double>, x);
    QFETCH(QList<double>, y);
    QFETCH(bool, defined);
    QFETCH(double, rho);
    const auto got = Correlations::spearman({x.begin(), x.end()}, {y.begin(), y.end()});
    QCOMPARE(got.has_value(), defined);
    if (defined) QVERIFY2(std::fabs(*got - rho) < 1e-9, qPrintable(QString::number(*got)));
}

void HealthLogicTest::plantedLagIsFoundAtItsLag() {
    // Forty days: outdoor humidity jumps about at random; the next day's morning pain follows it.
    std::vector<HealthEntry> entries;
    std::uint32_t seed = 12345;
    int previous = -1;
    for (int d = 1; d <= 40; ++d) {
        seed = seed * 1103515245u + 12345u;
        const int humidity = int((seed >> 16) % 100);
        HealthEntry e = entry(d <= 30 ? 9 : 10, d <= 30 ? d : d - 30, 9);
        e.record.setOutdoorHumidity(humidity);
        if (previous >= 0)
            e.record.setFibro(Fibro::PainMorning, std::int8_t(previous / 10));
        else
            e.record.setFibro(Fibro::Sleep, 0); // the page counts as filled in
        previous = humidity;
        entries.push_back(e);
    }
    const std::vector<Measure> factors = {DayValues::factors(moodOnly()).front()};
    QCOMPARE(factors.front().name, std::string("Outdoor humidity"));
    const auto found = Correlations::find(entries, factors, {DayValues::outcomes().front()});
    QCOMPARE(int(found.size()), 3); // lags 0, 1 and 2, each with 38 or 39 pairs
    QCOMPARE(found.front().lag, 1);
    QCOMPARE(found.front().n, 39);
    QVERIFY(found.front().rho > 0.95);
    const QString words = QString::fromStdString(found.front().words);
    QVERIFY2(words.startsWith("On days after high outdoor humidity your morning pain was higher "
                              "(rho 0.9") &&
                 words.endsWith(", 39 days)"),
             qPrintable(words));
    for (const Correlation& c : found)
        if (c.lag != 1)
            QVERIFY2(std::fabs(c.rho) < 0.3, qPrintable(QString::fromStdString(c.words)));
    QCOMPARE(Correlations::line(found.front()).substr(0, 34),
             std::string("Outdoor humidity\tMorning pain\t1\t0."));
}

void HealthLogicTest::heatMapColourOfThreeDaysInTen() {
    // Ten days; the left gluteal (area 4) hurts on three of them, twice on the first.
    std::vector<HealthEntry> entries;
    for (int d = 1; d <= 10; ++d)
        entries.push_back(entry(9, d, 9));
    entries.push_back(entry(9, 1, 21));
    for (std::size_t i : {std::size_t(0), std::size_t(3), std::size_t(6), std::size_t(10)})
        entries[i].record.setPain(3, i == 3 ? 3 : 5);
    const PainHeat heat = PainHeat::of(entries);
    QCOMPARE(heat.days, 10);
    QCOMPARE(heat.areas[3].hurtDays, 3);
    QCOMPARE(heat.areas[3].kinds[5], 3); // aching counted per entry
    QCOMPARE(heat.areas[3].mostKind(), 5);
    // 0.3 lies 0.6 of the way from pale yellow (255,237,160) to orange (240,120,40).
    QCOMPARE(PainHeat::colour(heat.share(3)), (Rgb{246, 167, 88}));
    QCOMPARE(heat.share(0), 0.0);
    QCOMPARE(PainHeat::areaName(3), std::string("Left gluteal"));
}

void HealthLogicTest::csvReadsBackWithPython() {
    DiaryConfig config = moodOnly();
    std::vector<HealthEntry> entries = {entry(9, 1, 8, {{Fibro::PainMorning, 10}}),
                                        entry(9, 2, 21)};
    entries[0].record.setDescription("Said \"no\", then caf\xE9");
    entries[0].stored = "First line, with a comma\r\nsecond \"quoted\" line";
    entries[0].record.setPain(17, 6);
    entries[0].record.setMood(-3); // the lowest named mood
    entries[0].record.setMenstruation(1);
    entries[0].record.setCopulation(0);
    entries[1].record.setDescription("plain");
    entries[1].record.setMood(4); // one beyond the named moods: the number itself
    entries[1].record.setCopulation(1);
    entries[1].stored = "";
    QTemporaryDir dir;
    const std::string path = dir.filePath("d.csv").toStdString();
    std::string error;
    QVERIFY(CsvExport::write(
        path, entries, config, [](const std::string& s) { return s; }, error));

    // Python prints each field it read as its UTF-8 bytes in hex, one row per line.
    QProcess py;
    py.start("python3", {"-c",
                         "import csv,sys\n"
                         "for row in csv.reader(open(sys.argv[1], newline='', "
                         "encoding='utf-8', errors='strict'), strict=True):\n"
                         "    print(' '.join(f.encode().hex() for f in row))",
                         QString::fromStdString(path)});
    QVERIFY(py.waitForFinished());
    QCOMPARE(py.exitCode(), 0);
    const QStringList lines =
        QString::fromLatin1(py.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    auto fields = [&](int row) {
        QStringList out;
        for (const QString& hex : lines[row].split(' '))
            out << QString::fromUtf8(QByteArray::fromHex(hex.toLatin1()));
        return out;
    };
    const QStringList header = fields(0), first = fields(1), second = fields(2);
    // Date, time, description; mood, two check marks, two measurements and weather under the
    // diary's names; 18 areas, 21 ratings, 5 measurements, text.
    QCOMPARE(header.size(), 3 + 6 + 18 + 21 + 5 + 1);
    QCOMPARE(header.mid(3, 6),
             (QStringList{"Mood", "Menstruus", "Copulation", "Temperature", "Weight", "Weather"}));
    QCOMPARE(first.size(), header.size());
    QCOMPARE(second.size(), header.size());
    const int knee = header.indexOf("Left knee");
    QCOMPARE(knee, 9 + 17);
    QCOMPARE(first[0], QString("2026-09-01"));
    QCOMPARE(first[1], QString("08:00"));
    QCOMPARE(first[2], QString::fromUtf8("Said \"no\", then caf\u00e9"));
    QCOMPARE(first[knee], QString("Pinning"));
    QCOMPARE(first[header.indexOf("Pain morning")], QString("10"));
    QCOMPARE(first[header.indexOf("Pain afternoon")], QString());
    QCOMPARE(first.last(), QString("First line, with a comma\r\nsecond \"quoted\" line"));
    QCOMPARE(first[header.indexOf("Menstruus")], QString("Yes"));
    QCOMPARE(first[header.indexOf("Copulation")], QString("No"));
    QCOMPARE(second[header.indexOf("Copulation")], QString("Yes"));
    QCOMPARE(first[header.indexOf("Mood")], QString::fromStdString(config.moodName(0)));
    QCOMPARE(second[header.indexOf("Mood")], QString("4"));
    QCOMPARE(second[2], QString("plain"));
    QCOMPARE(second.last(), QString());
}

QTEST_MAIN(HealthLogicTest)
#include "tst_healthlogic.moc"
