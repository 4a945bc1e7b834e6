// The reminders page, the current-reminders window and the alarm, on a diary in the scratch
// folder with "now" fixed to Thursday 4 March 2027, 18:15.
#include "DiaryFixture.h"
#include "PdfText.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "app/ListedTables.h"
#include "organiser/CTavrinDlgReminder.h"
#include "organiser/CTavrinDlgReminderView.h"
#include "organiser/DueReminders.h"
#include "organiser/logic/ReminderSchedule.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "platform/Sound.h"
#include "platform/TrayNotice.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTest>

#include <cstdlib>
#include <ctime>

using namespace tavrin;
using namespace tavrin::organiser;
using platform::MessageBox;
using platform::MsgAnswer;

namespace {

std::int64_t at(int y, int m, int d, int h = 12, int mi = 0) {
    return LocalTime::toTime({y, m, d, h, mi, 0});
}

std::vector<ReminderRecord> table() {
    std::vector<ReminderRecord> t;
    DueReminders::readTable(t);
    return t;
}

// Every row of a list as "description|interval|occurrence".
QStringList rowsOf(const ui::CCustomListCtrl* list) {
    QStringList rows;
    for (int r = 0; r < list->rowCount(); ++r)
        rows << list->itemText(r, 0) + "|" + list->itemText(r, 1) + "|" + list->itemText(r, 2);
    return rows;
}

QStringList rowsOfTable() {
    QStringList rows;
    for (const auto& r : table())
        rows << CTavrinDlgReminder::rowTexts(r).join('|');
    return rows;
}

// The page's way of adding: kind, day of week, description, Add.
void add(CTavrinDlgReminder& page, const char* kindButton, const QString& description,
         int day = 5) {
    page.findChild<QRadioButton*>(kindButton)->click();
    page.findChild<QComboBox*>("dayOfWeek")->setCurrentIndex(day);
    page.findChild<QLineEdit*>("description")->setText(description);
    page.findChild<QPushButton*>("addButton")->click();
}

} // namespace

class TestReminderPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
        platform::Clock::setFixed(at(2027, 3, 4, 18, 15));
    }

    void init() {
        platform::Clock::setFixed(at(2027, 3, 4, 18, 15));
        test::clearSettings();
        MessageBox::clearRecorded();
        platform::Sound::clearRecorded();
        platform::TrayNotice::clearRecorded();
        static int n = 0;
        const QString path = test::makeDiary(QString("reminders%1").arg(++n));
        auto& state = app::DiaryState::instance();
        state.choose(path, test::extOffsetOf(path));
        state.setOpen(true);
    }

    // Whatever order they are added in, daily come first, then weekly, monthly, yearly; the list
    // is the table row for row.
    void addKeepsTheTableOrder() {
        DueReminders due;
        CTavrinDlgReminder page(due);
        page.pageShown();
        add(page, "yearlyButton", "Birthday");
        add(page, "monthlyButton", "Rent");
        add(page, "weeklyButton", "Choir", 5);
        QCOMPARE(page.findChild<QLineEdit*>("preview")->text(), QString("every Friday at 18:15"));
        add(page, "dailyButton", "Pills");
        add(page, "yearlyButton", "");
        const QStringList expected = {"Pills|Daily|everyday at 18:15",
                                      "Choir|Weekly|every Friday at 18:15",
                                      "Rent|Monthly|on the 04 day of every month",
                                      "Birthday|Yearly|every year on the 04 of March",
                                      "n/a|Yearly|every year on the 04 of March"};
        QCOMPARE(rowsOf(page.reminderList()), expected);
        QCOMPARE(rowsOfTable(), expected);
        QVERIFY(page.findChild<QLineEdit*>("description")->text().isEmpty());

        // Modify: the chosen row takes the inputs, an empty description stays empty, and the
        // table is sorted again (the monthly reminder becomes a daily one).
        QVERIFY(!page.findChild<QPushButton*>("modifyButton")->isEnabled());
        page.reminderList()->selectRow(2);
        QCOMPARE(page.findChild<QLineEdit*>("description")->text(), QString("Rent"));
        QVERIFY(page.findChild<QRadioButton*>("monthlyButton")->isChecked());
        QVERIFY(page.findChild<QPushButton*>("modifyButton")->isEnabled());
        page.findChild<QRadioButton*>("dailyButton")->click();
        page.findChild<QLineEdit*>("description")->clear();
        page.findChild<QPushButton*>("modifyButton")->click();
        QCOMPARE(rowsOf(page.reminderList()).mid(0, 3),
                 QStringList({"Pills|Daily|everyday at 18:15", "|Daily|everyday at 18:15",
                              "Choir|Weekly|every Friday at 18:15"}));
        QCOMPARE(rowsOfTable(), rowsOf(page.reminderList()));

        // A new weekly reminder takes the old place of the chosen record, which moved up with
        // the last sort; Modify still changes the chosen record, not what now stands there.
        add(page, "weeklyButton", "Gym", 1);
        page.findChild<QLineEdit*>("description")->setText("Rent again");
        page.findChild<QPushButton*>("modifyButton")->click();
        QCOMPARE(rowsOf(page.reminderList()).mid(0, 4),
                 QStringList(
                     {"Pills|Daily|everyday at 18:15", "Rent again|Weekly|every Monday at 18:15",
                      "Gym|Weekly|every Monday at 18:15", "Choir|Weekly|every Friday at 18:15"}));
        QCOMPARE(rowsOfTable(), rowsOf(page.reminderList()));
    }

    // Rows 0, 1 and 2 of four are selected; the answers go to the questions in list order. No
    // cancels the rest, and what was confirmed before it is gone from table and list alike.
    void deleteSeveral_data() {
        QTest::addColumn<int>("ask");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("all confirmed") << 1 << "YYY" << QStringList{"Yearly"};
        QTest::newRow("No at the second")
            << 1 << "YN" << QStringList{"Weekly", "Monthly", "Yearly"};
        QTest::newRow("No at once")
            << 1 << "N" << QStringList{"Daily", "Weekly", "Monthly", "Yearly"};
        QTest::newRow("No at the last") << 1 << "YYN" << QStringList{"Monthly", "Yearly"};
        QTest::newRow("without asking") << 0 << "" << QStringList{"Yearly"};
    }
    void deleteSeveral() {
        QFETCH(int, ask);
        QFETCH(QString, answers);
        QFETCH(QStringList, left);
        settings::write(settings::DeleteReminder, ask);
        DueReminders due;
        CTavrinDlgReminder page(due);
        page.pageShown();
        add(page, "yearlyButton", "Yearly");
        add(page, "monthlyButton", "Monthly");
        add(page, "weeklyButton", "Weekly");
        add(page, "dailyButton", "Daily");
        MessageBox::clearRecorded();
        for (QChar a : answers)
            MessageBox::setNextAnswer(a == 'Y' ? MsgAnswer::Yes : MsgAnswer::No);
        for (int r : {0, 1, 2})
            page.reminderList()->setRowSelected(r, true);
        page.deleteReminders();

        QCOMPARE(MessageBox::recorded().size(), answers.size());
        if (ask)
            QCOMPARE(MessageBox::recordedTexts().first(),
                     QString("Are you sure you wish to delete Daily (everyday at 18:15)?"));
        QStringList listed;
        for (int r = 0; r < page.reminderList()->rowCount(); ++r)
            listed << page.reminderList()->itemText(r, 0);
        QCOMPARE(listed, left);
        QCOMPARE(rowsOfTable(), rowsOf(page.reminderList()));
    }

    // tavrin-cli adds two reminders while the page lists one; both sort before it, so row 0 on
    // screen is no longer record 0. No command may act on record 0 for the row: the page says
    // the list changed and shows the table again, and a second try hits the reminder meant.
    void outsideChangeRefillsFirst_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("select") << "select";
        QTest::newRow("modify") << "modify";
        QTest::newRow("delete") << "delete";
    }
    void outsideChangeRefillsFirst() {
        QFETCH(QString, command);
        DueReminders due;
        CTavrinDlgReminder page(due);
        page.pageShown();
        add(page, "yearlyButton", "Anna's birthday");
        auto* description = page.findChild<QLineEdit*>("description");
        if (command != "select") page.reminderList()->selectRow(0);
        {
            auto tn = app::DiaryState::instance().makeTN();
            const std::int64_t now = platform::Clock::now();
            for (const char* text : {"Mira's birthday", "Pills"}) {
                tn->reminders.record =
                    ReminderSchedule::makeRecord(ReminderRecord::Daily, now, now, 0, text, true);
                QVERIFY(tn->reminders.AddSorted());
            }
        }
        const QStringList before = rowsOfTable();
        MessageBox::clearRecorded();
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        if (command == "select") {
            page.reminderList()->selectRow(0);
            QCoreApplication::processEvents();
            QVERIFY(description->text().isEmpty());
        } else if (command == "modify") {
            description->setText("Changed");
            page.findChild<QPushButton*>("modifyButton")->click();
        } else {
            page.findChild<QPushButton*>("deleteButton")->click();
        }
        QCOMPARE(rowsOfTable(), before);
        QCOMPARE(MessageBox::recordedTexts(), QStringList{app::ListedTables::kChangedElsewhere});
        QCOMPARE(rowsOf(page.reminderList()), before);

        // Chosen again from the list as it is now, Delete asks about Anna and deletes her.
        MessageBox::clearRecorded();
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        page.reminderList()->clearSelection();
        page.reminderList()->selectRow(2);
        QCOMPARE(description->text(), QString("Anna's birthday"));
        page.deleteReminders();
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList{"Are you sure you wish to delete Anna's birthday (every year on "
                             "the 04 of March)?"});
        QCOMPARE(rowsOfTable(), before.mid(0, 2));
    }

    void deleteAndPrintNeedRows() {
        DueReminders due;
        CTavrinDlgReminder page(due);
        page.pageShown();
        page.deleteReminders();
        page.printList();
        CTavrinDlgReminderView view(due.due());
        view.print();
        QCOMPARE(
            MessageBox::recordedTexts(),
            QStringList({"You must have at least one reminder selected in order to delete it!",
                         "You must have at least one reminder present in order to print it!",
                         "You must have at least one reminder present in order to print it!"}));
    }

    // Thursday 18:15 with one day ahead: the Friday choir rings today, the yearly reminder of
    // today is listed first in table order after the daily one, tomorrow's after them.
    void currentRemindersRingAndPrint_data() {
        QTest::addColumn<int>("sound");
        QTest::newRow("beep") << 0;
        QTest::newRow("wave file") << 1;
    }
    void currentRemindersRingAndPrint() {
        QFETCH(int, sound);
        settings::write(settings::RemindersShow, 1);
        settings::write(settings::RemindersDays, 1);
        settings::write(settings::RemindersSound, sound);
        settings::write(settings::RemindersSoundFile, QString("/sounds/bell.wav"));
        DueReminders due;
        {
            CTavrinDlgReminder page(due);
            page.pageShown();
            add(page, "weeklyButton", "Choir", 5);    // Friday at 18:15: due tomorrow, rings now
            add(page, "weeklyButton", "Gym", 1);      // Monday: not due
            add(page, "yearlyButton", "Anniversary"); // today
            page.findChild<QDateTimeEdit*>("reminderTime")->setTime(QTime(7, 0));
            add(page, "dailyButton", "Pills"); // today, rings at 07:00
        }
        due.computeDue();
        QVERIFY(!platform::TrayNotice::hasIcon());
        QVERIFY(due.alarmRaised());
        QVERIFY(platform::TrayNotice::recorded().isEmpty()); // no tray icon: nothing to show
        {
            QSystemTrayIcon icon; // the window is hidden in the tray
            platform::TrayNotice::setIcon(&icon);
            QVERIFY(due.alarmRaised());
            platform::TrayNotice::setIcon(nullptr);
        }
        QCOMPARE(platform::TrayNotice::recorded().size(), 1);
        QCOMPARE(platform::TrayNotice::recorded().first().text, QString("Choir"));
        QCOMPARE(platform::TrayNotice::recorded().first().title, QString("Tavelle Suite v3.10"));

        CTavrinDlgReminderView view(due.due());
        view.show();
        QCOMPARE(view.windowTitle(), QString("Current Reminders"));
        QCOMPARE(rowsOf(view.list()),
                 QStringList({"Pills|Daily|everyday at 07:00",
                              "Anniversary|Yearly|every year on the 04 of March",
                              "Choir|Weekly|every Friday at 18:15"}));
        QCOMPARE(platform::Sound::recorded().size(), 1);
        const auto& played = platform::Sound::recorded().first();
        QCOMPARE(played.kind, sound ? platform::SoundRecord::File : platform::SoundRecord::Beep);
        if (sound) {
            QCOMPARE(played.path, QString("/sounds/bell.wav"));
            QVERIFY(!played.synchronous);
        }

        const QString pdf = test::scratchDir() + "/current.pdf";
        platform::PrintDialog::setNextPdf(pdf);
        view.print();
        const QString text = test::pdfText(pdf);
        QVERIFY2(text.contains("Tavelle (tm) Suite Current Reminders"), qPrintable(text));
        const qsizetype pills = text.indexOf("Pills"), anniversary = text.indexOf("Anniversary"),
                        choir = text.indexOf("Choir");
        QVERIFY2(pills > 0 && pills < anniversary && anniversary < choir, qPrintable(text));
        QVERIFY(text.contains("every Friday at 18:15"));
        QVERIFY(!text.contains("Gym"));
    }

    // The main window's timer is stopped while the window is open: a reminder that falls due
    // meanwhile rings in the window, which names every reminder ringing since it opened.
    void reminderFallingDueWhileOpenRings() {
        DueReminders due;
        {
            CTavrinDlgReminder page(due);
            page.pageShown();
            add(page, "yearlyButton", "Anniversary");
            page.findChild<QDateTimeEdit*>("reminderTime")->setTime(QTime(18, 15));
            add(page, "dailyButton", "Pills");
            page.findChild<QDateTimeEdit*>("reminderTime")->setTime(QTime(18, 17));
            add(page, "dailyButton", "Tea");
        }
        due.computeDue();
        CTavrinDlgReminderView view(due.due());
        view.show();
        QCOMPARE(view.ringingLine(), QString("Ringing: Pills"));
        QCOMPARE(view.list()->selectedRow(), 0);
        QCOMPARE(platform::Sound::recorded().size(), 1);

        const struct {
            int minute;
            const char* line;
            int selected, sounds;
        } minutes[] = {{16, "Ringing: Pills", 0, 1},
                       {17, "Ringing: Pills, Tea", 1, 2},
                       {17, "Ringing: Pills, Tea", 1, 2}}; // once a minute, not again
        for (const auto& m : minutes) {
            platform::Clock::setFixed(at(2027, 3, 4, 18, m.minute));
            view.checkAlarm();
            QCOMPARE(view.ringingLine(), QString(m.line));
            QCOMPARE(view.list()->selectedRow(), m.selected);
            QCOMPARE(platform::Sound::recorded().size(), m.sounds);
        }
        platform::Clock::setFixed(at(2027, 3, 4, 18, 15));
        QCOMPARE(rowsOf(view.list()),
                 QStringList({"Pills|Daily|everyday at 18:15", "Tea|Daily|everyday at 18:17",
                              "Anniversary|Yearly|every year on the 04 of "
                              "March"}));
    }

    void printedReminders() {
        DueReminders due;
        CTavrinDlgReminder page(due);
        page.pageShown();
        add(page, "monthlyButton", "Rent");
        add(page, "dailyButton", "Pills");
        const QString pdf = test::scratchDir() + "/reminders.pdf";
        platform::PrintDialog::setNextPdf(pdf);
        page.printList();
        const QString text = test::pdfText(pdf);
        QVERIFY2(text.contains("Tavelle (tm) Suite Reminders"), qPrintable(text));
        QVERIFY2(text.indexOf("Pills") < text.indexOf("Rent") && text.indexOf("Pills") > 0,
                 qPrintable(text));
        QVERIFY(text.contains("on the 04 day of every month"));
    }
};

QTEST_MAIN(TestReminderPage)
#include "tst_reminderpage.moc"
