// The main window's start and its minimise and restore: when the last diary's password is
// asked, when the window may be seen, the tray, the reminder timer and a second copy.

#include "DiaryFixture.h"
#include "MainWindowTest.h"
#include "ModalDriver.h"
#include "app/CTavrinDlg.h"
#include "app/FloatingPanel.h"
#include "platform/SingleInstance.h"
#include "storage/ProgramTexts.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace tavrin;
using namespace tavrin::app;
using namespace tavrin::test;
using platform::MessageBox;

namespace {

// Remembers `path` as the diary of the previous run.
void rememberLastDiary(const QString& path) {
    settings::write(settings::DiaryFile, path);
    settings::write(settings::ExtLoc, extOffsetOf(path));
    settings::write(settings::ShortFile, QFileInfo(path).completeBaseName());
}

// Answers the next password prompt with `password`, or cancels it when null.
void answerPrompt(const QString& password, int* prompts = nullptr) {
    whenModal([password, prompts](QWidget* w) {
        if (prompts) ++*prompts;
        if (password.isNull())
            click(w, "cancelButton");
        else {
            type(w, "password", password);
            click(w, "okButton");
        }
    });
}

void minimise(CTavrinDlg& dlg) {
    dlg.showMinimized();
    QVERIFY(dlg.isMinimized());
    QCoreApplication::processEvents(); // the size event is handled from the event loop
}

const QString kInvalid = QString::fromLatin1(texts::kInvalidPassword);

} // namespace

