// The address book's rules without a display: the web address the browser gets, the printed
// card, and the field limits that tavrin-cli enforces.

#include "organiser/logic/AddressBook.h"

#include <QTest>

using namespace tavrin;
using namespace tavrin::organiser;

class TestAddressBook : public QObject {
    Q_OBJECT
private slots:
    void webTargetPutsHttpInFrontUnlessTheTextHasAScheme_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("bare host") << "www.example.org"
                                   << "http://www.example.org";
        QTest::newRow("already http") << "http://example.org/a"
                                      << "http://example.org/a";
        QTest::newRow("https") << "https://birkenhof.example.org"
                               << "https://birkenhof.example.org";
        QTest::newRow("scheme in capitals") << "HTTP://EXAMPLE.ORG"
                                            << "HTTP://EXAMPLE.ORG";
        QTest::newRow("other schemes") << "ftp://files.example.org"
                                       << "ftp://files.example.org";
        QTest::newRow("without slashes") << "mailto:ann@lee.org"
                                         << "mailto:ann@lee.org";
        QTest::newRow("a host and port") << "localhost:8080/diary"
                                         << "http://localhost:8080/diary";
        QTest::newRow("a dotted host and port") << "example.org:8080"
                                                << "http://example.org:8080";
        QTest::newRow("a colon in the path") << "example.org/a:b"
                                             << "http://example.org/a:b";
        QTest::newRow("http after other text") << "see http://example.org"
                                               << "http://see http://example.org";
    }
    void webTargetPutsHttpInFrontUnlessTheTextHasAScheme() {
        QFETCH(QString, address);
        QTEST(QString::fromStdString(AddressBook::webTarget(address.toStdString())), "opened");
    }

    void cardHoldsEveryFieldInItsPlace() {
        AddressBook::Contact c = {
            "Ann Lee", "Lee & Co", "1 High St\r\nLeeds", "111",     "222",
            "333",     "444",      "ann@lee.org",        "lee.org", "Tea, no sugar"};
        QCOMPARE(QString::fromStdString(AddressBook::cardText(c)),
                 QString("------------------------------\n"
                         "Ann Lee --------\n"
                         "Company: Lee & Co   Work phone: 222\n"
                         "Address: 1 High St\r\nLeeds\n"
                         "Home phone: 111   Mobile phone: 333   Fax: 444\n"
                         "e-mail: ann@lee.org   WWW: lee.org\n"
                         "Miscellaneous: Tea, no sugar\n"
                         "------------------------------\n"));
        // Stored and read back field by field.
        QCOMPARE(AddressBook::fromRecord(AddressBook::toRecord(c)), c);
    }

    void limitsAreOneLessThanTheFields() {
        const auto& fields = AddressBook::fields();
        for (int i = 0; i < AddressBook::kFields; ++i) {
            const int width = int(ContactRecord::fields()[std::size_t(i)].width);
            QCOMPARE(fields[std::size_t(i)].limit, width - 1);
            AddressBook::Contact c;
            c[std::size_t(i)] = std::string(std::size_t(width - 1), 'x');
            QVERIFY(AddressBook::check(c).empty());
            c[std::size_t(i)] += 'x';
            QCOMPARE(QString::fromStdString(AddressBook::check(c)),
                     QString("\"%1\" holds at most %2 characters")
                         .arg(fields[std::size_t(i)].key)
                         .arg(width - 1));
        }
    }
};

QTEST_GUILESS_MAIN(TestAddressBook)
#include "tst_addressbook.moc"
