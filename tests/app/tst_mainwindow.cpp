// The main window as the user meets it: its buttons and pages, switching pages, keys, the
// title, the commands and the navigator's places.

#include "DiaryFixture.h"
#include "MainWindowTest.h"
#include "ModalDriver.h"
#include "app/CTavrinDlg.h"
#include "app/CTavrinDlgAbout.h"
#include "app/CTavrinDlgFirst.h"
#include "app/FloatingPanel.h"
#include "app/SkinLayout.h"
#include "platform/DataPaths.h"
#include "platform/FileChooser.h"
#include "storage/ProgramTexts.h"
#include "ui/CCustomButton.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace tavrin;
using namespace tavrin::app;
using namespace tavrin::test;
using platform::MessageBox;

namespace {

const QString kNoDiary = QString::fromLatin1(texts::kNoDiary);

// The buttons of the window by the text they carry.
ui::CCustomButton* button(CTavrinDlg& dlg, const char* objectName) {
    auto* b = dlg.findChild<ui::CCustomButton*>(objectName);
    if (!b) qFatal("no button %s", objectName);
    return b;
}

} // namespace

class TestMainWindow : public MainWindowTest {
    Q_OBJECT
private slots:
    void buttonsPagesAndPanelsAreBuilt() {
        CTavrinDlg dlg;
        QCOMPARE(dlg.size(), QSize(SkinLayout::kWindowWidth, SkinLayout::kWindowHeight));
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
        // The outline of the skin is cut out of the window.
        QVERIFY(!dlg.mask().isEmpty());
        QVERIFY(!dlg.mask().contains(QPoint(0, 0)));
        QVERIFY(dlg.mask().contains(
            QPoint(SkinLayout::kWindowWidth / 2, SkinLayout::kWindowHeight / 2)));

        // Where the shipped skin's pictures (44-pixel module buttons) put the buttons, written
        // out so that a wrong formula in SkinLayout does not pass.
        QCOMPARE(ui::ActiveSkin::current().buttonHeight, 44);
        const struct {
            const char* name;
            QPoint pos;
        } places[] = {
            {"diaryButton", {15, 52}},     {"remindersButton", {15, 102}},
            {"plannerButton", {15, 152}},  {"contactsButton", {15, 202}},
            {"cookbookButton", {15, 252}}, {"graphButton", {15, 302}},
            {"toolsButton", {15, 352}},    {"openButton", {15, 412}},
            {"createButton", {15, 444}},   {"optionsButton", {15, 476}},
            {"helpButton", {15, 508}},     {"aboutButton", {15, 540}},
        };
        for (const auto& place : places) {
            auto* b = button(dlg, place.name);
            QVERIFY2(b->hasPictures(), place.name);
            QCOMPARE(b->pos(), place.pos);
        }
        QCOMPARE(button(dlg, "minimizeButton")->pos(), QPoint(682, 8));
        QCOMPARE(button(dlg, "exitButton")->pos(), QPoint(798, 8));
        QCOMPARE(dlg.findChildren<ui::CCustomButton*>(QString(), Qt::FindDirectChildrenOnly).size(),
                 14);

        // Eight pages in the card, none shown before the start; page 0 is the help page.
        QVERIFY(qobject_cast<CTavrinDlgFirst*>(dlg.page(Page::FirstTime)));
        QCOMPARE(dlg.page(Page::Diary), static_cast<QWidget*>(fakeModule().diary));
        const QRect card(SkinLayout::kPageX, SkinLayout::kPageY, SkinLayout::kPageWidth,
                         SkinLayout::kPageHeight);
        for (int i = 0; i < kPageCount; ++i) {
            QVERIFY(dlg.page(Page(i)));
            QCOMPARE(dlg.page(Page(i))->parentWidget(), &dlg);
            QCOMPARE(dlg.page(Page(i))->geometry(), card);
            QVERIFY(dlg.page(Page(i))->isHidden());
        }
        // Pages without a module show their name.
        QVERIFY(dlg.page(Page::Planner)->findChild<QLabel*>());
        QVERIFY(dlg.panel(Panel::Navigator) && dlg.panel(Panel::Calculator) &&
                dlg.panel(Panel::ScratchPad));
    }