class TestMainWindowRestore : public MainWindowTest {
    Q_OBJECT
private slots:
    void lastDiaryReopensAtStart() {
        const QString path = makeDiary("Last", "Secret");
        rememberLastDiary(path);
        settings::write(settings::OpenLastDiary, 1);
        settings::write(settings::FirstShow, int(Page::Planner));
        CTavrinDlg dlg;
        int prompts = 0;
        answerPrompt("Secret", &prompts);
        dlg.start();
        QCOMPARE(prompts, 1);
        QVERIFY(DiaryState::instance().isOpen());
        QCOMPARE(DiaryState::instance().path(), path);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.currentPage(), Page::Planner);
        QVERIFY(dlg.page(Page::Planner)->isVisible());
        // The page's own refill (locale times), not the Open command's.
        QVERIFY(fakeModule().diary->calls.contains("fill"));
        QVERIFY(!fakeModule().diary->calls.contains("fill:open"));
        QCOMPARE(settings::read(settings::DiaryFile), path);
        QTRY_COMPARE(dlg.titleText(), QString("Tavelle Suite v3.10 - Last"));
    }

    void lastDiaryIsAskedUnderItsOwnName() {
        // A diary chosen after it but never opened (cancelled, or new) left its own name as the
        // last chosen one; the last opened diary is still asked for and shown as itself.
        const QString path = makeDiary("Mine", "Secret");
        rememberLastDiary(path);
        settings::write(settings::ShortFile, "Chosen later");
        settings::write(settings::OpenLastDiary, 1);
        CTavrinDlg dlg;
        QString shownName;
        whenModal([&shownName](QWidget* w) {
            shownName = w->findChild<QLineEdit*>("diaryName")->text();
            type(w, "password", "Secret");
            click(w, "okButton");
        });
        dlg.start();
        QCOMPARE(shownName, QString("Mine"));
        QVERIFY(DiaryState::instance().isOpen());
        QCOMPARE(settings::read(settings::ShortFile), QString("Mine"));
        QTRY_COMPARE(dlg.titleText(), QString("Tavelle Suite v3.10 - Mine"));
    }

    void remindersAtStartFollowASlowPassword() {
        // The user takes longer than the first tick to type the password; the reminders still
        // come right after the diary opened, not a minute later.
        rememberLastDiary(makeDiary("Slow", "Secret"));
        settings::write(settings::OpenLastDiary, 1);
        settings::write(settings::ShowReminderOnStart, 1);
        auto service = std::make_unique<FakeReminders>();
        fakeModule().reminders = service.get();
        CTavrinDlg dlg;
        whenModal([](QWidget* w) {
            QTest::qWait(400);
            type(w, "password", "Secret");
            click(w, "okButton");
        });
        dlg.start();
        QVERIFY(DiaryState::instance().isOpen());
        QTRY_COMPARE_WITH_TIMEOUT(service->shown, 1, 2000);
        QVERIFY(!dlg.remindersPending());
    }

    void lastDiaryRefused_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("wrong password") << "secret" << QStringList{kInvalid};
        QTest::newRow("cancel") << QString() << QStringList();
    }
    void lastDiaryRefused() {
        QFETCH(QString, answer);
        QFETCH(QStringList, messages);
        rememberLastDiary(makeDiary("Refused", "Secret"));
        settings::write(settings::OpenLastDiary, 1);
        settings::write(settings::FirstShow, int(Page::Reminders));
        CTavrinDlg dlg;
        answerPrompt(answer);
        dlg.start();
        QCOMPARE(MessageBox::recordedTexts(), messages);
        QVERIFY(!DiaryState::instance().hasPath());
        QVERIFY(!DiaryState::instance().isOpen());
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(dlg.page(Page::FirstTime)->isVisible());
    }

    void lastDiaryWithoutEntriesOpensWithoutPassword() {
        rememberLastDiary(makeDiary("NoEntries", "Secret", 0));
        settings::write(settings::OpenLastDiary, 1);
        settings::write(settings::FirstShow, int(Page::Reminders));
        CTavrinDlg dlg;
        dlg.start(); // no prompt: a modal window here would block the test
        QVERIFY(DiaryState::instance().isEmptyDiary());
        QVERIFY(DiaryState::instance().usable());
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(dlg.isVisible());
    }

    void unusableLastDiaryIsNotReopened() {
        settings::write(settings::DiaryFile, makeDiary("NoExt", "Secret"));
        settings::write(settings::ExtLoc, 0);
        settings::write(settings::OpenLastDiary, 1);
        CTavrinDlg dlg;
        dlg.start();
        QVERIFY(!DiaryState::instance().isOpen());
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void checkingOnFirstActivationKeepsTheWindowHidden() {
        rememberLastDiary(makeDiary("Later", "Secret"));
        settings::write(settings::PasswordCheck, 1);
        CTavrinDlg dlg;
        dlg.start();
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.mayShow());
        QVERIFY(dlg.pagesBlocked());
        dlg.show();
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.page(Page::FirstTime)->isHidden());

        // Coming forward (a second start, or the tray) lets it be seen, still without a diary
        // since the last one is not to be reopened.
        dlg.restoreWindow();
        QTRY_VERIFY(dlg.isVisible());
        QVERIFY(dlg.mayShow());
        QVERIFY(!dlg.pagesBlocked());
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(dlg.page(Page::FirstTime)->isVisible());
        QVERIFY(!DiaryState::instance().hasPath());
    }

    void minimisedStartAsksAtTheFirstRestore() {
        const QString path = makeDiary("MinLoad", "Secret");
        rememberLastDiary(path);
        settings::write(settings::OpenLastDiary, 1);
        settings::write(settings::MinimizeOnLoad, 1);
        settings::write(settings::FirstShow, int(Page::Reminders));
        CTavrinDlg dlg;
        dlg.start();
        // No password at start; 200 ms later the window goes to the task bar.
        QVERIFY(!DiaryState::instance().isOpen());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(dlg.minimizeTimer().isActive());
        QCOMPARE(dlg.minimizeTimer().interval(), 200);
        QVERIFY(!dlg.isVisible());
        QTRY_VERIFY(dlg.isMinimized());
        QVERIFY(dlg.isVisible()); // minimised, so that there is something to restore
        QCoreApplication::processEvents();
        QVERIFY(!DiaryState::instance().isOpen());

        int prompts = 0;
        answerPrompt("Secret", &prompts);
        dlg.showNormal();
        QTRY_VERIFY(DiaryState::instance().isOpen());
        QCOMPARE(prompts, 1);
        QTRY_COMPARE(dlg.currentPage(), Page::Reminders);
        QVERIFY(dlg.page(Page::Reminders)->isVisible());
        QVERIFY(dlg.isVisible() && !dlg.isMinimized());
        // Opened through the prompt on restore: the Open command's list format.
        QVERIFY(fakeModule().diary->calls.contains("fill:open"));

        // The next restore does not ask again.
        minimise(dlg);
        dlg.showNormal();
        QTRY_VERIFY(!dlg.isMinimized());
        QCoreApplication::processEvents();
        QCOMPARE(prompts, 1);
        QVERIFY(DiaryState::instance().isOpen());
        QCOMPARE(dlg.currentPage(), Page::Reminders);
    }

    void restoreAsksAgainWhenSetTo() {
        const QString path = makeDiary("Again", "Secret");
        rememberLastDiary(path);
        settings::write(settings::OpenLastDiary, 1);
        settings::write(settings::AfterRestore, 1);
        CTavrinDlg dlg;
        answerPrompt("Secret");
        dlg.start();
        QVERIFY(DiaryState::instance().isOpen());
        dlg.showPage(Page::Contacts);

        // Right password: the diary stays and the page comes back.
        minimise(dlg);
        QCOMPARE(dlg.savedPage(), Page::Contacts);
        int prompts = 0;
        answerPrompt("Secret", &prompts);
        dlg.showNormal();
        QTRY_COMPARE(prompts, 1);
        QTRY_COMPARE(dlg.currentPage(), Page::Contacts);
        QVERIFY(DiaryState::instance().isOpen());
        QCOMPARE(DiaryState::instance().path(), path);

        // Cancel: no diary, the help page, and the list emptied.
        minimise(dlg);
        fakeModule().diary->calls.clear();
        answerPrompt(QString(), &prompts);
        dlg.showNormal();
        QTRY_COMPARE(prompts, 2);
        QTRY_VERIFY(!DiaryState::instance().hasPath());
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(dlg.page(Page::FirstTime)->isVisible());
        QCOMPARE(fakeModule().diary->calls.value(0), QString("clear"));
        QTRY_COMPARE(dlg.titleText(), QString("Tavelle Suite v3.10"));
    }

    void restoreKeepsTheDiaryWhenNotAsked() {
        rememberLastDiary(makeDiary("Keep", "Secret"));
        settings::write(settings::OpenLastDiary, 1);
        CTavrinDlg dlg;
        answerPrompt("Secret");
        dlg.start();
        dlg.showPage(Page::Cookbook);
        minimise(dlg);
        dlg.showNormal();
        QTRY_COMPARE(dlg.currentPage(), Page::Cookbook);
        QVERIFY(DiaryState::instance().isOpen());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // A diary named at the start (a file opened from the desktop, or the program restarted for
    // a new skin) is asked once and then kept: a restore neither asks for the last diary nor
    // leaves the page the user was on.
    void diaryNamedAtStartIsKeptAcrossRestores_data() {
        QTest::addColumn<int>("passwordCheck");
        QTest::addColumn<int>("minimizeOnLoad");
        QTest::newRow("asked at start") << 0 << 0;
        QTest::newRow("asked at first activation") << 1 << 0;
        QTest::newRow("started minimised") << 0 << 1;
    }
    void diaryNamedAtStartIsKeptAcrossRestores() {
        QFETCH(int, passwordCheck);
        QFETCH(int, minimizeOnLoad);
        rememberLastDiary(makeDiary("Other", "Other"));
        const QString given = makeDiary("Given", "Secret");
        settings::write(settings::OpenLastDiary, 1);
        settings::write(settings::PasswordCheck, passwordCheck);
        settings::write(settings::MinimizeOnLoad, minimizeOnLoad);
        CTavrinDlg dlg;
        dlg.setStartupDiary(given);
        dlg.start();
        int prompts = 0;
        answerPrompt("Secret", &prompts);
        dlg.openDiaryFile(given);
        QTRY_VERIFY(DiaryState::instance().isOpen());
        QCOMPARE(DiaryState::instance().path(), given);
        QTRY_VERIFY(dlg.isVisible() && !dlg.isMinimized());
        dlg.showPage(Page::Graph);
        QTest::qWait(300); // a minimised start's timer would have fired by now
        QVERIFY(!dlg.isMinimized());

        minimise(dlg);
        dlg.showNormal();
        QTRY_VERIFY(!dlg.isMinimized());
        QTRY_COMPARE(dlg.currentPage(), Page::Graph);
        QCoreApplication::processEvents();
        QCOMPARE(prompts, 1);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(DiaryState::instance().path(), given);
        QVERIFY(DiaryState::instance().isOpen());
    }

    void lastDiaryIsForgottenAtASizeEventUnlessKept() {
        {
            settings::write(settings::DiaryFile, "/somewhere/Old.tni");
            settings::write(settings::ExtLoc, 0);
            CTavrinDlg dlg;
            dlg.start(); // the window appears: its first size event
            QCOMPARE(settings::read(settings::DiaryFile), QString(""));
            settings::write(settings::DiaryFile, "/somewhere/Old.tni");
            minimise(dlg);
            QCOMPARE(settings::read(settings::DiaryFile), QString(""));
        }
        {
            settings::write(settings::DiaryFile, "/somewhere/Old.tni");
            settings::write(settings::OpenLastDiary, 1);
            CTavrinDlg dlg;
            dlg.start();
            minimise(dlg);
            dlg.showNormal();
            QTRY_VERIFY(!dlg.isMinimized());
            QCoreApplication::processEvents();
            QCOMPARE(settings::read(settings::DiaryFile), QString("/somewhere/Old.tni"));
        }
    }

    void trayWithoutASystemTray() {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable()); // as offscreen and on bare X servers
        settings::write(settings::MinimizeLocation, 1);
        CTavrinDlg dlg;
        dlg.start();
        minimise(dlg);
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList{"Error while creating the taskbar icon!"});
        QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Warning);
        // Minimised normally instead: still on the task bar.
        QVERIFY(dlg.isMinimized());
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.trayIcon());
        QVERIFY(dlg.panel(Panel::Navigator)->isHidden());
        dlg.showNormal();
        QTRY_VERIFY(dlg.panel(Panel::Navigator)->isVisible());
    }

    void reminderTimerFirstTick_data() {
        QTest::addColumn<int>("showAtStart");
        QTest::addColumn<int>("interval");
        QTest::newRow("reminders at start") << 1 << 100;
        QTest::newRow("every minute") << 0 << 60000;
    }
    void reminderTimerFirstTick() {
        QFETCH(int, showAtStart);
        QFETCH(int, interval);
        settings::write(settings::ShowReminderOnStart, showAtStart);
        auto service = std::make_unique<FakeReminders>();
        fakeModule().reminders = service.get();
        CTavrinDlg dlg;
        QVERIFY(!dlg.reminderTimer().isActive());
        dlg.start();
        QVERIFY(dlg.reminderTimer().isActive());
        QCOMPARE(dlg.reminderTimer().interval(), interval);
        if (showAtStart) {
            QTRY_COMPARE(service->computed, 1);
            QCOMPARE(dlg.reminderTimer().interval(), 60000);
            QVERIFY(dlg.reminderTimer().isActive());
        }
    }

    void remindersWaitingFromTheStartShowOnceADiaryIsOpen() {
        settings::write(settings::ShowReminderOnStart, 1);
        auto service = std::make_unique<FakeReminders>();
        fakeModule().reminders = service.get();
        CTavrinDlg dlg;
        bool timerStopped = false;
        service->onShow = [&] { timerStopped = !dlg.reminderTimer().isActive(); };
        dlg.start();
        // No diary at the first tick: nothing shown, still waiting.
        QTRY_COMPARE(service->computed, 1);
        QCOMPARE(service->shown, 0);
        QVERIFY(dlg.remindersPending());

        auto& state = DiaryState::instance();
        state.choose(makeDiary("Rem", "Secret"), 0);
        state.setOpen(true);
        dlg.reminderTick();
        QCOMPARE(service->shown, 1);
        QVERIFY(timerStopped);
        QVERIFY(!dlg.remindersPending());
        QCOMPARE(dlg.attentionRequests(), 1);
        QVERIFY(dlg.reminderTimer().isActive());
        QCOMPARE(dlg.reminderTimer().interval(), 60000);

        // Once only; after that only an alarm shows them.
        dlg.reminderTick();
        QCOMPARE(service->shown, 1);
        service->alarm = true;
        dlg.reminderTick();
        QCOMPARE(service->shown, 2);
        QCOMPARE(dlg.attentionRequests(), 2);
        QCOMPARE(service->computed, 4);
    }

    void withoutRemindersAtStartOnlyAlarmsShow() {
        auto service = std::make_unique<FakeReminders>();
        fakeModule().reminders = service.get();
        CTavrinDlg dlg;
        dlg.start();
        auto& state = DiaryState::instance();
        state.choose(makeDiary("Rem2", "Secret"), 0);
        state.setOpen(true);
        dlg.reminderTick();
        QCOMPARE(service->shown, 0);
        service->alarm = true;
        dlg.reminderTick();
        QCOMPARE(service->shown, 1);
        // Without a reminders module nothing is ever due.
        ModuleRegistry::clear();
        dlg.reminderTick();
        QCOMPARE(service->computed, 2);
    }

    void secondCopyDuringTheStartPasswordAsksOnce() {
        // Started again while the first copy still asks the last diary's password: that one
        // prompt stays the only one, even when every restore asks again.
        rememberLastDiary(makeDiary("Twice", "Secret"));
        settings::write(settings::OpenLastDiary, 1);
        settings::write(settings::AfterRestore, 1);
        CTavrinDlg dlg;
        int prompts = 0;
        whenModal([&dlg, &prompts](QWidget* w) {
            ++prompts;
            QTimer::singleShot(300, w, [w, &prompts] {
                // Only reached when a second prompt blocks the first: close it.
                if (QWidget* m = QApplication::activeModalWidget(); m && m != w) {
                    ++prompts;
                    static_cast<QDialog*>(m)->done(QDialog::Rejected);
                }
            });
            dlg.activateFromOtherCopy();
            QTest::qWait(500);
            type(w, "password", "Secret");
            click(w, "okButton");
        });
        dlg.start();
        QCoreApplication::processEvents();
        QCOMPARE(prompts, 1);
        QVERIFY(DiaryState::instance().isOpen());
        QVERIFY(dlg.isVisible());
        QCOMPARE(platform::Sound::recorded().size(), 1);
    }

    void secondCopyBringsTheFirstForward() {
        settings::write(settings::PasswordCheck, 1); // the first copy waits hidden
        CTavrinDlg dlg;
        dlg.start();
        QVERIFY(!dlg.isVisible());
        platform::SingleInstance first("Tavelle restore test");
        QVERIFY(first.tryLock());
        connect(&first, &platform::SingleInstance::activationRequested, &dlg,
                &CTavrinDlg::activateFromOtherCopy);

        platform::SingleInstance second("Tavelle restore test");
        QVERIFY(!second.tryLock());
        QVERIFY(second.notifyRunning());
        QTRY_VERIFY(dlg.isVisible());
        QCOMPARE(platform::Sound::recorded().size(), 1);
        QCOMPARE(platform::Sound::recorded().first().kind, platform::SoundRecord::Beep);
        QCOMPARE(dlg.attentionRequests(), 1);

        // From the task bar as well.
        minimise(dlg);
        platform::SingleInstance third("Tavelle restore test");
        QVERIFY(third.notifyRunning());
        QTRY_VERIFY(!dlg.isMinimized());
        QCOMPARE(platform::Sound::recorded().size(), 2);
    }
};

QTEST_MAIN(TestMainWindowRestore)
#include "tst_mainwindow_restore.moc"
