// List printing, read back from the PDF: page header, column header repeated on every page,
// hidden columns left out, printing only the selection, and the print fonts from the settings.

#include "PdfText.h"
#include "TestEnvironment.h"
#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CPrintListCtrl.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::ui;
using platform::PrintDialog;

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pageCount(const QString& pdf) {
    const QString info = run("pdfinfo", {pdf});
    const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The reminders window's list: description, interval, occurrence.
std::unique_ptr<CCustomListCtrl> reminders(int rows) {
    auto list = std::make_unique<CCustomListCtrl>();
    list->insertColumn("Description", 256);
    list->insertColumn("Interval", 64, Qt::AlignCenter);
    list->insertColumn("Occurence", 192, Qt::AlignRight);
    for (int r = 0; r < rows; ++r)
        list->addRow({QString("Reminder %1").arg(r, 3, 10, QChar('0')), "Daily",
                      QString("at %1:00").arg(r % 24, 2, 10, QChar('0'))});
    return list;
}

} // namespace

class TestPrintList : public QObject {
    Q_OBJECT
    QString pdf;
private slots:
    void init() {
        test::clearSettings();
        pdf = test::scratchDir() + "/list.pdf";
        QFile::remove(pdf);
    }

    void startTimeReadsLongDateAtTime() {
        const QDateTime t(QDate(2026, 12, 7), QTime(14, 3, 22));
        QCOMPARE(CPrintListCtrl::startTimeText(t), QString("Monday, 7 December 2026 at 14:03:22"));
    }

    void longListBreaksOntoPagesEachWithBothHeaders() {
        auto list = reminders(150);
        PrintDialog::setNextPdf(pdf);
        CPrintListCtrl printer(list.get());
        QVERIFY(printer.print("Tavelle (tm) Suite Reminders"));

        const int n = pageCount(pdf);
        QVERIFY2(n >= 2, qPrintable(QString::number(n)));
        const QStringList text = tavrin::test::pdfPages(pdf);
        QCOMPARE(text.size(), n);
        const QRegularExpression stamp(R"(\w+day, \d{1,2} \w+ \d{4} at \d\d:\d\d:\d\d)");
        int rowsSeen = 0;
        for (int i = 0; i < n; ++i) {
            const QString& page = text.at(i);
            QVERIFY2(page.contains(QString("Page # %1").arg(i + 1)), qPrintable(page.left(300)));
            QCOMPARE(page.count("Page # "), 1);
            QCOMPARE(page.count("Tavelle (tm) Suite Reminders"), 1);
            QVERIFY(stamp.match(page).hasMatch());
            QVERIFY(
                QRegularExpression(R"(Description\s+Interval\s+Occurence)").match(page).hasMatch());
            // The page header comes first, then the column header, then the rows.
            QVERIFY(page.indexOf("Page # ") < page.indexOf("Tavelle (tm)"));
            QVERIFY(page.indexOf("Tavelle (tm)") < page.indexOf("Description"));
            rowsSeen += page.count("Reminder ");
        }
        QCOMPARE(rowsSeen, 150);
        // Every row once and in order.
        const QString all = text.join("\n");
        int last = -1;
        for (int r = 0; r < 150; ++r) {
            const QString row = QString("Reminder %1").arg(r, 3, 10, QChar('0'));
            const int at = all.indexOf(row);
            QVERIFY2(at > last, qPrintable(row));
            last = at;
        }
    }

    void hiddenColumnIsLeftOut() {
        auto list = reminders(3);
        list->insertColumn("Secret", 80);
        for (int r = 0; r < 3; ++r)
            list->setItemText(r, 3, "HIDDEN" + QString::number(r));
        list->setColumnWidth(1, 0);
        list->setColumnWidth(3, 0);
        PrintDialog::setNextPdf(pdf);
        QVERIFY(CPrintListCtrl(list.get()).print("Tavelle (tm) Suite Reminders"));
        const QString text = tavrin::test::pdfPages(pdf).join("\n");
        QVERIFY(text.contains("Reminder 002"));
        QVERIFY(text.contains("Occurence"));
        QVERIFY(!text.contains("Interval"));
        QVERIFY(!text.contains("Daily"));
        QVERIFY(!text.contains("Secret"));
        QVERIFY(!text.contains("HIDDEN"));
        QVERIFY(QRegularExpression(R"(Reminder 001\s+at 01:00)").match(text).hasMatch());
    }

