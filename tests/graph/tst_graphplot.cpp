// What the graph plots: which series take part and under which numbers, the values drawn (combo
// rows -4 to +4, a 0 rating lifted on bars), labels that cannot make a plot on their own, and
// the labels' colours.

#include "chart/GraphPlot.h"

#include <QTest>

#include <cmath>

using namespace tavrin;
using namespace tavrin::graph;

namespace {

struct Fixture {
    DiaryConfig config;
    GraphSettings settings;
    Fixture() {
        config.applyDefaults();
        settings.applyDefaults();
    }
    // Nothing visible at all.
    void hideAll() {
        for (int i = 0; i < GraphSettings::kDiarySeries; ++i)
            settings.setVisible(GraphSettings::diarySlot(i), false);
        for (int i = 0; i < GraphSettings::kFibroSeries; ++i)
            settings.setVisible(GraphSettings::fibroSlot(i), false);
        for (int i = 0; i < GraphSettings::kFibroLabels; ++i)
            settings.setVisible(GraphSettings::labelSlot(i), false);
    }
    GraphPlot::Outcome build(DataSet set, const std::vector<EntryRecord>& entries, Plot& plot) {
        std::vector<const EntryRecord*> p;
        for (const EntryRecord& e : entries)
            p.push_back(&e);
        return GraphPlot::build(int(set), config, settings, p, plot);
    }
};

} // namespace

