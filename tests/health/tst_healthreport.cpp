// The health report window over a made-up diary: Save as PDF writes the report, and pdftotext
// reads the summary's numbers, the heat map's area and the correlation statement back from it;
// the range first shown and the year at a glance end where the user's data do.

#include "DiaryFixture.h"
#include "HealthTestData.h"
#include "PdfText.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "health/CTavrinDlgHealthReport.h"
#include "health/YearGlanceWidget.h"
#include "organiser/CTavrinDlgExport.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFontMetrics>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;
using namespace tavrin::health;
using health::test::entry;

class HealthReportTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void pdfHoldsTheSummary();
    void rangeAndGlanceEndTogether();
    void yearViewIsReadable();
    void exportWindowWritesTheSpreadsheet();
};

void HealthReportTest::init() {
    tavrin::test::clearSettings();
    platform::MessageBox::clearRecorded();
    static int diaries = 0;
    const QString path =
        tavrin::test::makeDiary(QString("healthreport%1").arg(++diaries), "secret", 1);
    auto& s = app::DiaryState::instance();
    s.choose(path, tavrin::test::extOffsetOf(path));
    s.setOpen(true);
    auto tn = s.makeTN();
    QVERIFY(tn->FirstEntry(true));
    const EntryRecord first = tn->entry;
    // The summary test's days: morning pain 4 and 8 on the first, 9 on the second; moods.
    std::vector<HealthEntry> made = {
        entry(9, 1, 8, {{Fibro::PainMorning, 4}, {Fibro::Sleep, 2}}),
        entry(9, 1, 20, {{Fibro::PainMorning, 8}}),
        entry(9, 2, 9, {{Fibro::PainMorning, 9}}),
    };
    const int moods[] = {-1, 1, -3};
    std::vector<NewEntry> entries;
    for (std::size_t i = 0; i < made.size(); ++i) {
        NewEntry e;
        e.record = made[i].record;
        e.record.copySecretsFrom(first);
        e.record.setMood(std::int8_t(moods[i]));
        e.record.setDescription(i == 2 ? "Knee, \"bad\" day" : "Morning");
        e.record.setPain(16, 5); // the left lateral epicondyle aches on every entry
        e.body = "{\\rtf1\\ansi Ate well. FAT: 1.00 - KCALORIES: 1800.00\\par}";
        entries.push_back(e);
    }
    QVERIFY(tn->AddEntries(entries));
}

void HealthReportTest::pdfHoldsTheSummary() {
    CTavrinDlgHealthReport dlg;
    dlg.setRange(QDate(2026, 9, 1), QDate(2026, 9, 30));
    QVERIFY(dlg.report());
    QCOMPARE(dlg.report()->summary().entries, 3);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    platform::FileChooser::setNextFileName(pdf);
    QVERIFY(dlg.saveAsPdf());
    QCOMPARE(tavrin::test::fileMode(pdf), 0600); // health data: for its owner only

    const QString text = tavrin::test::pdfText(pdf).simplified();
    QVERIFY(!text.isEmpty());
    const QStringList expected = {
        "Health report: healthreport", // and its number
        "01 September 2026 to 30 September 2026",
        "Entries 3 on 2 days",
        "Pain morning 2 7.5 9 ", // rated days, mean of the day means, worst as rated
        "Sleep 1 2.0 2 ",
        "Mood 2 -1.5 -3 (Depressed)",
        "Left lateral epicondyle 2 of 2 Aching 3",
        "No medication is listed in this diary.",
        "A correlation is not a cause",
        "Knee, \"bad\" day",
    };
    for (const QString& e : expected)
        QVERIFY2(text.contains(e), qPrintable(e + " not in: " + text));
    QVERIFY(!text.contains("Pain afternoon")); // never rated, left out

    QProcess info;
    info.start("pdfinfo", {pdf});
    QVERIFY(info.waitForFinished());
    const QString title = QString::fromUtf8(info.readAllStandardOutput())
                              .section('\n', 0, 0)
                              .section(':', 1)
                              .trimmed();
    QVERIFY2(title.startsWith("Health report: healthreport"), qPrintable(title));
}

