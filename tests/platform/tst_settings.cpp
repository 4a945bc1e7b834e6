// The settings store: defaults on missing or unreadable values, deletion by null text, keys with
// spaces, and where the values land on disk.

#include "TestEnvironment.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QSet>
#include <QSettings>
#include <QTest>

using namespace tavrin;
using namespace tavrin::platform;

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { test::clearSettings(); }

    void emptyStoreGivesEveryDefault() {
        for (const auto& s : settings::intSettings())
            QCOMPARE(settings::read(s), s.defaultValue);
        for (const auto& s : settings::stringSettings())
            QCOMPARE(settings::read(s), QString(s.defaultValue));
        QCOMPARE(settings::read(settings::WhichSkin), QString("Corvel Windows"));
        QCOMPARE(settings::read(settings::RemindersSoundFile), QString("..."));
        QCOMPARE(settings::read(settings::DeleteEntry), 1);
        QCOMPARE(settings::read(settings::RemindersDays), 1);
        // Reading a default writes nothing back.
        QVERIFY(!SettingsStore::contains("WhichSkin") && !SettingsStore::contains("whichSkin"));
    }

    void valuesRoundTripWithSpacesInKeys() {
        QVERIFY(settings::write(settings::FontName, "DejaVu Serif"));
        QVERIFY(settings::write(settings::FontColorGreen, 200));
        QVERIFY(SettingsStore::writeInt(settings::columnKey(settings::RecordsList, 3), 77));
        QCOMPARE(settings::read(settings::FontName), QString("DejaVu Serif"));
        QCOMPARE(settings::read(settings::FontColorGreen), 200);
        QCOMPARE(SettingsStore::readInt("recordsList 03", 5), 77);
        QCOMPARE(settings::columnKey(settings::IngredientsInRecipeList, 0),
                 QString("ingredientsInRecipeList 00"));

        // Stored under the company and application keys, in the section "300 Settings".
        const QString file = test::scratchDir() + "/config/Halcyrn Ostevelder/Tavrin.conf";
        QVERIFY2(QFile::exists(file), qPrintable(file));
        QSettings raw(file, QSettings::IniFormat);
        QCOMPARE(raw.value("300 Settings/Font Name").toString(), QString("DejaVu Serif"));
        QCOMPARE(raw.value("300 Settings/recordsList 03").toInt(), 77);
    }

    void unreadableIntegerGivesTheDefault() {
        SettingsStore::writeString("ExtLoc", "not a number");
        QCOMPARE(settings::read(settings::ExtLoc), 0);
        SettingsStore::writeString("RemindersDays", " 42 ");
        QCOMPARE(settings::read(settings::RemindersDays), 42);
    }

    void nullTextDeletesButEmptyTextIsKept() {
        settings::write(settings::DiaryFile, "/home/ann/Travel.tni");
        settings::write(settings::DiaryFile, QString(""));
        QVERIFY(SettingsStore::contains("DiaryFile"));
        QCOMPARE(settings::read(settings::DiaryFile), QString(""));
        settings::write(settings::WhichSkin, "Corvel Night");
        settings::write(settings::WhichSkin, QString());
        QVERIFY(!SettingsStore::contains("whichSkin"));
        QCOMPARE(settings::read(settings::WhichSkin), QString("Corvel Windows"));
    }

    void optionsWriteEveryKeyOfTheGeneralPageOnce() {
        const auto order = settings::optionsWriteOrder();
        QCOMPARE(order.size(), std::size_t(25));
        QCOMPARE(QString(order.front()), QString("OpenLastDiary"));
        QCOMPARE(QString(order[22]), QString("whichSkin"));
        QCOMPARE(QString(order.back()), QString("Print Body Size"));
        QSet<QString> seen;
        for (const char* k : order) {
            QVERIFY2(!seen.contains(k), k);
            seen.insert(k);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
