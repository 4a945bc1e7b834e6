// The parameter rows that the preview and the editor show, from a diary's configuration.

#include "diary/logic/EntryParameters.h"
#include "storage/DiaryConfig.h"
#include "storage/EntryRecord.h"

#include <QTest>

using namespace tavrin;
using namespace tavrin::diary;

class TestEntryParameters : public QObject {
    Q_OBJECT
private slots:
    void defaultConfigurationRowsInOrder() {
        DiaryConfig c;
        c.applyDefaults();
        QStringList names;
        for (const auto& r : EntryParameters::rows(c))
            names << r.name;
        // Real measurement 2, integer measurement 2, spins and combos are off by default.
        QCOMPARE(names, QStringList({"Mood", "Dream", "Fatigue", "Shape", "Menstruus", "Copulation",
                                     "Temperature", "Weight", "Weather"}));
    }

    void valuesAndPreviewTexts() {
        DiaryConfig c;
        c.applyDefaults();
        c.setSpinEnabled(1, true);
        c.setComboEnabled(2, true);
        c.setMeasureEnabled(DiaryConfig::Measure::Int2, true);
        const auto rows = EntryParameters::rows(c);
        EntryRecord e;
        e.setMood(-3);
        e.setDream(2);
        e.setFatigue(-1);
        e.setShape(0);
        e.setMenstruation(1);
        e.setCopulation(2); // anything but 1 is "no"
        e.setReal1(36.625f);
        e.setInt1(-4);
        e.setInt2(1000);
        e.setWeather(4);
        e.setSpin(1, -3);
        e.setCombo(2, 5);
        QStringList shown;
        for (const auto& r : rows)
            shown << EntryParameters::previewText(r, e);
        QCOMPARE(shown, QStringList({"Depressed", "Fun", "Tired", "Healthy", "YES", "NO", "36.62",
                                     "-4", "1000", "Snowy", "spin 2 1", "combo 3 6"}));
    }

    void storingValuesAndTexts() {
        DiaryConfig c;
        c.applyDefaults();
        const auto rows = EntryParameters::rows(c);
        EntryRecord e;
        for (const auto& r : rows) {
            if (r.isText())
                QVERIFY(
                    EntryParameters::setText(r, e, r.kind == ParameterRow::Real ? "37.5" : "71"));
            else
                EntryParameters::setValue(r, e, r.isSpin() ? r.lowest : int(r.names.size()) - 1);
        }
        QCOMPARE(int(e.mood()), -3);
        QCOMPARE(int(e.dream()), -2);
        QCOMPARE(int(e.fatigue()), -2);
        QCOMPARE(int(e.shape()), -3);
        QCOMPARE(int(e.menstruation()), 1);
        QCOMPARE(e.real1(), 37.5f);
        QCOMPARE(e.int1(), 71);
        QCOMPARE(int(e.weather()), 4);
        const ParameterRow weight = rows[7];
        QVERIFY(!EntryParameters::setText(weight, e, "7.5"));
        QVERIFY(!EntryParameters::setText(weight, e, "abc"));
        QCOMPARE(e.int1(), 71); // untouched by refused texts
        QVERIFY(EntryParameters::setText(weight, e, ""));
        QCOMPARE(e.int1(), 0);
    }

    void spinRangeReadsPositionsAndValues() {
        int lo = 0, hi = 0;
        EntryParameters::spinRange(2, 6, lo, hi); // a new configuration: positions
        QCOMPARE(lo, -1);
        QCOMPARE(hi, 3);
        EntryParameters::spinRange(-3, 3, lo, hi); // the Training type: values
        QCOMPARE(lo, -3);
        QCOMPARE(hi, 3);
        EntryParameters::spinRange(0, 6, lo, hi);
        QCOMPARE(lo, -3);
        QCOMPARE(hi, 3);
        EntryParameters::spinRange(9, -20, lo, hi); // damaged: clamped, never past the names
        QCOMPARE(lo, -3);
        QCOMPARE(hi, 3);
    }

    void comboRowsInUseAndOutOfRangeNames() {
        DiaryConfig c;
        c.applyDefaults();
        c.setComboEnabled(0, true); // 2 rows in use
        ParameterRow combo = EntryParameters::rows(c).last();
        QCOMPARE(combo.names, QStringList({"combo 1 1", "combo 1 2"}));
        EntryRecord e;
        e.setCombo(0, 7); // a value past the rows in use shows nothing rather than garbage
        QCOMPARE(EntryParameters::previewText(combo, e), QString());
    }
};

QTEST_GUILESS_MAIN(TestEntryParameters)
#include "tst_entryparameters.moc"
