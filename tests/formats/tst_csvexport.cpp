// The diary as a spreadsheet, read back by Python's csv module.

#include "../health/HealthTestData.h"
#include "formats/CsvExport.h"

#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;
using namespace tavrin::formats;
using health::HealthEntry;
using health::test::entry;

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

class CsvExportTest : public QObject {
    Q_OBJECT
private slots:
    void readsBackWithPython();
};

void CsvExportTest::readsBackWithPython() {
    DiaryConfig config = moodOnly();
    config.setScaleEnabled(Scale::Fatigue, true); // named as the Fatigue rating
    config.setSpinEnabled(0, true);
    config.setSpinName(0, "Mood");
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
    DiaryRecords d;
    d.config = config;
    d.entries = entriesOf(entries);
    QVERIFY(CsvExport([](const std::string& s) { return s; }).writeFile(path, d, error));

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
    QCOMPARE(header.size(), 3 + 8 + 18 + 21 + 5 + 1);
    QCOMPARE(header.mid(3, 8),
             (QStringList{"Mood (scale)", "Fatigue (scale)", "Menstruus", "Copulation",
                          "Temperature", "Weight", "Weather", "Mood (spin)"}));
    QCOMPARE(header.indexOf("Fatigue (rating)"), 11 + 18 + 4);
    QCOMPARE(QSet<QString>(header.begin(), header.end()).size(), header.size()); // each once
    QCOMPARE(first.size(), header.size());
    QCOMPARE(second.size(), header.size());
    const int knee = header.indexOf("Left knee");
    QCOMPARE(knee, 11 + 17);
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
    QCOMPARE(first[header.indexOf("Mood (scale)")], QString::fromStdString(config.moodName(0)));
    QCOMPARE(second[header.indexOf("Mood (scale)")], QString("4"));
    QCOMPARE(second[2], QString("plain"));
    QCOMPARE(second.last(), QString());
}

QTEST_MAIN(CsvExportTest)
#include "tst_csvexport.moc"
