// The contacts page on a diary: name order without regard to case, Delete answered No
// part-way, mail and web through the desktop for the first selected row, and contact cards that
// move whole to the next page.

#include "DiaryFixture.h"
#include "PdfText.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "organiser/CTavrinDlgAddress.h"
#include "organiser/logic/AddressBook.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/ShellOpen.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace tavrin;
using namespace tavrin::organiser;
using platform::MessageBox;
using platform::MsgAnswer;
using platform::ShellOpen;

namespace {

AddressBook::Contact contact(const char* name, const char* email = "", const char* web = "",
                             const std::string& misc = "") {
    AddressBook::Contact c;
    c[AddressBook::Name] = name;
    c[AddressBook::Email] = email;
    c[AddressBook::Web] = web;
    c[AddressBook::Misc] = misc;
    return c;
}

void seed(const std::vector<AddressBook::Contact>& cs) {
    QVERIFY(AddressBook::add(*app::DiaryState::instance().makeTN(), cs));
}

QStringList storedNames() {
    std::vector<ContactRecord> recs;
    app::DiaryState::instance().makeTN()->contacts.ReadAll(recs);
    QStringList out;
    for (const auto& r : recs)
        out << QString::fromStdString(r.name());
    return out;
}

QStringList names(ui::CCustomListCtrl* list) {
    QStringList out;
    for (int r = 0; r < list->rowCount(); ++r)
        out << list->itemText(r, 0);
    return out;
}

void click(QWidget* page, const char* name) {
    auto* b = page->findChild<QAbstractButton*>(name);
    QVERIFY2(b, name);
    b->click();
}

} // namespace

class TestContactsPage : public QObject {
    Q_OBJECT
    std::unique_ptr<CTavrinDlgAddress> page;

private slots:
    void init() {
        static int n = 0;
        test::clearSettings();
        MessageBox::clearRecorded();
        ShellOpen::clearRecorded();
        const QString path = test::makeDiary(QString("contacts%1").arg(++n), "secret", 1);
        auto& s = app::DiaryState::instance();
        s.choose(path, test::extOffsetOf(path));
        s.setOpen(true);
        page = std::make_unique<CTavrinDlgAddress>();
        page->pageShown();
    }
    void cleanup() { page.reset(); }

    void addKeepsNameOrderWithoutRegardToCase() {
        seed({contact("Carol"), contact("Alice")});
        page->refresh();
        QCOMPARE(names(page->list()), QStringList({"Alice", "Carol"}));

        static_cast<QLineEdit*>(page->input(AddressBook::Name))->setText("bob");
        static_cast<QPlainTextEdit*>(page->input(AddressBook::Address))
            ->setPlainText("1 Lane\nYork");
        static_cast<QLineEdit*>(page->input(AddressBook::Fax))->setText("555");
        click(page.get(), "addButton");
        QCOMPARE(storedNames(), QStringList({"Alice", "bob", "Carol"}));
        QCOMPARE(names(page->list()), QStringList({"Alice", "bob", "Carol"}));
        QCOMPARE(page->list()->itemText(1, AddressBook::Fax), QString("555"));
        // New follows: the inputs are empty and Modify waits for a selection.
        QVERIFY(page->inputs() == AddressBook::Contact{});
        QVERIFY(!page->findChild<QPushButton*>("modifyButton")->isEnabled());

        // A selected contact fills the inputs, line breaks as they were typed.
        page->list()->selectRow(1);
        QCOMPARE(static_cast<QPlainTextEdit*>(page->input(AddressBook::Address))->toPlainText(),
                 QString("1 Lane\nYork"));
        QCOMPARE(page->inputs()[AddressBook::Address], std::string("1 Lane\r\nYork"));

        // A contact with every field empty is accepted and comes first.
        click(page.get(), "newButton");
        click(page.get(), "addButton");
        QCOMPARE(names(page->list()), QStringList({"", "Alice", "bob", "Carol"}));
    }

    void noDuringDeleteStopsAndPurgesWhatWasConfirmed() {
        seed({contact("Ann"), contact("Ben"), contact("Cy"), contact("Dot")});
        page->refresh();
        for (int r : {0, 1, 3})
            page->list()->setRowSelected(r, true);
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        MessageBox::setNextAnswer(MsgAnswer::No);
        click(page.get(), "deleteButton");
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({"Are you sure you wish to delete Ann?",
                              "Are you sure you wish to delete Ben?"}));
        QCOMPARE(storedNames(), QStringList({"Ben", "Cy", "Dot"}));
        QCOMPARE(names(page->list()), QStringList({"Ben", "Cy", "Dot"}));
    }

    void mailAndWebUseTheFirstSelectedRow() {
        seed({contact("Ann", "", "ann.example.org"), contact("Ben", "ben@example.org", "")});
        page->refresh();
        click(page.get(), "webButton");
        click(page.get(), "mailButton");
        page->list()->setRowSelected(0, true);
        page->list()->setRowSelected(1, true);
        click(page.get(), "webButton");
        click(page.get(), "mailButton"); // Ann has none
        page->list()->setRowSelected(0, false);
        click(page.get(), "mailButton");
        click(page.get(), "webButton"); // Ben has none
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({"You must have an address selected in order to visit the WWW site!",
                              "You must have an address selected in order to send an e-mail!",
                              "The e-mail address is empty!", "The WWW address is empty!"}));
        QCOMPARE(ShellOpen::recorded().size(), 2);
        QCOMPARE(ShellOpen::recorded().at(0).target, QString("http://ann.example.org"));
        QCOMPARE(ShellOpen::recorded().at(1).target, QString("mailto:ben@example.org"));
    }

    void cardsThatDoNotFitMoveWholeToTheNextPage() {
        // Notes long enough to wrap over several lines, so that cards differ in height.
        std::vector<AddressBook::Contact> cs;
        for (int i = 0; i < 14; ++i) {
            std::string misc;
            for (int w = 0; w < 8 + (i % 4) * 14; ++w)
                misc += "note" + std::to_string(w) + " ";
            cs.push_back(
                contact(("Person " + std::to_string(10 + i)).c_str(), "p@example.org", "", misc));
        }
        seed(cs);
        page->refresh();
        const QString pdf = test::scratchDir() + "/cards.pdf";
        QFile::remove(pdf);
        platform::PrintDialog::setNextPdf(pdf);
        click(page.get(), "printButton");

        const QStringList pages = test::pdfPages(pdf);
        QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
        const QRegularExpression rule(R"(^[ \t]*-{30}[ \t]*$)",
                                      QRegularExpression::MultilineOption);
        const QRegularExpression name(R"(^[ \t]*Person \d+ --------[ \t]*$)",
                                      QRegularExpression::MultilineOption);
        int cards = 0;
        for (const QString& p : pages) {
            QVERIFY(p.contains("Tavelle (tm) Suite Contacts"));
            QVERIFY(!p.contains("Phone (home)")); // no column header row on card pages
            // Every card on a page has both its rules there: none was cut in two.
            const int names = int(p.count(name)), rules = int(p.count(rule));
            QCOMPARE(rules, 2 * names);
            QVERIFY(names > 0);
            cards += names;
        }
        QCOMPARE(cards, 14);
    }
};

QTEST_MAIN(TestContactsPage)
#include "tst_contactspage.moc"