    void selectionPrintsExactlyTheSelectedRowsUnderOneHeader() {
        auto list = reminders(200);
        list->setMultiSelect(true);
        list->setRowSelected(3, true);
        list->setRowSelected(170, true);
        PrintDialog::setNextPdf(pdf, true);
        QVERIFY(CPrintListCtrl(list.get()).print("Tavelle (tm) Suite Current Reminders"));
        QCOMPARE(pageCount(pdf), 1);
        const QString text = tavrin::test::pdfPages(pdf).join("\n");
        QCOMPARE(text.count("Reminder "), 2);
        QVERIFY(text.contains("Reminder 003"));
        QVERIFY(text.contains("Reminder 170"));
        QCOMPARE(text.count("Page # "), 1);
        QCOMPARE(text.count("Description"), 1);
        QVERIFY(text.contains("Tavelle (tm) Suite Current Reminders"));

        // Without "Selection" the same list prints every row.
        PrintDialog::setNextPdf(pdf, false);
        QVERIFY(CPrintListCtrl(list.get()).print("Tavelle (tm) Suite Current Reminders"));
        QCOMPARE(tavrin::test::pdfPages(pdf).join("\n").count("Reminder "), 200);
    }

    void cancellingPrintsNothing() {
        auto list = reminders(2);
        PrintDialog::cancelNext();
        QVERIFY(!CPrintListCtrl(list.get()).print("Tavelle (tm) Suite Reminders"));
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(!CPrintListCtrl().print("no list attached"));
    }

    void bodyFontSizeComesFromTheSettings() {
        auto list = reminders(120);
        PrintDialog::setNextPdf(pdf);
        QVERIFY(CPrintListCtrl(list.get()).print("Small"));
        const int small = pageCount(pdf);

        QVERIFY(settings::write(settings::PrintBodySize, 24));
        PrintDialog::setNextPdf(pdf);
        QVERIFY(CPrintListCtrl(list.get()).print("Large"));
        const int large = pageCount(pdf);
        QVERIFY2(large > small, qPrintable(QString("%1 %2").arg(small).arg(large)));
    }

    void columnsAreAsWideAsTheirLongestText() {
        // Column 0 holds a long text in one row only; the next column starts after it.
        auto list = std::make_unique<CCustomListCtrl>();
        list->insertColumn("A", 20);
        list->insertColumn("B", 20);
        list->addRow({"short", "x"});
        list->addRow({"a much longer text than the header", "y"});
        auto printer = PrintDialog::pdfPrinter(pdf);
        QVERIFY(CPrintListCtrl(list.get()).print("Widths", *printer, false));
        const QStringList lines = tavrin::test::pdfPages(pdf).join("\n").split('\n');
        auto columnOf = [&](const QString& start, const QString& what) {
            for (const QString& l : lines)
                if (l.trimmed().startsWith(start)) return int(l.indexOf(what, start.size()));
            return -1;
        };
        const int header = columnOf("A", "B");
        const int shortRow = columnOf("short", "x");
        const int longRow = columnOf("a much longer", "y");
        QVERIFY(header > 30);
        QVERIFY(qAbs(header - shortRow) <= 1);
        QVERIFY(qAbs(header - longRow) <= 1);
    }

    // Nothing to list prints nothing: no page, no file, and no print dialog is asked for.
    void emptyListPrintsNothing() {
        auto empty = reminders(0);
        auto printer = PrintDialog::pdfPrinter(pdf);
        QVERIFY(!CPrintListCtrl(empty.get()).print("Tavelle (tm) Suite Planners", *printer, false));
        QVERIFY(!QFile::exists(pdf));

        // "Selection" with no row selected lists nothing either.
        auto three = reminders(3);
        QVERIFY(!CPrintListCtrl(three.get()).print("Tavelle (tm) Suite Planners", *printer, true));
        QVERIFY(!QFile::exists(pdf));

        // Through the dialog: the answer scripted for it stays unused by the empty list.
        PrintDialog::setNextPdf(pdf);
        QVERIFY(!CPrintListCtrl(empty.get()).print("Tavelle (tm) Suite Planners"));
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(CPrintListCtrl(three.get()).print("Tavelle (tm) Suite Planners"));
        QCOMPARE(pageCount(pdf), 1);
    }

    void rowTallerThanAPageDoesNotLoop() {
        QVERIFY(settings::write(settings::PrintBodySize, 900));
        auto list = reminders(3);
        auto printer = PrintDialog::pdfPrinter(pdf);
        QVERIFY(CPrintListCtrl(list.get()).print("Huge", *printer, false));
        QCOMPARE(pageCount(pdf), 3);
    }
};

QTEST_MAIN(TestPrintList)
#include "tst_printlist.moc"
