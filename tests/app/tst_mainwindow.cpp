// The main window as the user meets it: its buttons and pages, switching pages, keys, the
// title, the commands and the navigator's places.

#include "CCustomButton.h"
#include "CTavrinDlg.h"
#include "CTavrinDlgAbout.h"
#include "CTavrinDlgFirst.h"
#include "DataPaths.h"
#include "DiaryFixture.h"
#include "FileChooser.h"
#include "FloatingPanel.h"
#include "ModalDriver.h"
#include "ProgramTexts.h"
#include "ShellFakes.h"
#include "SkinLayout.h"

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

// A shown, active main window with pages unblocked, as after a start without a diary.
void startShown(CTavrinDlg& dlg) {
    dlg.start();
    QVERIFY(dlg.isVisible());
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
}

// The buttons of the window by the text they carry.
ui::CCustomButton* button(CTavrinDlg& dlg, const char* objectName) {
    auto* b = dlg.findChild<ui::CCustomButton*>(objectName);
    if (!b) qFatal("no button %s", objectName);
    return b;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        loadShippedSkin();
        registerFakePages();
    }
    void init() { resetShellState(); }

    void buttonsPagesAndPanelsAreBuilt() {
        CTavrinDlg dlg;
        QCOMPARE(dlg.size(), QSize(SkinLayout::kWindowWidth, SkinLayout::kWindowHeight));
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
        // The outline of the skin is cut out of the window.
        QVERIFY(!dlg.mask().isEmpty());
        QVERIFY(!dlg.mask().contains(QPoint(0, 0)));
        QVERIFY(dlg.mask().contains(
            QPoint(SkinLayout::kWindowWidth / 2, SkinLayout::kWindowHeight / 2)));

        const int h = ui::ActiveSkin::current().buttonHeight;
        const char* modules[] = {"diaryButton",    "remindersButton", "plannerButton",
                                 "contactsButton", "cookbookButton",  "graphButton",
                                 "toolsButton"};
        for (int i = 0; i < 7; ++i) {
            auto* b = button(dlg, modules[i]);
            QVERIFY2(b->hasPictures(), modules[i]);
            QCOMPARE(b->pos(), QPoint(SkinLayout::kButtonX, SkinLayout::moduleButtonY(i, h)));
        }
        const char* small[] = {"openButton", "createButton", "optionsButton", "helpButton",
                               "aboutButton"};
        for (int i = 0; i < 5; ++i) {
            auto* b = button(dlg, small[i]);
            QVERIFY2(b->hasPictures(), small[i]);
            QCOMPARE(b->pos(), QPoint(SkinLayout::kButtonX, SkinLayout::smallButtonY(i, h)));
        }
        QCOMPARE(button(dlg, "minimizeButton")->pos(),
                 QPoint(SkinLayout::kMinimizeX, SkinLayout::kCaptionButtonY));
        QCOMPARE(button(dlg, "exitButton")->pos(),
                 QPoint(SkinLayout::kExitX, SkinLayout::kCaptionButtonY));
        QCOMPARE(dlg.findChildren<ui::CCustomButton*>(QString(), Qt::FindDirectChildrenOnly).size(),
                 14);

        // Eight pages in the card, none shown before the start; page 0 is the help page.
        QVERIFY(qobject_cast<CTavrinDlgFirst*>(dlg.page(0)));
        QCOMPARE(dlg.page(1), static_cast<QWidget*>(fakePages().diary));
        const QRect card(SkinLayout::kPageX, SkinLayout::kPageY, SkinLayout::kPageWidth,
                         SkinLayout::kPageHeight);
        for (int i = 0; i < CTavrinDlg::kPageCount; ++i) {
            QVERIFY(dlg.page(i));
            QCOMPARE(dlg.page(i)->parentWidget(), &dlg);
            QCOMPARE(dlg.page(i)->geometry(), card);
            QVERIFY(dlg.page(i)->isHidden());
        }
        // Pages without a module show their name.
        QVERIFY(dlg.page(3)->findChild<QLabel*>());
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
        QCOMPARE(dlg.moduleIndex(), 0);
        QVERIFY(dlg.page(0)->isVisible());
        for (const char* name : {"diaryButton", "remindersButton", "graphButton", "toolsButton"}) {
            MessageBox::clearRecorded();
            button(dlg, name)->click();
            QCOMPARE(MessageBox::recordedTexts(), QStringList{kNoDiary});
            QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Warning);
            QCOMPARE(MessageBox::recorded().first().caption, QString("Tavelle Suite v3.10"));
            QCOMPARE(dlg.moduleIndex(), 0);
        }
        QVERIFY(fakePages().graph->messages.isEmpty());
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
        QCOMPARE(dlg.moduleIndex(), 1);
        QVERIFY(dlg.page(1)->isVisible());
        QVERIFY(dlg.page(0)->isHidden());
        QVERIFY(fakePages().diary->calls.contains("shown"));

        button(dlg, "diaryButton")->click();
        QCOMPARE(dlg.moduleIndex(), 0);
        QVERIFY(dlg.page(0)->isVisible());
        QVERIFY(dlg.page(1)->isHidden());
        QCOMPARE(first->currentTopic(), QString("hlpDiary.html"));

        // From another page the help follows that page.
        button(dlg, "contactsButton")->click();
        QCOMPARE(dlg.moduleIndex(), 4);
        button(dlg, "contactsButton")->click();
        QCOMPARE(first->currentTopic(), QString("hlpContacts.html"));
        // Shown again while it is up (a failed open, a new diary): no old topic stays.
        dlg.showPage(0);
        QCOMPARE(first->currentTopic(), QString("hlpFirstTime.html"));
        QVERIFY(MessageBox::recorded().isEmpty());

        // One page at a time.
        button(dlg, "plannerButton")->click();
        int visible = 0;
        for (int i = 0; i < CTavrinDlg::kPageCount; ++i)
            visible += dlg.page(i)->isVisible();
        QCOMPARE(visible, 1);
        QVERIFY(dlg.page(3)->isVisible());
    }

    void showPageGuards() {
        CTavrinDlg dlg;
        DiaryState::instance().choose("/nowhere/Guards.tni", 17);
        DiaryState::instance().setEmptyDiary(true);
        // Before the start the pages are blocked and the window refuses to be seen.
        dlg.showPage(2);
        QCOMPARE(dlg.moduleIndex(), 0);
        QVERIFY(dlg.page(2)->isHidden());
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
        dlg.showPage(2);
        QCOMPARE(dlg.moduleIndex(), 2);
        QVERIFY(dlg.page(2)->isVisible());

        // A chosen diary that is neither open nor new gives the help page.
        DiaryState::instance().setEmptyDiary(false);
        dlg.showPage(3);
        QCOMPARE(dlg.moduleIndex(), 0);
        QVERIFY(dlg.page(0)->isVisible());

        // An index past the last page is kept but shows nothing.
        DiaryState::instance().setEmptyDiary(true);
        dlg.showPage(9);
        QCOMPARE(dlg.moduleIndex(), 9);
        for (int i = 0; i < CTavrinDlg::kPageCount; ++i)
            QVERIFY(dlg.page(i)->isHidden());
    }

    void functionKeysSwitchPagesAndPanels() {
        CTavrinDlg dlg;
        startShown(dlg);
        chooseEmptyDiary(makeDiary("Keys", "pw1", 0), "Keys");
        const std::pair<Qt::Key, int> keys[] = {{Qt::Key_F2, 1}, {Qt::Key_F3, 2}, {Qt::Key_F4, 3},
                                                {Qt::Key_F5, 4}, {Qt::Key_F6, 5}, {Qt::Key_F7, 6},
                                                {Qt::Key_F8, 7}};
        for (auto [key, page] : keys) {
            QTest::keyClick(&dlg, key);
            QCOMPARE(dlg.moduleIndex(), page);
            QVERIFY(dlg.page(page)->isVisible());
        }
        // F7 had the graph's list refilled before the page came up.
        QTRY_COMPARE(fakePages().graph->messages, QStringList{"TNSListTrnsfr"});
        QTest::keyClick(&dlg, Qt::Key_F8);
        QCOMPARE(dlg.moduleIndex(), 0);

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
        QCOMPARE(dlg.moduleIndex(), 0);
        QVERIFY(!dlg.isPanelExpanded(Panel::Navigator));
        // On again once it is closed.
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTest::keyClick(&dlg, Qt::Key_F2);
        QCOMPARE(dlg.moduleIndex(), 1);
    }

    void aboutWindowNamesTheProgram() {
        CTavrinDlgAbout about;
        QCOMPARE(about.windowTitle(), QString::fromUtf8("About Tavelle\u2122 Suite v3.10"));
        QVERIFY(about.findChild<QLabel*>("programName")->text().contains("Tavelle"));
        QVERIFY(about.findChild<QLabel*>("programVersion")->text().contains("3.10"));
        const QString credits = about.findChild<QLabel*>("credits")->text();
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
        QTest::keyClick(dlg.page(0), Qt::Key_Escape);
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
        QCOMPARE(dlg.moduleIndex(), 0);
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
        dlg.page(0)->setFocus();
        QTest::keyClick(dlg.page(0), Qt::Key_F1);
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
            page.setPreviousModule(2);
            page.pageShown(); // nothing to show, nothing breaks
            QCOMPARE(page.currentTopic(), QString());
        }
        platform::DataPaths::reset();
    }

    void openCommandFillsTheDiaryPage() {
        const QString path = makeDiary("OpenCmd", "Secret");
        CTavrinDlg dlg;
        startShown(dlg);
        fakePages().diary->calls.clear();
        platform::FileChooser::setNextFileName(path);
        whenModal([](QWidget* w) {
            type(w, "password", "Secret");
            click(w, "okButton");
        });
        button(dlg, "openButton")->click();
        QVERIFY(DiaryState::instance().isOpen());
        QCOMPARE(dlg.moduleIndex(), 1);
        const QStringList calls = fakePages().diary->calls;
        QVERIFY(calls.indexOf("clear") < calls.indexOf("fill:open"));
        QVERIFY(calls.indexOf("fill:open") < calls.lastIndexOf("selectLast"));
        QCOMPARE(settings::read(settings::DiaryFile), path);
        QTRY_COMPARE(dlg.titleText(), QString("Tavelle Suite v3.10 - OpenCmd"));
    }

    void optionsApplyWhatWasSaved() {
        CTavrinDlg dlg;
        startShown(dlg);
        chooseEmptyDiary(makeDiary("Opts", "pw1", 0), "Opts");
        fakePages().diary->calls.clear();

        // Without an options sheet nothing happens; a discarded sheet changes nothing.
        button(dlg, "optionsButton")->click();
        QVERIFY(fakePages().diary->calls.isEmpty());
        int runs = 0;
        ShellHooks::setOptionsHandler([&](QWidget* parent) {
            ++runs;
            [&] { QCOMPARE(parent, static_cast<QWidget*>(&dlg)); }();
            settings::write(settings::AlwaysOnTop, 1);
            return false;
        });
        button(dlg, "optionsButton")->click();
        QCOMPARE(runs, 1);
        QVERIFY(!(dlg.windowFlags() & Qt::WindowStaysOnTopHint));

        ShellHooks::setOptionsHandler([&](QWidget*) {
            ++runs;
            settings::write(settings::AlwaysOnTop, 1);
            return true;
        });
        dlg.showPage(6);
        fakePages().graph->messages.clear();
        button(dlg, "optionsButton")->click();
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(dlg.isVisible());
        QVERIFY(fakePages().diary->calls.contains("refreshPreview"));
        QCOMPARE(fakePages().graph->messages, QStringList{"TNSDrawGraph"});
        QVERIFY(MessageBox::recorded().isEmpty()); // same skin: no restart offered

        // Released again by the next save.
        settings::write(settings::AlwaysOnTop, 0);
        ShellHooks::setOptionsHandler([](QWidget*) { return true; });
        dlg.runOptions();
        QVERIFY(!(dlg.windowFlags() & Qt::WindowStaysOnTopHint));
    }

    void whatFollowsASaveMayEndTheProgram() {
        CTavrinDlg dlg;
        startShown(dlg);
        chooseEmptyDiary(makeDiary("After", "pw1", 0), "After");
        settings::write(settings::WhichSkin, "Corvel Night");
        QStringList steps;
        ShellHooks::setOptionsHandler([&](QWidget*) {
            steps << "sheet";
            settings::write(settings::WhichSkin, "Corvel Windows");
            settings::write(settings::AlwaysOnTop, 1);
            return true;
        });
        bool endNow = false;
        ShellHooks::setOptionsAfterSave([&](QWidget* w, const QString& previousSkin) {
            // On top already, and told which skin was in use before the sheet.
            steps << QString("after:%1:%2")
                         .arg(previousSkin)
                         .arg(bool(w->windowFlags() & Qt::WindowStaysOnTopHint));
            return endNow;
        });
        fakePages().diary->calls.clear();
        dlg.runOptions();
        QCOMPARE(steps, (QStringList{"sheet", "after:Corvel Night:1"}));
        QVERIFY(!dlg.hasEnded());
        QCOMPARE(fakePages().diary->calls, QStringList{"refreshPreview"});

        // A restart was scheduled: the program ends, nothing else is refreshed.
        endNow = true;
        fakePages().diary->calls.clear();
        QSignalSpy finished(&dlg, &QDialog::finished);
        dlg.runOptions();
        QVERIFY(dlg.hasEnded());
        QCOMPARE(finished.count(), 1);
        QVERIFY(fakePages().diary->calls.isEmpty());
    }

    void navigatorPlaces() {
        CTavrinDlg dlg;
        startShown(dlg);
        auto sel = [&](char code) {
            platform::WindowMessages::send(&dlg, "TNSNavigatorSel", code);
        };
        // Without a diary the places of the modules are not reachable.
        sel('f');
        QCOMPARE(dlg.moduleIndex(), 0);
        QVERIFY(!fakePages().diary->calls.join(',').contains("sub:"));

        chooseEmptyDiary(makeDiary("Nav", "pw1", 0), "Nav");
        dlg.expandPanel(Panel::Navigator);
        sel('e');
        QVERIFY(!dlg.isPanelExpanded(Panel::Navigator)); // folded first, whatever the place
        QCOMPARE(dlg.moduleIndex(), 1);
        sel('e');
        QCOMPARE(dlg.moduleIndex(), 0);
        sel('h'); // shown, not toggled: the medication preview
        QCOMPARE(dlg.moduleIndex(), 1);
        sel('g');
        QCOMPARE(dlg.moduleIndex(), 1);
        QVERIFY(fakePages().diary->calls.contains("sub:2"));
        QVERIFY(fakePages().diary->calls.contains("sub:1"));
        sel('j');
        QCOMPARE(dlg.moduleIndex(), 2);
        sel('m');
        QCOMPARE(dlg.moduleIndex(), 5);
        sel('q');
        QCOMPARE(dlg.moduleIndex(), 5);
        QCOMPARE(fakePages().cookbook->subPages, (QList<int>{SubPageSelector::kShoppingList}));
        sel('s');
        QCOMPARE(dlg.moduleIndex(), 6);
        QTRY_COMPARE(fakePages().graph->messages, QStringList{"TNSListTrnsfr"});
        sel('t');
        QCOMPARE(dlg.moduleIndex(), 7);

        // Tools actions go to whoever registered them; the rest do nothing.
        QList<ToolAction> ran;
        ShellHooks::setToolAction(ToolAction::Backup, [&](QWidget*) { ran << ToolAction::Backup; });
        ShellHooks::setToolAction(ToolAction::CompactEntries,
                                  [&](QWidget*) { ran << ToolAction::CompactEntries; });
        sel('|');
        sel('u');
        sel('x');
        sel('}');
        QCOMPARE(ran, (QList<ToolAction>{ToolAction::Backup, ToolAction::CompactEntries}));
        QCOMPARE(dlg.moduleIndex(), 7);

        bool options = false;
        ShellHooks::setOptionsHandler([&](QWidget*) {
            options = true;
            return false;
        });
        sel('~');
        QVERIFY(options);
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void graphMessagesAreRelayed() {
        CTavrinDlg dlg;
        startShown(dlg);
        platform::WindowMessages::post(&dlg, "TNSDrawGraph");
        QTRY_COMPARE(fakePages().graph->messages, QStringList{"TNSDrawGraph"});
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
        const QPoint onPage = dlg.page(0)->geometry().center();
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