    void titleNamesTheDiary() {
        CTavrinDlg dlg;
        QCOMPARE(dlg.titleText(), QString("Tavelle Suite v3.10"));
        chooseEmptyDiary(makeDiary("Tagebuch", "pw1", 0), "Tagebuch");
        QTRY_COMPARE(dlg.titleText(), QString("Tavelle Suite v3.10 - Tagebuch"));
        QCOMPARE(dlg.windowTitle(), QString("Tavelle Suite v3.10"));
        DiaryState::instance().close();
        QTRY_COMPARE(dlg.titleText(), QString("Tavelle Suite v3.10"));
        // "TNSSetText" rebuilds it from the stored name.
        DiaryState::instance().choose("/x/y.tni", 5);
        settings::write(settings::ShortFile, "Renamed");
        platform::WindowMessages::send(&dlg, "TNSSetText");
        QCOMPARE(dlg.titleText(), QString("Tavelle Suite v3.10 - Renamed"));
    }

    void moduleCommandsNeedADiary() {
        CTavrinDlg dlg;
        startShown(dlg);
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(dlg.page(Page::FirstTime)->isVisible());
        for (const char* name : {"diaryButton", "remindersButton", "graphButton", "toolsButton"}) {
            MessageBox::clearRecorded();
            button(dlg, name)->click();
            QCOMPARE(MessageBox::recordedTexts(), QStringList{kNoDiary});
            QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Warning);
            QCOMPARE(MessageBox::recorded().first().caption, QString("Tavelle Suite v3.10"));
            QCOMPARE(dlg.currentPage(), Page::FirstTime);
        }
        QVERIFY(fakeModule().graph->messages.isEmpty());
        MessageBox::clearRecorded();
        QTest::keyClick(&dlg, Qt::Key_F4);
        QCOMPARE(MessageBox::recordedTexts(), QStringList{kNoDiary});
    }

    void togglingAPageTwiceComesBackToHelpAboutIt() {
        CTavrinDlg dlg;
        startShown(dlg);
        chooseEmptyDiary(makeDiary("Toggle", "pw1", 0), "Toggle");
        auto* first = dlg.firstPage();
        QCOMPARE(first->currentTopic(), QString("hlpFirstTime.html"));

        button(dlg, "diaryButton")->click();
        QCOMPARE(dlg.currentPage(), Page::Diary);
        QVERIFY(dlg.page(Page::Diary)->isVisible());
        QVERIFY(dlg.page(Page::FirstTime)->isHidden());
        QVERIFY(fakeModule().diary->calls.contains("shown"));

        button(dlg, "diaryButton")->click();
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(dlg.page(Page::FirstTime)->isVisible());
        QVERIFY(dlg.page(Page::Diary)->isHidden());
        QCOMPARE(first->currentTopic(), QString("hlpDiary.html"));

        // From another page the help follows that page.
        button(dlg, "contactsButton")->click();
        QCOMPARE(dlg.currentPage(), Page::Contacts);
        button(dlg, "contactsButton")->click();
        QCOMPARE(first->currentTopic(), QString("hlpContacts.html"));
        // Shown again while it is up (a failed open, a new diary): no old topic stays.
        dlg.showPage(Page::FirstTime);
        QCOMPARE(first->currentTopic(), QString("hlpFirstTime.html"));
        QVERIFY(MessageBox::recorded().isEmpty());

        // One page at a time.
        button(dlg, "plannerButton")->click();
        int visible = 0;
        for (int i = 0; i < kPageCount; ++i)
            visible += dlg.page(Page(i))->isVisible();
        QCOMPARE(visible, 1);
        QVERIFY(dlg.page(Page::Planner)->isVisible());
    }

    void showPageGuards() {
        CTavrinDlg dlg;
        DiaryState::instance().choose("/nowhere/Guards.tni", 17);
        DiaryState::instance().setEmptyDiary(true);
        // Before the start the pages are blocked and the window refuses to be seen.
        dlg.showPage(Page::Reminders);
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(dlg.page(Page::Reminders)->isHidden());
        QVERIFY(dlg.pagesBlocked());
        QVERIFY(!dlg.mayShow());
        dlg.show();
        QVERIFY(!dlg.isVisible());

        dlg.start();
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.pagesBlocked());
        // Without "open last diary" the program starts with none.
        QVERIFY(!DiaryState::instance().hasPath());
        chooseEmptyDiary(makeDiary("Guards", "pw1", 0), "Guards");
        dlg.showPage(Page::Reminders);
        QCOMPARE(dlg.currentPage(), Page::Reminders);
        QVERIFY(dlg.page(Page::Reminders)->isVisible());

        // A chosen diary that is neither open nor new gives the help page.
        DiaryState::instance().setEmptyDiary(false);
        dlg.showPage(Page::Planner);
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(dlg.page(Page::FirstTime)->isVisible());

        // A page past the last (a stored number) is kept but shows nothing.
        DiaryState::instance().setEmptyDiary(true);
        const Page pastLast = Page(kPageCount + 1);
        dlg.showPage(pastLast);
        QCOMPARE(dlg.currentPage(), pastLast);
        for (int i = 0; i < kPageCount; ++i)
            QVERIFY(dlg.page(Page(i))->isHidden());
    }

    void functionKeysSwitchPagesAndPanels() {
        CTavrinDlg dlg;
        startShown(dlg);
        chooseEmptyDiary(makeDiary("Keys", "pw1", 0), "Keys");
        const std::pair<Qt::Key, Page> keys[] = {
            {Qt::Key_F2, Page::Diary},    {Qt::Key_F3, Page::Reminders},
            {Qt::Key_F4, Page::Planner},  {Qt::Key_F5, Page::Contacts},
            {Qt::Key_F6, Page::Cookbook}, {Qt::Key_F7, Page::Graph},
            {Qt::Key_F8, Page::Tools}};
        for (auto [key, page] : keys) {
            QTest::keyClick(&dlg, key);
            QCOMPARE(dlg.currentPage(), page);
            QVERIFY(dlg.page(page)->isVisible());
        }
        // F7 had the graph's list refilled before the page came up.
        QTRY_COMPARE(fakeModule().graph->messages, QStringList{"TNSListTrnsfr"});
        QTest::keyClick(&dlg, Qt::Key_F8);
        QCOMPARE(dlg.currentPage(), Page::FirstTime);

        QTest::keyClick(&dlg, Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(dlg.isPanelExpanded(Panel::Navigator));
        QVERIFY(!dlg.isPanelExpanded(Panel::Calculator));
        QTest::keyClick(&dlg, Qt::Key_F3, Qt::ControlModifier);
        QVERIFY(dlg.isPanelExpanded(Panel::Calculator));
        // The keys also work while a panel has the keyboard.
        dlg.panel(Panel::Calculator)->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg.panel(Panel::Calculator)));
        QTest::keyClick(dlg.panel(Panel::Calculator), Qt::Key_F3, Qt::ControlModifier);
        QVERIFY(!dlg.isPanelExpanded(Panel::Calculator));
    }

    void shortcutsAreOffWhileAModalWindowIsOpen() {
        CTavrinDlg dlg;
        startShown(dlg);
        chooseEmptyDiary(makeDiary("Modal", "pw1", 0), "Modal");
        QString caption;
        bool okButton = false;
        whenModal([&](QWidget* w) {
            caption = w->windowTitle();
            okButton = w->findChild<QAbstractButton*>("okButton");
            QTest::keyClick(w, Qt::Key_F2);
            QTest::keyClick(w, Qt::Key_F2, Qt::ControlModifier);
            QTest::keyClick(&dlg, Qt::Key_F5);
            click(w, "okButton");
        });
        button(dlg, "aboutButton")->click();
        QCOMPARE(caption, QString::fromUtf8("About Tavelle\u2122 Suite v3.10"));
        QVERIFY(okButton);
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(!dlg.isPanelExpanded(Panel::Navigator));
        // On again once it is closed.
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTest::keyClick(&dlg, Qt::Key_F2);
        QCOMPARE(dlg.currentPage(), Page::Diary);
    }

    void aboutWindowNamesTheProgram() {
        CTavrinDlgAbout about;
        QCOMPARE(about.windowTitle(), QString::fromUtf8("About Tavelle\u2122 Suite v3.10"));
        QVERIFY(about.findChild<QLabel*>("programName")->text().contains("Tavelle"));
        QVERIFY(about.findChild<QLabel*>("programVersion")->text().contains("3.10"));
        const QString credits = about.findChild<QLabel*>("credits")->text();
        QVERIFY(credits.contains("Built with Qt"));
        QVERIFY(credits.contains("libgsm"));
        // Only what the program has: there is no spelling checker yet.
        QVERIFY(!credits.contains("spell", Qt::CaseInsensitive));
        QCOMPARE(about.findChildren<QAbstractButton*>().size(), 1);
    }

    void escapeOnlyMinimises_data() {
        QTest::addColumn<int>("exitOption");
        QTest::newRow("exit normally") << 0;
        QTest::newRow("minimise") << 1;
    }
    void escapeOnlyMinimises() {
        QFETCH(int, exitOption);
        settings::write(settings::ExitOption, exitOption);
        CTavrinDlg dlg;
        QSignalSpy finished(&dlg, &QDialog::finished);
        startShown(dlg);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(dlg.isMinimized());
        QVERIFY(!dlg.hasEnded());
        QCOMPARE(finished.count(), 0);
        // Escape reaching the window from a page does the same.
        dlg.showNormal();
        QTRY_VERIFY(!dlg.isMinimized());
        QTest::keyClick(dlg.page(Page::FirstTime), Qt::Key_Escape);
        QVERIFY(dlg.isMinimized());
        QVERIFY(!dlg.hasEnded());
    }

    void enterDoesNothing() {
        CTavrinDlg dlg;
        QSignalSpy finished(&dlg, &QDialog::finished);
        startShown(dlg);
        chooseEmptyDiary(makeDiary("Enter", "pw1", 0), "Enter");
        QTest::keyClick(&dlg, Qt::Key_Return);
        QTest::keyClick(&dlg, Qt::Key_Enter);
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.isMinimized());
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QCOMPARE(finished.count(), 0);
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void exitAndCloseFollowTheExitOption() {
        settings::write(settings::ExitOption, 1);
        {
            CTavrinDlg dlg;
            QSignalSpy finished(&dlg, &QDialog::finished);
            startShown(dlg);
            button(dlg, "exitButton")->click();
            QVERIFY(dlg.isMinimized());
            dlg.showNormal();
            QTRY_VERIFY(dlg.isVisible() && !dlg.isMinimized());
            QVERIFY(!dlg.close()); // the close request minimises
            QVERIFY(dlg.isMinimized());
            QCOMPARE(finished.count(), 0);
        }
        settings::write(settings::ExitOption, 0);
        {
            CTavrinDlg dlg;
            QSignalSpy finished(&dlg, &QDialog::finished);
            startShown(dlg);
            button(dlg, "exitButton")->click();
            QVERIFY(dlg.hasEnded());
            QCOMPARE(finished.count(), 1);
            QVERIFY(!dlg.isVisible());
            QVERIFY(dlg.panel(Panel::Navigator)->isHidden());
            QVERIFY(!dlg.reminderTimer().isActive());
        }
        {
            CTavrinDlg dlg;
            QSignalSpy finished(&dlg, &QDialog::finished);
            startShown(dlg);
            dlg.close();
            QVERIFY(dlg.hasEnded());
            QCOMPARE(finished.count(), 1);
        }
        {
            CTavrinDlg dlg;
            startShown(dlg);
            button(dlg, "minimizeButton")->click();
            QVERIFY(dlg.isMinimized());
            QVERIFY(!dlg.hasEnded());
        }
    }

    void helpOpensTheMainTopic() {
        CTavrinDlg dlg;
        startShown(dlg);
        button(dlg, "helpButton")->click();
        QCOMPARE(platform::Help::lastTopic(), QString("HIDD_ROOT_DIALOG.htm"));
        // The help page's own key.
        dlg.page(Page::FirstTime)->setFocus();
        QTest::keyClick(dlg.page(Page::FirstTime), Qt::Key_F1);
        QCOMPARE(platform::Help::lastTopic(), QString("Tavrin.chm::/hlpFirstTime.html"));
    }

    void helpPageWithoutHelpFiles() {
        QTemporaryDir empty;
        platform::DataPaths::setProgramDir(empty.path());
        platform::DataPaths::setInstalledDataDir(empty.path());
        {
            CTavrinDlgFirst page;
            QCOMPARE(MessageBox::recordedTexts(), QStringList{"Unable to initialize help!"});
            QVERIFY(!page.viewer());
            page.setPreviousModule(Page::Reminders);
            page.pageShown(); // nothing to show, nothing breaks
            QCOMPARE(page.currentTopic(), QString());
        }
        platform::DataPaths::reset();
    }

    void openCommandFillsTheDiaryPage() {
        const QString path = makeDiary("OpenCmd", "Secret");
        CTavrinDlg dlg;
        startShown(dlg);
        fakeModule().diary->calls.clear();
        platform::FileChooser::setNextFileName(path);
        whenModal([](QWidget* w) {
            type(w, "password", "Secret");
            click(w, "okButton");
        });
        button(dlg, "openButton")->click();
        QVERIFY(DiaryState::instance().isOpen());
        QCOMPARE(dlg.currentPage(), Page::Diary);
        const QStringList calls = fakeModule().diary->calls;
        QVERIFY(calls.indexOf("clear") < calls.indexOf("fill:open"));
        QVERIFY(calls.indexOf("fill:open") < calls.lastIndexOf("selectLast"));
        QCOMPARE(settings::read(settings::DiaryFile), path);
        QTRY_COMPARE(dlg.titleText(), QString("Tavelle Suite v3.10 - OpenCmd"));
    }

    void optionsApplyWhatWasSaved() {
        CTavrinDlg dlg;
        startShown(dlg);
        chooseEmptyDiary(makeDiary("Opts", "pw1", 0), "Opts");
        fakeModule().diary->calls.clear();

        // Without an options sheet nothing happens; a discarded sheet changes nothing.
        button(dlg, "optionsButton")->click();
        QVERIFY(fakeModule().diary->calls.isEmpty());
        int runs = 0;
        fakeModule().options = [&](QWidget* parent) {
            ++runs;
            [&] { QCOMPARE(parent, static_cast<QWidget*>(&dlg)); }();
            settings::write(settings::AlwaysOnTop, 1);
            return false;
        };
        button(dlg, "optionsButton")->click();
        QCOMPARE(runs, 1);
        QVERIFY(!(dlg.windowFlags() & Qt::WindowStaysOnTopHint));

        fakeModule().options = [&](QWidget*) {
            ++runs;
            settings::write(settings::AlwaysOnTop, 1);
            return true;
        };
        dlg.showPage(Page::Graph);
        fakeModule().graph->messages.clear();
        button(dlg, "optionsButton")->click();
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(dlg.isVisible());
        QVERIFY(fakeModule().diary->calls.contains("refreshPreview"));
        QCOMPARE(fakeModule().graph->messages, QStringList{"TNSDrawGraph"});
        QVERIFY(MessageBox::recorded().isEmpty()); // same skin: no restart offered

        // Discarded on the graph page: its settings were written as their pages were left, so
        // the graph is drawn again, and nothing else happens.
        fakeModule().options = [&](QWidget*) { return false; };
        fakeModule().graph->messages.clear();
        fakeModule().diary->calls.clear();
        button(dlg, "optionsButton")->click();
        QCOMPARE(fakeModule().graph->messages, QStringList{"TNSDrawGraph"});
        QVERIFY(!fakeModule().diary->calls.contains("refreshPreview"));

        // Released again by the next save.
        settings::write(settings::AlwaysOnTop, 0);
        fakeModule().options = [](QWidget*) { return true; };
        dlg.runOptions();
        QVERIFY(!(dlg.windowFlags() & Qt::WindowStaysOnTopHint));
    }

    void whatFollowsASaveMayEndTheProgram() {
        CTavrinDlg dlg;
        startShown(dlg);
        chooseEmptyDiary(makeDiary("After", "pw1", 0), "After");
        settings::write(settings::WhichSkin, "Corvel Night");
        QStringList steps;
        fakeModule().options = [&](QWidget*) {
            steps << "sheet";
            settings::write(settings::WhichSkin, "Corvel Windows");
            settings::write(settings::AlwaysOnTop, 1);
            return true;
        };
        bool endNow = false;
        fakeModule().afterSave = [&](QWidget* w, const QString& previousSkin) {
            // On top already, and told which skin was in use before the sheet.
            steps << QString("after:%1:%2")
                         .arg(previousSkin)
                         .arg(bool(w->windowFlags() & Qt::WindowStaysOnTopHint));
            return endNow;
        };
        fakeModule().diary->calls.clear();
        dlg.runOptions();
        QCOMPARE(steps, (QStringList{"sheet", "after:Corvel Night:1"}));
        QVERIFY(!dlg.hasEnded());
        QCOMPARE(fakeModule().diary->calls, QStringList{"refreshPreview"});

        // A restart was scheduled: the program ends, nothing else is refreshed.
        endNow = true;
        fakeModule().diary->calls.clear();
        QSignalSpy finished(&dlg, &QDialog::finished);
        dlg.runOptions();
        QVERIFY(dlg.hasEnded());
        QCOMPARE(finished.count(), 1);
        QVERIFY(fakeModule().diary->calls.isEmpty());
    }

    void navigatorPlaces() {
        CTavrinDlg dlg;
        startShown(dlg);
        auto sel = [&](char code) {
            platform::WindowMessages::send(&dlg, "TNSNavigatorSel", code);
        };
        // Without a diary the places of the modules are not reachable.
        sel('f');
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        QVERIFY(!fakeModule().diary->calls.join(',').contains("sub:"));

        chooseEmptyDiary(makeDiary("Nav", "pw1", 0), "Nav");
        dlg.expandPanel(Panel::Navigator);
        sel('e');
        QVERIFY(!dlg.isPanelExpanded(Panel::Navigator)); // folded first, whatever the place
        QCOMPARE(dlg.currentPage(), Page::Diary);
        sel('e');
        QCOMPARE(dlg.currentPage(), Page::FirstTime);
        sel('h'); // shown, not toggled: the medication preview
        QCOMPARE(dlg.currentPage(), Page::Diary);
        sel('g');
        QCOMPARE(dlg.currentPage(), Page::Diary);
        QVERIFY(fakeModule().diary->calls.contains("sub:2"));
        QVERIFY(fakeModule().diary->calls.contains("sub:1"));
        sel('j');
        QCOMPARE(dlg.currentPage(), Page::Reminders);
        sel('m');
        QCOMPARE(dlg.currentPage(), Page::Cookbook);
        sel('q');
        QCOMPARE(dlg.currentPage(), Page::Cookbook);
        QCOMPARE(fakeModule().cookbook->subPages, (QList<int>{SubPageSelector::kShoppingList}));
        sel('s');
        QCOMPARE(dlg.currentPage(), Page::Graph);
        QTRY_COMPARE(fakeModule().graph->messages, QStringList{"TNSListTrnsfr"});
        sel('t');
        QCOMPARE(dlg.currentPage(), Page::Tools);

        // Tools actions go to whoever registered them; the rest do nothing.
        QList<ToolAction> ran;
        fakeModule().tools[ToolAction::Backup] = [&](QWidget*) { ran << ToolAction::Backup; };
        fakeModule().tools[ToolAction::CompactEntries] = [&](QWidget*) {
            ran << ToolAction::CompactEntries;
        };
        sel('|');
        sel('u');
        sel('x');
        sel('}');
        QCOMPARE(ran, (QList<ToolAction>{ToolAction::Backup, ToolAction::CompactEntries}));
        QCOMPARE(dlg.currentPage(), Page::Tools);

        bool options = false;
        fakeModule().options = [&](QWidget*) {
            options = true;
            return false;
        };
        sel('~');
        QVERIFY(options);
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void graphMessagesAreRelayed() {
        CTavrinDlg dlg;
        startShown(dlg);
        platform::WindowMessages::post(&dlg, "TNSDrawGraph");
        QTRY_COMPARE(fakeModule().graph->messages, QStringList{"TNSDrawGraph"});
    }

    void draggingTheFreeSurfaceMovesTheWindow() {
        CTavrinDlg dlg;
        startShown(dlg);
        const QPoint before = dlg.pos();
        const QPoint grip(SkinLayout::kWindowWidth / 2, 10); // the title strip
        QVERIFY(!dlg.childAt(grip));
        QTest::mousePress(&dlg, Qt::LeftButton, Qt::NoModifier, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)),
                         dlg.mapToGlobal(QPointF(grip + QPoint(30, 20))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &move);
        QTest::mouseRelease(&dlg, Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, 20));
        QTRY_COMPARE(dlg.pos(), before + QPoint(30, 20));
        // A press on a page is the page's own.
        const QPoint onPage = dlg.page(Page::FirstTime)->geometry().center();
        QTest::mousePress(&dlg, Qt::LeftButton, Qt::NoModifier, onPage);
        QMouseEvent move2(QEvent::MouseMove, QPointF(onPage + QPoint(50, 0)),
                          dlg.mapToGlobal(QPointF(onPage + QPoint(50, 0))), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &move2);
        QTest::mouseRelease(&dlg, Qt::LeftButton, Qt::NoModifier, onPage);
        QCOMPARE(dlg.pos(), before + QPoint(30, 20));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
