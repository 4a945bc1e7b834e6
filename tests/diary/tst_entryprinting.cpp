// Printing diary entries, read back from the PDF: what each choice of the print dialog, the
// pain-map question and the previewed text slot puts on paper, and text flowing over pages.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "diary/EntryPrinting.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"
#include "ui/SkinLoader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace tavrin;
using namespace tavrin::diary;
using platform::MessageBox;
using platform::MsgAnswer;
using platform::PrintDialog;

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pageCount(const QString& pdf) {
    const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(run("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Rows of `pdfimages -list` below its two header lines.
int imageCount(const QString& pdf) {
    const QStringList lines = run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    return int(lines.size()) - 2;
}

QString pageText(const QString& pdf, int page) {
    return run("pdftotext",
               {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

constexpr const char* kTrainingName = "Training log";

// Entry 0: a short body, type text 3, a pain map with "Pinning"; entry 1: a body of 120 lines.
QString makePrintDiary() {
    const QString path = test::makeDiary("print", "secret", 0);
    TN tn(0, path.toStdString(), test::extOffsetOf(path));
    tn.config.clear();
    tn.config.applyDefaults();
    tn.config.setMoodEnabled(true);
    tn.config.setTypeName(2, kTrainingName);
    if (!tn.WriteConfiguration()) return {};
    for (int i = 0; i < 2; ++i) {
        tn.entry.clear();
        tn.entry.setPassword("secret");
        tn.entry.setDateTime(1'790'000'000 + 86400 * std::int64_t(i));
        tn.entry.setDescription(i == 0 ? "Short one" : "Long one");
        tn.typeText = {};
        if (i == 0) {
            tn.body = "Body text of the short entry.";
            tn.typeText[2] = "Ran five kilometres by the river.";
            tn.entry.setPain(3, 6);
        } else {
            tn.body.clear();
            for (int line = 1; line <= 120; ++line)
                tn.body += "Line " + std::to_string(line) + " of the long entry.\n";
        }
        if (!tn.AddEntry()) return {};
    }
    return path;
}

} // namespace

class TestEntryPrinting : public QObject {
    Q_OBJECT
    QString diary;
    QString pdf;
private slots:
    void initTestCase() {
        // The shipped skin's body pictures go onto the paper.
        const QString build = qEnvironmentVariable("TAVRIN_TEST_BUILD");
        QVERIFY2(!build.isEmpty(), "TAVRIN_TEST_BUILD is not set (run the test through ctest)");
        QVERIFY(SkinLoader(QDir(build).filePath("bin/TNSkins")).load("Corvel Windows"));
        diary = makePrintDiary();
        QVERIFY(!diary.isEmpty());
        app::DiaryState::instance().choose(diary, test::extOffsetOf(diary));
        app::DiaryState::instance().setOpen(true);
    }
    void init() {
        pdf = test::scratchDir() + "/entries.pdf";
        QFile::remove(pdf);
        MessageBox::clearRecorded();
    }

    void printed_data() {
        QTest::addColumn<bool>("selection");
        QTest::addColumn<QList<int>>("selected"); // rows
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("painMap");
        QTest::addColumn<int>("pages"); // 0: no file at all
        QTest::addColumn<int>("images");
        QTest::addColumn<QStringList>("present"); // on the first page
        QTest::addColumn<QStringList>("absent");  // anywhere

        QTest::newRow("selection without rows prints nothing")
            << true << QList<int>{} << 0 << true << 0 << 0 << QStringList{} << QStringList{};
        QTest::newRow("type slot 3: its name, its text, no parameters")
            << true << QList<int>{0} << 3 << false << 1 << 0
            << QStringList{QString("Tavelle (tm) Suite - ") + kTrainingName, "Ran five kilometres",
                           "Description: Short one - Voice: No"}
            << QStringList{"Mood:", "Body text of the short entry", "Diary Entry", "Pinning"};
        QTest::newRow("body with parameters and the pain map")
            << true << QList<int>{0} << 0 << true << 1 << 2
            << QStringList{"Tavelle (tm) Suite - Diary Entry", "Mood: ", "Body text", "Pinning",
                           "n/a"}
            << QStringList{"Ran five"};
        QTest::newRow("pain map declined: no pictures, no names")
            << true << QList<int>{0} << 0 << false << 1 << 0 << QStringList{"Body text"}
            << QStringList{"Pinning"};
        QTest::newRow("all rows, the long entry flows onto a second page")
            << false << QList<int>{} << 0 << false << 4 << 0 << QStringList{"Short one"}
            << QStringList{};
    }
    void printed() {
        QFETCH(bool, selection);
        QFETCH(QList<int>, selected);
        QFETCH(int, slot);
        QFETCH(bool, painMap);
        QFETCH(int, pages);
        QFETCH(int, images);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);

        ui::CCustomListCtrl list;
        list.setMultiSelect(true);
        list.insertColumn("Description", 100);
        list.addRow({"Short one"});
        list.setItemData(0, 0);
        list.addRow({"Long one"});
        list.setItemData(1, 1);
        for (int r : selected)
            list.selectRow(r);

        PrintDialog::setNextPdf(pdf, selection);
        MessageBox::setNextAnswer(painMap ? MsgAnswer::Yes : MsgAnswer::No);
        EntryPrinting::run(&list, slot, nullptr);
        QCOMPARE(MessageBox::recordedTexts(), QStringList{EntryPrinting::kPainMapQuestion});

        if (pages == 0) {
            QVERIFY(!QFile::exists(pdf));
            return;
        }
        QCOMPARE(pageCount(pdf), pages);
        QCOMPARE(imageCount(pdf), images);
        const QString first = pageText(pdf, 1);
        for (const QString& t : present)
            QVERIFY2(first.contains(t), qPrintable(t + " missing from:\n" + first));
        const QString all = run("pdftotext", {"-layout", pdf, "-"});
        for (const QString& t : absent)
            QVERIFY2(!all.contains(t), qPrintable(t + " printed"));
    }

    void longEntryGoesOnWithHeadingOnItsNextPage() {
        ui::CCustomListCtrl list;
        list.insertColumn("Description", 100);
        list.addRow({"Long one"});
        list.setItemData(0, 1);
        PrintDialog::setNextPdf(pdf, false);
        MessageBox::setNextAnswer(MsgAnswer::No);
        QCOMPARE(EntryPrinting::run(&list, 0, nullptr), 1);
        const int n = pageCount(pdf);
        QVERIFY(n >= 2);
        QStringList texts;
        for (int page = 1; page <= n; ++page)
            texts << pageText(pdf, page);
        QVERIFY(texts.first().contains("Line 1 of the long entry."));
        QVERIFY(texts.last().contains("Line 120 of the long entry."));
        // Every page has the heading and the entry line; the parameters only the first.
        for (int page = 0; page < n; ++page) {
            QVERIFY(texts[page].contains("Tavelle (tm) Suite - Diary Entry"));
            QVERIFY(texts[page].contains("Description: Long one - Voice: No"));
            QCOMPARE(texts[page].contains("Mood: "), page == 0);
        }
        // No line is printed twice or lost at a break.
        const QString all = texts.join('\n');
        for (int line = 1; line <= 120; ++line) {
            const QString t = QString("Line %1 of the long entry.").arg(line);
            QCOMPARE(int(all.count(t)), 1);
        }
    }
};

QTEST_MAIN(TestEntryPrinting)
#include "tst_entryprinting.moc"
