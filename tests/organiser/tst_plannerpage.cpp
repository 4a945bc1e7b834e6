// The planner page on a diary: Add over a run of days, the all-entries view, ticks and
// Modify on the only item, Delete answered No part-way, and printing.

#include "DiaryFixture.h"
#include "PdfText.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "app/ListedTables.h"
#include "organiser/CTavrinDlgPlanner.h"
#include "organiser/PlannerCalendar.h"
#include "organiser/logic/PlannerItems.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using namespace tavrin;
using namespace tavrin::organiser;
using platform::MessageBox;
using platform::MsgAnswer;

namespace {

struct Stored {
    QDate day;
    QString description;
    int priority;
    bool done;
    bool operator==(const Stored&) const = default;
};

QList<Stored> stored() {
    std::vector<PlannerRecord> recs;
    app::DiaryState::instance().makeTN()->planner.ReadAll(recs);
    QList<Stored> out;
    for (const PlannerRecord& r : recs) {
        const CalendarDay d = PlannerItems::dayOf(r.date());
        out.append({QDate(d.year, d.month, d.day), QString::fromStdString(r.description()),
                    r.priority(), r.done() != 0});
    }
    return out;
}

void seed(const QList<Stored>& items) {
    auto tn = app::DiaryState::instance().makeTN();
    for (const Stored& s : items) {
        const auto recs =
            PlannerItems::forDays({s.day.year(), s.day.month(), s.day.day()}, 1,
                                  s.description.toStdString(), std::uint8_t(s.priority), s.done);
        QVERIFY(PlannerItems::add(*tn, recs));
    }
}

QStringList column(ui::CCustomListCtrl* list, int c) {
    QStringList out;
    for (int r = 0; r < list->rowCount(); ++r)
        out << list->itemText(r, c);
    return out;
}

void click(QWidget* page, const char* name) {
    auto* b = page->findChild<QAbstractButton*>(name);
    QVERIFY2(b, name);
    b->click();
}

} // namespace

class TestPlannerPage : public QObject {
    Q_OBJECT
    std::unique_ptr<CTavrinDlgPlanner> page;

private slots:
    void init() {
        static int n = 0;
        test::clearSettings();
        MessageBox::clearRecorded();
        const QString path = test::makeDiary(QString("planner%1").arg(++n), "secret", 1);
        auto& s = app::DiaryState::instance();
        s.choose(path, test::extOffsetOf(path));
        s.setOpen(true);
        page = std::make_unique<CTavrinDlgPlanner>();
        page->pageShown();
    }
    void cleanup() { page.reset(); }

    void addCoversEverySelectedDayAcrossTheMonthEnd() {
        seed({{QDate(2026, 2, 1), "Already there", 0, true}});
        page->pageShown();
        page->calendar()->setCurrentPage(2026, 2);
        page->calendar()->selectRange(QDate(2026, 1, 31), QDate(2026, 2, 2));
        page->description()->setText("Stretch");
        click(page.get(), "importantButton");
        click(page.get(), "addButton");

        QCOMPARE(stored(), QList<Stored>({{QDate(2026, 2, 1), "Already there", 0, true},
                                          {QDate(2026, 1, 31), "Stretch", 1, false},
                                          {QDate(2026, 2, 1), "Stretch", 1, false},
                                          {QDate(2026, 2, 2), "Stretch", 1, false}}));
        // By day, then in table order; the inputs start over.
        QCOMPARE(column(page->list(), 0),
                 QStringList({"Stretch", "Already there", "Stretch", "Stretch"}));
        QCOMPARE(column(page->list(), 1),
                 QStringList({"Important", "Normal", "Important", "Important"}));
        QVERIFY(page->description()->text().isEmpty());
        QVERIFY(page->findChild<QRadioButton*>("normalButton")->isChecked());
        QCOMPARE(page->selectionLine(), QString("SELECTED: done 1 out of 4 = 25.0 %"));
        QCOMPARE(page->calendar()->boldDays(), QList<int>({1, 2}));

        // The calendar never lets a run grow beyond 28 days.
        page->calendar()->selectRange(QDate(2026, 1, 1), QDate(2026, 3, 1));
        QCOMPARE(page->calendar()->last(), QDate(2026, 1, 28));
        page->calendar()->selectRange(QDate(2026, 3, 1), QDate(2026, 1, 1));
        QCOMPARE(page->calendar()->first(), QDate(2026, 2, 2));
    }

    void allEntriesViewListsNewestFirstWithTheLongDate() {
        seed({{QDate(2026, 3, 29), "Oldest", 0, false},
              {QDate(2026, 1, 2), "Middle", 1, true},
              {QDate(2026, 12, 31), "Newest", 0, false}});
        page->pageShown();
        click(page.get(), "showAllButton");
        auto* list = page->list();
        QCOMPARE(list->columnCount(), 3);
        QCOMPARE(list->columnTitle(2), QString("Date"));
        QCOMPARE(column(list, 0), QStringList({"Newest", "Middle", "Oldest"}));
        QCOMPARE(column(list, 2), QStringList({"Thursday, 31 December 2026",
                                               "Friday, 2 January 2026", "Sunday, 29 March 2026"}));
        QCOMPARE(list->itemData(0), qint64(2));
        QVERIFY(list->isChecked(1));
        // Selecting days goes back to the day view and its two columns.
        page->calendar()->selectRange(QDate(2026, 1, 2), QDate(2026, 1, 2));
        QCOMPARE(list->columnCount(), 2);
        QCOMPARE(column(list, 0), QStringList({"Middle"}));
    }

