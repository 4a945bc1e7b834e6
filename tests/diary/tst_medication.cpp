// The medication page driven as a user would: typing into the inputs, pressing the buttons,
// selecting rows; the messages and the printout are checked as the user would see them.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "diary/CTavrinPPViewMedication.h"
#include "diary/MedicationList.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"

#include <QDateTimeEdit>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::diary;
using platform::MessageBox;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

// 1 December 2026, 10:00 in Berlin.
constexpr std::int64_t kToday = 1'796'115'600;

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Types each character as a key press carrying its text, as a keyboard layout with that
// character would (keyClicks only knows Latin-1).
void typeText(QWidget* w, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestMedication : public QObject {
    Q_OBJECT
    QString path;
    std::unique_ptr<CTavrinPPViewMedication> page;

    QLineEdit* edit(const char* name) { return page->findChild<QLineEdit*>(name); }
    QDateTimeEdit* date() { return page->findChild<QDateTimeEdit*>("dateIssued"); }
    void press(const char* name) {
        auto* b = page->findChild<QPushButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void typeMedication(const QString& name, const QString& quantity,
                        const QString& frequency = "twice a day",
                        const QString& doctor = "Dr Holm") {
        for (auto* e :
             {edit("medicationName"), edit("quantity"), edit("frequency"), edit("doctor")})
            e->clear();
        QTest::keyClicks(edit("medicationName"), name);
        QTest::keyClicks(edit("quantity"), quantity);
        QTest::keyClicks(edit("frequency"), frequency);
        QTest::keyClicks(edit("doctor"), doctor);
    }
    QStringList column(int c) const {
        QStringList out;
        for (int r = 0; r < page->list()->rowCount(); ++r)
            out << page->list()->itemText(r, c);
        return out;
    }
    std::vector<Medication> stored() const {
        std::vector<Medication> all;
        auto tn = app::DiaryState::instance().makeTN();
        if (!MedicationList::readAll(*tn, all)) all.clear();
        return all;
    }
    bool inputsAreNew() {
        return edit("medicationName")->text().isEmpty() && edit("quantity")->text().isEmpty() &&
               edit("frequency")->text().isEmpty() && edit("doctor")->text().isEmpty() &&
               date()->dateTime() == QDateTime(QDate(2026, 12, 1), QTime(10, 0));
    }

private slots:
    void init() {
        static int n = 0;
        test::clearSettings();
        platform::Clock::setFixed(kToday);
        path = test::makeDiary(QString("page%1").arg(++n), "secret", 1);
        auto& state = app::DiaryState::instance();
        state.choose(path, test::extOffsetOf(path));
        state.setOpen(true);
        MessageBox::clearRecorded();
        page = std::make_unique<CTavrinPPViewMedication>();
        page->resize(560, 320);
        page->show();
    }
    void cleanup() {
        page.reset();
        app::DiaryState::instance().close();
        platform::Clock::clearFixed();
    }

    void columnsAndTheirStoredWidths() {
        const auto* list = page->list();
        QCOMPARE(list->columnCount(), 5);
        QStringList titles;
        for (int c = 0; c < 5; ++c)
            titles << list->columnTitle(c);
        QCOMPARE(titles,
                 QStringList({"Medication Name", "Dosage", "Frequency", "Doctor", "Date Issued"}));
        QCOMPARE(list->columnAlignment(4) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(list->columnWidth(0), 128);
        // Every title fits its column with the header's padding; a right-aligned title that
        // does not is cut on its left (")ate Issued").
        const QFontMetrics header = list->header()->fontMetrics();
        for (int c = 0; c < 5; ++c)
            QVERIFY2(list->columnWidth(c) >= header.horizontalAdvance(titles[c]) + 8,
                     qPrintable(titles[c]));
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);

        // Widths are kept under the medication list's own keys.
        page->list()->setColumnWidth(1, 77);
        page.reset();
        const QString key = settings::columnKey(settings::MedicationList, 1);
        QCOMPARE(key, QString("medicationList 01"));
        QCOMPARE(platform::SettingsStore::readInt(key, -1), 77);
        page = std::make_unique<CTavrinPPViewMedication>();
        QCOMPARE(page->list()->columnWidth(1), 77);
    }

    void addKeepsTheListInNameOrderAndStartsANewMedication() {
        typeMedication("b", "10 mg");
        press("addButton");
        QVERIFY(inputsAreNew());
        typeMedication("A", "5 ml", "at night", "Dr Ek");
        press("addButton");
        QCOMPARE(column(0), QStringList({"A", "b"}));
        const QStringList a = {page->list()->itemText(0, 0), page->list()->itemText(0, 1),
                               page->list()->itemText(0, 2), page->list()->itemText(0, 3),
                               page->list()->itemText(0, 4)};
        QCOMPARE(a, QStringList({"A", "5 ml", "at night", "Dr Ek", "12/01/26"}));
        QVERIFY(inputsAreNew());
        QCOMPARE(stored().size(), std::size_t(2));
        QCOMPARE(stored().front().name, QString("A"));
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    // A diary just created has no entry, hence no password and no open flag yet: its
    // medications can be kept all the same.
    void addWorksInADiaryJustCreated() {
        page.reset();
        const QString fresh = test::makeDiary("justCreated", "unused", 0);
        auto& state = app::DiaryState::instance();
        state.choose(fresh, test::extOffsetOf(fresh));
        state.setOpen(false);
        state.setEmptyDiary(true);
        page = std::make_unique<CTavrinPPViewMedication>();
        page->show();
        typeMedication("Iron", "1 tablet");
        press("addButton");
        QVERIFY(MessageBox::recorded().isEmpty());
        QCOMPARE(column(0), QStringList({"Iron"}));
        QCOMPARE(stored().size(), std::size_t(1));
        state.setEmptyDiary(false);
    }

    void emptyTextsMayBeAdded() {
        press("addButton");
        QCOMPARE(page->list()->rowCount(), 1);
        QCOMPARE(column(0), QStringList({""}));
        QCOMPARE(stored().front().dateIssued, kToday);
    }

    void selectingARowFillsTheInputsAndAddStoresACopy() {
        typeMedication("Ibuprofen", "400 mg", "when needed", "Dr Sand");
        date()->setDate(QDate(2026, 9, 14));
        press("addButton");
        typeMedication("Zinc", "1");
        press("addButton");
        typeMedication("typed", "but not added");

        page->list()->selectRow(0);
        QCOMPARE(edit("medicationName")->text(), QString("Ibuprofen"));
        QCOMPARE(edit("quantity")->text(), QString("400 mg"));
        QCOMPARE(edit("frequency")->text(), QString("when needed"));
        QCOMPARE(edit("doctor")->text(), QString("Dr Sand"));
        // The day picked, at the time of day the inputs were started with.
        QCOMPARE(date()->dateTime(), QDateTime(QDate(2026, 9, 14), QTime(10, 0)));

        press("addButton");
        QCOMPARE(column(0), QStringList({"Ibuprofen", "Ibuprofen", "Zinc"}));
        QCOMPARE(column(4), QStringList({"09/14/26", "09/14/26", "12/01/26"}));
        const auto all = stored();
        QCOMPARE(all[0].dateIssued, all[1].dateIssued);
        QCOMPARE(MedicationList::toDateTime(all[1].dateIssued),
                 QDateTime(QDate(2026, 9, 14), QTime(10, 0)));
    }

    void aRowWhoseRecordIsGoneStartsANewMedication() {
        typeMedication("Gone", "1");
        press("addButton");
        QVERIFY(QFile::remove(
            QString::fromStdString(app::DiaryState::instance().makeTN()->medication.path())));
        typeMedication("typed", "2");
        page->list()->selectRow(0);
        QVERIFY(inputsAreNew());
    }

    void inputsTakeNoMoreThanTheirFieldsHold() {
        QTest::keyClicks(edit("quantity"), "1234567890");
        QCOMPARE(edit("quantity")->text(), QString("123456789"));
        QTest::keyClicks(edit("medicationName"), QString(35, 'n'));
        QCOMPARE(edit("medicationName")->text().size(), 29);
        QTest::keyClicks(edit("frequency"), QString(35, 'f'));
        QCOMPARE(edit("frequency")->text().size(), 29);
        QTest::keyClicks(edit("doctor"), QString(35, 'd'));
        QCOMPARE(edit("doctor")->text().size(), 29);
        // Characters outside ASCII are single bytes in the diary and count as one.
        edit("quantity")->clear();
        typeText(edit("quantity"), QString("½ tablet €x"));
        QCOMPARE(edit("quantity")->text(), QString("½ tablet "));
    }

    void deletingTheOnlyMedicationLeavesAnEmptyListAndNewInputs() {
        typeMedication("Aspirin", "100 mg");
        press("addButton");
        page->list()->selectRow(0);
        QCOMPARE(edit("medicationName")->text(), QString("Aspirin"));
        platform::Clock::setFixed(kToday + 86400); // the day after: New takes the clock again
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        press("deleteButton");

        QCOMPARE(MessageBox::recorded().size(), 1);
        const auto& q = MessageBox::recorded().first();
        QCOMPARE(q.text, QString("Are you sure you wish to delete Aspirin?"));
        QCOMPARE(q.buttons, MsgButtons::YesNo);
        QCOMPARE(q.caption, QString(texts::kProgramTitle));
        QCOMPARE(page->list()->rowCount(), 0);
        QVERIFY(stored().empty());
        QVERIFY(edit("medicationName")->text().isEmpty());
        QVERIFY(edit("quantity")->text().isEmpty());
        QCOMPARE(date()->dateTime(), QDateTime(QDate(2026, 12, 2), QTime(10, 0)));
    }

    void deleteAsksFirstAndNeedsASelection() {
        for (const char* name : {"Cc", "Bb", "Aa"}) {
            typeMedication(name, "1");
            press("addButton");
        }
        press("deleteButton");
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({"You must have a medication selected in order to delete it!"}));
        QCOMPARE(MessageBox::recorded().first().icon, MsgIcon::Warning);

        MessageBox::clearRecorded();
        page->list()->selectRow(1);
        MessageBox::setNextAnswer(MsgAnswer::No);
        press("deleteButton");
        QCOMPARE(MessageBox::recordedTexts(), QStringList({"Are you sure you wish to delete Bb?"}));
        QCOMPARE(column(0), QStringList({"Aa", "Bb", "Cc"}));
        QCOMPARE(edit("medicationName")->text(), QString("Bb"));

        // Yes removes exactly the selected row's record.
        page->list()->selectRow(1);
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        press("deleteButton");
        QCOMPARE(column(0), QStringList({"Aa", "Cc"}));
        QCOMPARE(stored().size(), std::size_t(2));
        QVERIFY(inputsAreNew());
    }

    void printingAnEmptyListOnlyWarns() {
        const QString pdf = test::scratchDir() + "/empty.pdf";
        platform::PrintDialog::setNextPdf(pdf);
        press("printButton");
        QCOMPARE(
            MessageBox::recordedTexts(),
            QStringList({"You must have at least one medication present in order to print it!"}));
        QCOMPARE(MessageBox::recorded().first().icon, MsgIcon::Warning);
        QVERIFY(!QFile::exists(pdf));
        platform::PrintDialog::cancelNext(); // the answer meant for this test is not left to the
                                             // next
    }

    void printsTheListAndLeavesTheColumnWidthsAsTheUserSetThem() {
        typeMedication("Vitamin D", "1000 IU", "every morning", "Dr Ek");
        press("addButton");
        typeMedication("magnesium", "250 mg", "evenings", "Dr Holm");
        press("addButton");
        page->list()->setColumnWidth(2, 150); // resized by the user, not yet saved
        const QString pdf = test::scratchDir() + "/medication.pdf";
        platform::PrintDialog::setNextPdf(pdf);
        press("printButton");
        QVERIFY(MessageBox::recorded().isEmpty());
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains("Tavelle (tm) Suite Medications"), qPrintable(text));
        QVERIFY(text.contains("Page # 1"));
        QVERIFY(QRegularExpression(R"(Medication Name\s+Dosage\s+Frequency\s+Doctor\s+Date Issued)")
                    .match(text)
                    .hasMatch());
        QVERIFY(QRegularExpression(R"(magnesium\s+250 mg\s+evenings\s+Dr Holm\s+12/01/26)")
                    .match(text)
                    .hasMatch());
        QVERIFY(text.indexOf("magnesium") < text.indexOf("Vitamin D"));
        QCOMPARE(page->list()->columnWidth(2), 150);
    }

    void theListIsReadAgainEachTimeThePageIsShown() {
        page->hide();
        auto tn = app::DiaryState::instance().makeTN();
        Medication m;
        m.name = "Added elsewhere";
        m.dateIssued = kToday;
        QVERIFY(MedicationList::add(*tn, m));
        QCOMPARE(page->list()->rowCount(), 0);
        page->show();
        QCOMPARE(column(0), QStringList({"Added elsewhere"}));
    }

    void withoutAnOpenDiaryNothingIsListedOrStored() {
        typeMedication("Kept", "1");
        press("addButton");
        QCOMPARE(page->list()->rowCount(), 1);

        // Closing the diary takes its medications off the page.
        app::DiaryState::instance().close();
        QCOMPARE(page->list()->rowCount(), 0);
        typeMedication("Nowhere", "1");
        press("addButton");
        QCOMPARE(MessageBox::recordedTexts(), QStringList({texts::kNoDiary}));
        QCOMPARE(edit("medicationName")->text(), QString("Nowhere"));

        // The diary chosen again but not yet opened shows nothing either.
        app::DiaryState::instance().choose(path, test::extOffsetOf(path));
        page->hide();
        page->show();
        QCOMPARE(page->list()->rowCount(), 0);
        app::DiaryState::instance().setOpen(true);
        QCOMPARE(column(0), QStringList({"Kept"}));
    }

    void anEntryShownChangesNothing() {
        typeMedication("Per diary", "1");
        press("addButton");
        TN tn(0, path.toStdString(), test::extOffsetOf(path));
        QVERIFY(tn.FirstEntry(true));
        typeMedication("typing", "2");
        page->showEntry(tn);
        page->clearEntry();
        QCOMPARE(column(0), QStringList({"Per diary"}));
        QCOMPARE(edit("medicationName")->text(), QString("typing"));
    }
};

QTEST_MAIN(TestMedication)
#include "tst_medication.moc"
