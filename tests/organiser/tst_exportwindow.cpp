// The export window: each of its six choices writes its own kind of file for the table it
// names, asks for a file of the matching type, shows progress per record, and wants a new
// destination before the next export.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "organiser/CTavrinDlgExport.h"
#include "organiser/logic/AddressBook.h"
#include "organiser/logic/PlannerItems.h"
#include "organiser/logic/ReminderSchedule.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "storage/TN.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace tavrin;
using namespace tavrin::organiser;
using platform::FileChooser;

class TestExportWindow : public QObject {
    Q_OBJECT

private slots:
    void init() {
        test::clearSettings();
        platform::MessageBox::clearRecorded();
        static int n = 0;
        const QString path = test::makeDiary(QString("exportwindow%1").arg(++n), "secret", 1);
        auto& s = app::DiaryState::instance();
        s.choose(path, test::extOffsetOf(path));
        s.setOpen(true);
        auto tn = s.makeTN();
        AddressBook::Contact alice, bob;
        alice[AddressBook::Name] = "Alice";
        bob[AddressBook::Name] = "Bob";
        bob[AddressBook::Misc] = "Met at the choir, Tuesdays";
        QVERIFY(AddressBook::add(*tn, {alice, bob}));
        QVERIFY(PlannerItems::add(*tn, PlannerItems::forDays({2026, 12, 30}, 3, "Pack", 1)));
        const auto daily =
            ReminderSchedule::makeRecord(ReminderRecord::Daily, 0, 0, 0, "Pills", true);
        QVERIFY(tn->reminders.AddAll({daily}));
        platform::Clock::setFixed(1796000000);
    }
    void cleanup() { platform::Clock::clearFixed(); }

    void eachChoiceWritesItsOwnFile_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("marker");
        QTest::newRow("reminders as text") << 0 << "txt" << 1 << "Exporting reminder 0"
                                           << "Pills|Daily|";
        QTest::newRow("planner as text") << 1 << "txt" << 3 << "Exporting planner 2"
                                         << "Pack|Important|";
        QTest::newRow("contacts as text") << 2 << "txt" << 2 << "Exporting contact 1"
                                          << "Bob|";
        QTest::newRow("reminders as calendar") << 3 << "ics" << 1 << "Exporting reminder 0"
                                               << "RRULE:FREQ=DAILY\r\n";
        QTest::newRow("planner as calendar") << 4 << "ics" << 3 << "Exporting planner 2"
                                             << "BEGIN:VTODO\r\n";
        QTest::newRow("contacts as cards") << 5 << "vcf" << 2 << "Exporting contact 1"
                                           << "NOTE:Met at the choir\\, Tuesdays\r\n";
    }
    void eachChoiceWritesItsOwnFile() {
        QFETCH(int, choice);
        QFETCH(QString, extension);
        QFETCH(int, records);
        QFETCH(QString, status);
        QFETCH(QString, marker);

        CTavrinDlgExport window;
        QCOMPARE(window.tableChoice()->count(), 7); // the last: the spreadsheet of the entries
        window.tableChoice()->setCurrentIndex(choice);
        QVERIFY(!window.startButton()->isEnabled());
        // Typed without an extension: the choice's own is put on.
        const QString typed = QFileInfo(app::DiaryState::instance().path()).dir().filePath("out");
        FileChooser::setNextFileName(typed);
        window.chooseDestination();
        QCOMPARE(FileChooser::lastRequest().defaultExtension, extension);
        QVERIFY(window.startButton()->isEnabled());
        window.start();

        QFile file(typed + "." + extension);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.contains(marker.toUtf8()), bytes.constData());
        QCOMPARE(window.progress()->maximum(), records);
        QCOMPARE(window.progress()->value(), records);
        QCOMPARE(window.status(), status);
        QVERIFY(!window.startButton()->isEnabled());
        file.remove();
    }
};

QTEST_MAIN(TestExportWindow)
#include "tst_exportwindow.moc"
