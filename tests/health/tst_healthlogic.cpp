// The health numbers without a display: the range summary against a hand computation, Spearman's
// rho and its p-value on known series, the false discovery rate on a worked example, planted
// relations found where they are (and only there) and the heat map's colour.

#include "HealthTestData.h"
#include "health/logic/Correlations.h"
#include "health/logic/PainHeat.h"
#include "health/logic/RangeSummary.h"

#include <QRegularExpression>
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
    void pValue_data();
    void pValue();
    void falseDiscoveryRate();
    void entriesDaysApartCompareOnlyTheSameDay();
    void weatherByKindAndNoTautology();
    void heatMapColourOfThreeDaysInTen();
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
    QCOMPARE(s.ratings[0].worstShown(), std::string("9")); // as rated, not "9.0"
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
    const Findings study = Correlations::study(entries, factors, {DayValues::outcomes().front()});
    QCOMPARE(study.tested, 3); // lags 0, 1 and 2, each with 38 or 39 pairs
    QVERIFY(study.lookedBack);
    const auto& found = study.found;
    QCOMPARE(int(found.size()), 1); // the unrelated lags do not hold
    QCOMPARE(found.front().lag, 1);
    QCOMPARE(found.front().n, 39);
    QVERIFY(found.front().rho > 0.95);
    const QString words = QString::fromStdString(found.front().words);
    QVERIFY2(words.startsWith("On days after high outdoor humidity your morning pain was higher "
                              "(rho 0.9") &&
                 words.endsWith(", p < 0.001, 39 days)"),
             qPrintable(words));
    QCOMPARE(Correlations::line(found.front()).substr(0, 34),
             std::string("Outdoor humidity\tMorning pain\t1\t0."));
}

void HealthLogicTest::pValue_data() {
    // Two-sided p of Spearman's rho by Student's t with n - 2 degrees of freedom, as scipy's
    // spearmanr gives it.
    QTest::addColumn<double>("rho");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("p");
    QTest::newRow("0.5 over 20") << 0.5 << 20 << 0.024769558804109703;
    QTest::newRow("0.3 over 14") << 0.3 << 14 << 0.2973674478422267;
    QTest::newRow("-0.62 over 30") << -0.62 << 30 << 0.000257897051023016;
    QTest::newRow("0.1 over 100") << 0.1 << 100 << 0.32221736303061965;
    QTest::newRow("0.98 over 19") << 0.98 << 19 << 2.3365635457853466e-13;
    QTest::newRow("perfect") << -1.0 << 15 << 0.0;
}

void HealthLogicTest::pValue() {
    QFETCH(double, rho);
    QFETCH(int, n);
    QFETCH(double, p);
    const double got = Correlations::pValue(rho, n);
    QVERIFY2(p == 0 ? got == 0 : std::fabs(got / p - 1) < 1e-9,
             qPrintable(QString::number(got, 'g', 17)));
}

void HealthLogicTest::falseDiscoveryRate() {
    // The 25 p-values of a worked example of Benjamini-Hochberg. At a rate of 0.24 the fifth
    // smallest holds (0.042 <= 5/25 * 0.24), and with it the third and fourth although each
    // alone would not (0.039 > 3/25 * 0.24, 0.041 > 4/25 * 0.24): the step up keeps every
    // smaller p. At 0.05 only the first holds.
    const std::vector<double> p = {0.205, 0.001, 0.008, 0.039, 0.041, 0.042, 0.060, 0.074, 0.212,
                                   0.216, 0.222, 0.251, 0.269, 0.275, 0.34,  0.341, 0.384, 0.569,
                                   0.594, 0.696, 0.762, 0.94,  0.942, 0.975, 0.986};
    const std::vector<bool> loose = Correlations::holding(p, 0.24);
    const std::vector<bool> twentieth = Correlations::holding(p, 0.05);
    for (std::size_t i = 0; i < p.size(); ++i) {
        QCOMPARE(bool(loose[i]), i >= 1 && i <= 5);
        QCOMPARE(bool(twentieth[i]), i == 1);
    }
    QVERIFY(Correlations::holding({}, 0.05).empty());
}

void HealthLogicTest::entriesDaysApartCompareOnlyTheSameDay() {
    // An entry every third day for four months: morning pain follows the same day's humidity.
    std::vector<HealthEntry> entries;
    std::uint32_t seed = 99;
    for (int i = 0; i < 40; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int humidity = int((seed >> 16) % 100);
        HealthEntry e = entry(5, 1, 9, {{Fibro::PainMorning, 1 + humidity / 10}});
        e.record.setDateTime(e.record.dateTime() + std::int64_t(i) * 3 * 86400);
        e.day = HealthData::dayOf(e.record.dateTime());
        e.record.setOutdoorHumidity(humidity);
        entries.push_back(e);
    }
    const Findings f = Correlations::study(entries, {DayValues::factors(moodOnly()).front()},
                                           {DayValues::outcomes().front()});
    QCOMPARE(f.tested, 1);
    QVERIFY(!f.lookedBack);
    QCOMPARE(int(f.found.size()), 1);
    QCOMPARE(f.found.front().lag, 0);
    QCOMPARE(Correlations::testedText(f),
             std::string("1 pair of a factor and an outcome was tested; 1 holds once chance is "
                         "allowed for (false discovery rate 5 %)."));
}

void HealthLogicTest::weatherByKindAndNoTautology() {
    // Forty days in a row. Morning pain is 8 on rainy days and 3 or 4 on the others; the diary's
    // fatigue scale and the fatigue rating record the same tiredness.
    DiaryConfig config = moodOnly();
    config.setWeatherEnabled(true);
    config.setScaleEnabled(Scale::Fatigue, true);
    std::vector<HealthEntry> entries;
    std::uint32_t seed = 4242;
    for (int d = 1; d <= 40; ++d) {
        seed = seed * 1103515245u + 12345u;
        const int weather = int((seed >> 16) % 5);
        const int tired = int((seed >> 8) % 3) - 2; // -2 to 0
        HealthEntry e = entry(
            d <= 30 ? 6 : 7, d <= 30 ? d : d - 30, 9,
            {{Fibro::PainMorning, weather == 3 ? 8 : 3 + d % 2}, {Fibro::Fatigue, 5 - tired}});
        e.record.setWeather(std::int8_t(weather));
        e.record.setFatigue(std::int8_t(tired));
        entries.push_back(e);
    }
    const auto found =
        Correlations::find(entries, DayValues::factors(config), DayValues::outcomes());
    const Correlation* rainy = nullptr;
    for (const Correlation& c : found) {
        QVERIFY2(c.factor != "Weather", c.words.c_str());                // never as an order
        QVERIFY2(c.factor != "Fatigue" || c.outcome != "Fatigue rating", // the same thing
                 c.words.c_str());
        if (c.factor == "Weather: Rainy" && c.outcome == "Morning pain" && c.lag == 0) rainy = &c;
    }
    QVERIFY(rainy);
    const QString words = QString::fromStdString(rainy->words);
    QVERIFY2(QRegularExpression("^On Rainy days your morning pain was higher: 8\\.0 on \\d+ days "
                                "against 3\\.\\d on the other \\d+ days \\(p < 0\\.001\\)$")
                 .match(words)
                 .hasMatch(),
             qPrintable(words));
    QCOMPARE(rainy->meanKind, 8.0);
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

QTEST_MAIN(HealthLogicTest)
#include "tst_healthlogic.moc"