class TestGraphPlot : public QObject {
    Q_OBJECT
private slots:
    void combosAndSpinsKeepTheirOwnSeries() {
        Fixture f;
        f.hideAll();
        for (int k = 0; k < 3; ++k) {
            f.config.setComboEnabled(k, true);
            f.config.setSpinEnabled(k, true);
            f.settings.setVisible(GraphSettings::diarySlot(14 + k), true);
            f.settings.setVisible(GraphSettings::diarySlot(11 + k), true);
        }
        std::vector<EntryRecord> entries(2);
        // Rows 0 and 8 are the ends: -4 and +4.
        const int combos[2][3] = {{0, 8, 5}, {8, 0, 3}};
        const int spins[2][3] = {{-3, 2, 1}, {3, -1, 0}};
        for (int i = 0; i < 2; ++i)
            for (int k = 0; k < 3; ++k) {
                entries[i].setCombo(k, std::int8_t(combos[i][k]));
                entries[i].setSpin(k, std::int8_t(spins[i][k]));
            }
        Plot plot;
        QCOMPARE(f.build(DataSet::Diary, entries, plot), GraphPlot::Outcome::Ok);
        // Combos come before spins.
        QStringList names;
        for (const PlotSeries& s : plot.series)
            names << s.name;
        QCOMPARE(names, QStringList({"Combo 1", "Combo 2", "Combo 3", "Spin 1 Name", "Spin 2 Name",
                                     "Spin 3 Name"}));
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(plot.series[k].values,
                     QList<double>({combos[0][k] - 4.0, combos[1][k] - 4.0}));
            QCOMPARE(plot.series[3 + k].values,
                     QList<double>({double(spins[0][k]), double(spins[1][k])}));
        }
        QCOMPARE(plot.minimum, -4.0);
        QCOMPARE(plot.maximum, 4.0);
        QCOMPARE(plot.pointLabels.size(), 2);
    }

    void zeroRatingOnABar_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("drawn");
        QTest::newRow("mood bar") << 0 << int(GraphSettings::Bar) << 0.3;
        QTest::newRow("mood line") << 0 << int(GraphSettings::Line) << 0.0;
        QTest::newRow("mood point") << 0 << int(GraphSettings::Point) << 0.0;
        QTest::newRow("shape bar") << 3 << int(GraphSettings::Bar) << 0.3;
        QTest::newRow("spin bar") << 11 << int(GraphSettings::Bar) << 0.0;
    }
    void zeroRatingOnABar() {
        QFETCH(int, slot);
        QFETCH(int, type);
        QFETCH(double, drawn);
        Fixture f;
        f.hideAll();
        f.config.setSpinEnabled(0, true);
        f.settings.setVisible(GraphSettings::diarySlot(slot), true);
        f.settings.setType(GraphSettings::diarySlot(slot), std::uint8_t(type));
        std::vector<EntryRecord> entries(1);
        Plot plot;
        QCOMPARE(f.build(DataSet::Diary, entries, plot), GraphPlot::Outcome::Ok);
        QCOMPARE(plot.series.size(), 1);
        QCOMPARE(plot.series[0].values, QList<double>({drawn}));
    }

    void labelsAloneAreNoPlot_data() {
        QTest::addColumn<int>("set");
        QTest::newRow("diary: checks, numbers, weather") << int(DataSet::Diary);
        QTest::newRow("fibromyalgia: temperatures and humidities") << int(DataSet::Fibro);
    }
    void labelsAloneAreNoPlot() {
        QFETCH(int, set);
        Fixture f;
        f.hideAll();
        f.config.setMeasureEnabled(DiaryConfig::Measure::Real2, true);
        f.config.setMeasureEnabled(DiaryConfig::Measure::Int2, true);
        for (int i = 4; i <= 10; ++i)
            f.settings.setVisible(GraphSettings::diarySlot(i), true);
        for (int i = 0; i < GraphSettings::kFibroLabels; ++i)
            f.settings.setVisible(GraphSettings::labelSlot(i), true);
        std::vector<EntryRecord> entries(3);
        Plot plot;
        QCOMPARE(f.build(DataSet(set), entries, plot), GraphPlot::Outcome::NothingToPlot);
        QCOMPARE(f.build(DataSet(7), entries, plot), GraphPlot::Outcome::UnknownSet);
    }

    void labelsInTheirOwnColoursAndPlaces() {
        Fixture f;
        f.hideAll();
        f.settings.setVisible(GraphSettings::fibroSlot(0), true);
        f.settings.setVisible(GraphSettings::labelSlot(3), true);
        f.settings.setVisible(GraphSettings::labelSlot(4), true);
        f.settings.setColour(GraphSettings::labelSlot(3), GraphSettings::rgb(1, 2, 3));
        f.settings.setColour(GraphSettings::labelSlot(4), GraphSettings::rgb(4, 5, 6));
        std::vector<EntryRecord> entries(3);
        entries[1].setOutdoorHumidity(55);
        entries[1].setIndoorHumidity(40);
        entries[1].setFibro(Fibro::PainMorning, 7);  // the button "8"
        entries[0].setFibro(Fibro::PainMorning, -1); // never chosen
        // A page never filled in: every rating unchosen, every value 0. No "0" labels.
        for (const auto& field : EntryRecord::fibroFields())
            entries[2].setFibro(field.field, -1);
        Plot plot;
        QCOMPARE(f.build(DataSet::Fibro, entries, plot), GraphPlot::Outcome::Ok);
        QCOMPARE(plot.series.size(), 1);
        QCOMPARE(plot.series[0].name, QStringLiteral("OPL Morning"));
        QCOMPARE(plot.series[0].values[1], 8.0);       // drawn as chosen on the 0-10 axis
        QVERIFY(std::isnan(plot.series[0].values[0])); // no point rather than a low one
        QVERIFY(std::isnan(plot.series[0].values[2]));
        QCOMPARE(plot.minimum, 0.0);
        QCOMPARE(plot.maximum, 10.0);
        QCOMPARE(plot.labels.size(), 4);
        const PlotLabel& outdoor = plot.labels[2];
        const PlotLabel& indoor = plot.labels[3];
        QCOMPARE(outdoor.text, QStringLiteral("55"));
        QCOMPARE(outdoor.x, 1);
        QCOMPARE(outdoor.height, 6.0);
        QCOMPARE(outdoor.colour, GraphSettings::rgb(1, 2, 3));
        QCOMPARE(indoor.text, QStringLiteral("40"));
        QCOMPARE(indoor.height, 5.0);
        QCOMPARE(indoor.colour, GraphSettings::rgb(4, 5, 6));
    }

    void diaryLabelsFormatted() {
        Fixture f;
        f.hideAll();
        f.settings.setVisible(GraphSettings::diarySlot(0), true);
        for (int i : {4, 6, 8, 10})
            f.settings.setVisible(GraphSettings::diarySlot(i), true);
        std::vector<EntryRecord> entries(1);
        entries[0].setMenstruation(1);
        entries[0].setReal1(36.6f);
        entries[0].setInt1(-72);
        entries[0].setWeather(3);
        Plot plot;
        QCOMPARE(f.build(DataSet::Diary, entries, plot), GraphPlot::Outcome::Ok);
        QStringList texts;
        QList<double> heights;
        for (const PlotLabel& l : plot.labels) {
            texts << l.text;
            heights << l.height;
        }
        QCOMPARE(texts, QStringList({"Yes", "36.60", "-72", "Rainy"}));
        QCOMPARE(heights, QList<double>({3.5, 2.5, -2.5, -3.5}));
        // A weather outside the five names is no label.
        entries[0].setWeather(-1);
        QCOMPARE(f.build(DataSet::Diary, entries, plot), GraphPlot::Outcome::Ok);
        QCOMPARE(plot.labels.size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestGraphPlot)
#include "tst_graphplot.moc"