    void tickAndModifyKeepTheOnlyItem() {
        const QDate day(2026, 6, 1);
        seed({{day, "Only", 0, false}});
        page->calendar()->selectRange(day, day);
        auto* list = page->list();
        QCOMPARE(list->rowCount(), 1);
        list->selectRow(0);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(stored(), QList<Stored>({{day, "Only", 0, true}}));
        QCOMPARE(page->totalLine(), QString("TOTAL: done 1 out of 1 = 100.0 %"));

        QCOMPARE(page->description()->text(), QString("Only")); // the selected row's inputs
        page->description()->setText("Only, changed");
        click(page.get(), "importantButton");
        click(page.get(), "modifyButton");
        QCOMPARE(stored(), QList<Stored>({{day, "Only, changed", 1, true}}));
        QCOMPARE(column(list, 1), QStringList({"Important"}));
    }

    void noDuringDeleteStopsAndPurgesWhatWasConfirmed() {
        const QDate day(2026, 6, 2);
        seed({{day, "A", 0, false},
              {day, "B", 0, false},
              {day, "C", 0, false},
              {day.addDays(1), "D", 0, false}});
        page->calendar()->selectRange(day, day);
        auto* list = page->list();
        for (int r = 0; r < 3; ++r)
            list->setRowSelected(r, true);
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        MessageBox::setNextAnswer(MsgAnswer::No);
        click(page.get(), "deleteButton");
        QCOMPARE(MessageBox::recordedTexts(), QStringList({"Are you sure you wish to delete A?",
                                                           "Are you sure you wish to delete B?"}));
        QCOMPARE(stored(), QList<Stored>({{day, "B", 0, false},
                                          {day, "C", 0, false},
                                          {day.addDays(1), "D", 0, false}}));
        QCOMPARE(column(list, 0), QStringList({"B", "C"}));
        QCOMPARE(list->itemData(0), qint64(0)); // rows name the positions of the purged table
    }

    // Choosing other days keeps the chosen item for Modify. When another program then deletes
    // the item before it, Modify does not overwrite the one that moved into its place: the page
    // says the list changed and shows the table as it is.
    void modifyKeepsToTheChosenItem() {
        const QDate day(2026, 5, 10);
        seed({{day, "Gone soon", 0, false},
              {day, "Swim", 0, false},
              {day.addDays(1), "Read", 0, false}});
        page->calendar()->setCurrentPage(2026, 5);
        page->calendar()->selectRange(day, day);
        page->list()->selectRow(1);
        QCOMPARE(page->description()->text(), QString("Swim"));
        page->calendar()->selectRange(day.addDays(1), day.addDays(1));
        auto* modify = page->findChild<QPushButton*>("modifyButton");
        QVERIFY(modify->isEnabled());
        page->description()->setText("Swim 30 min");
        click(page.get(), "importantButton");
        modify->click();
        QCOMPARE(stored(), QList<Stored>({{day, "Gone soon", 0, false},
                                          {day, "Swim 30 min", 1, false},
                                          {day.addDays(1), "Read", 0, false}}));

        {
            auto tn = app::DiaryState::instance().makeTN();
            QVERIFY(tn->planner.Mark(0));
            QVERIFY(tn->planner.Purge());
        }
        MessageBox::clearRecorded();
        page->description()->setText("Overwritten");
        modify->click();
        QCOMPARE(stored(), QList<Stored>({{day, "Swim 30 min", 1, false},
                                          {day.addDays(1), "Read", 0, false}}));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{app::ListedTables::kChangedElsewhere});
        QVERIFY(!modify->isEnabled());
        QCOMPARE(column(page->list(), 0), QStringList{"Read"});
    }

    void printsTheListUnderItsTitle() {
        const QString pdf = test::scratchDir() + "/planner.pdf";
        QFile::remove(pdf);
        const QDate day(2026, 6, 3);
        page->calendar()->selectRange(day, day);
        click(page.get(), "printButton");
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({"You must have at least one planner present in order to print it!"}));

        seed({{day, "Buy stamps", 1, false}, {day, "Post the letter", 0, true}});
        page->pageShown();
        platform::PrintDialog::setNextPdf(pdf);
        click(page.get(), "printButton");
        const QString text = test::pdfText(pdf);
        QVERIFY2(text.contains("Tavelle (tm) Suite Planners"), qPrintable(text));
        QVERIFY(text.contains(QRegularExpression(R"(Buy stamps\s+Important)")));
        QVERIFY(text.contains(QRegularExpression(R"(Post the letter\s+Normal)")));
    }
};

QTEST_MAIN(TestPlannerPage)
#include "tst_plannerpage.moc"