void HealthReportTest::rangeAndGlanceEndTogether() {
    // An entry a year on, mistyped into 2100, and one in June, before the chosen range.
    auto tn = app::DiaryState::instance().makeTN();
    QVERIFY(tn->FirstEntry(true));
    std::vector<NewEntry> more(2);
    for (NewEntry& e : more)
        e.record = entry(6, 20, 9, {{Fibro::PainMorning, 6}}).record;
    LocalDateTime future{2100, 9, 4, 9, 0, 0};
    more[1].record.setDateTime(LocalTime::toTime(future));
    for (NewEntry& e : more)
        e.record.copySecretsFrom(tn->entry);
    QVERIFY(tn->AddEntries(more));

    // The range first shown ends at the last entry that is not in the future.
    platform::Clock::setFixed(LocalTime::toTime(LocalDateTime{2026, 10, 15, 12, 0, 0}));
    CTavrinDlgHealthReport dlg;
    platform::Clock::clearFixed();
    QCOMPARE(dlg.findChild<QDateEdit*>("toDate")->date(), QDate(2026, 9, 2));
    QCOMPARE(dlg.findChild<QDateEdit*>("fromDate")->date(), QDate(2026, 9, 2).addDays(-90));

    // The year at a glance of a range from August to November holds June too: the twelve
    // months up to the range's end, not only the range.
    dlg.setRange(QDate(2026, 8, 1), QDate(2026, 11, 30));
    const ReportData& data = dlg.report()->data();
    QCOMPARE(int(data.entries.size()), 3);
    QCOMPARE(HealthData::dayText(data.yearEnd), std::string("2026-11-30"));
    QCOMPARE(int(data.year.size()), 4);
    QCOMPARE(HealthData::dayText(data.year.front().day), std::string("2026-06-20"));
}

void HealthReportTest::yearViewIsReadable() {
    // At the size of a small window the month names are written in the window's font, not
    // shrunk with the squares: the first name's ink is as tall as a capital of that font.
    YearGlanceWidget view({});
    view.resize(480, 360);
    const QImage shot = view.grab().toImage();
    const QRgb background = shot.pixel(shot.width() - 3, shot.height() - 3);
    int first = -1, last = -1;
    for (int y = 50; y < shot.height() && (last < 0 || y == last + 1); ++y)
        for (int x = 10; x < 60; ++x)
            if (shot.pixel(x, y) != background) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    QVERIFY(first >= 0);
    const int capital = QFontMetrics(view.font()).capHeight();
    QVERIFY2(last - first + 1 >= capital - 1,
             qPrintable(QString("%1 px against %2").arg(last - first + 1).arg(capital)));
}

void HealthReportTest::exportWindowWritesTheSpreadsheet() {
    organiser::CTavrinDlgExport dlg;
    dlg.tableChoice()->setCurrentIndex(dlg.tableChoice()->count() - 1);
    QCOMPARE(dlg.tableChoice()->currentText(), QString(organiser::CTavrinDlgExport::kSpreadsheet));
    QTemporaryDir dir;
    const QString csv = dir.filePath("entries.csv");
    platform::FileChooser::setNextFileName(csv);
    QTest::mouseClick(dlg.findChild<QPushButton*>("chooseButton"), Qt::LeftButton);
    QVERIFY(dlg.startButton()->isEnabled());
    QTest::mouseClick(dlg.startButton(), Qt::LeftButton);
    QCOMPARE(dlg.status(), QString("4 entries exported.")); // the fixture's first and ours
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    QVERIFY(all.startsWith("Date,Time,Description,Mood,"));
    QVERIFY(all.contains(",\"Knee, \"\"bad\"\" day\","));
    QVERIFY(all.contains("Ate well. FAT: 1.00 - KCALORIES: 1800.00\r\n"));
}

QTEST_MAIN(HealthReportTest)
#include "tst_healthreport.moc"
