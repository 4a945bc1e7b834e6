// The three floating panels: folded below the main window, opened by their messages, the
// keys and their title bars, folded again when focus goes elsewhere or the window moves, and
// filled by whichever module registered a body.

#include "MainWindowTest.h"
#include "app/CTavrinDlg.h"
#include "app/FloatingPanel.h"
#include "ui/CCustomTitleBar.h"

#include <QApplication>
#include <QEnterEvent>
#include <QScreen>
#include <QVBoxLayout>

using namespace tavrin;
using namespace tavrin::app;
using namespace tavrin::test;
using platform::WindowMessages;

namespace {

constexpr Panel kAll[] = {Panel::Navigator, Panel::Calculator, Panel::ScratchPad};

class FakeBody : public QWidget, public PanelContent {
public:
    explicit FakeBody(QWidget* parent) : QWidget(parent) { setObjectName("fakeBody"); }
    void panelExpanded() override { ++expansions; }
    int expansions = 0;
};

// Each panel hangs from the window's lower edge, folded ones at their title bar's height.
void verifyPlaced(CTavrinDlg& dlg) {
    int lastRight = dlg.geometry().left();
    for (Panel p : kAll) {
        FloatingPanel* panel = dlg.panel(p);
        QVERIFY(!panel->isExpanded());
        QCOMPARE(panel->height(), panel->collapsedHeight());
        QCOMPARE(panel->y(), dlg.geometry().bottom() + 1);
        QVERIFY(panel->x() > lastRight);
        lastRight = panel->geometry().right();
    }
    QVERIFY(lastRight <= dlg.geometry().right());
}

} // namespace

class TestPanels : public MainWindowTest {
    Q_OBJECT
private slots:
    void panelsHangFoldedBelowTheWindow() {
        CTavrinDlg dlg;
        for (Panel p : kAll)
            QVERIFY(dlg.panel(p)->isHidden()); // not before the window is seen
        startShown(dlg);
        verifyPlaced(dlg);
        QCOMPARE(dlg.panel(Panel::Navigator)->titleBar()->text(), QString("Easy Access Navigator"));
        QCOMPARE(dlg.panel(Panel::Calculator)->titleBar()->text(), QString("Calculator"));
        QCOMPARE(dlg.panel(Panel::ScratchPad)->titleBar()->text(), QString("Scratch Pad"));
        for (Panel p : kAll) {
            FloatingPanel* panel = dlg.panel(p);
            QVERIFY(panel->isVisible());
            QVERIFY(panel->isWindow());
            QVERIFY(panel->windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(panel->titleBar()->receiver(), &dlg);
            QVERIFY(panel->titleBar()->isCollapsed());
        }
        // Gone with the window when it is minimised, back when it is restored.
        dlg.showMinimized();
        QCoreApplication::processEvents();
        for (Panel p : kAll)
            QVERIFY(dlg.panel(p)->isHidden());
        dlg.showNormal();
        QTRY_VERIFY(dlg.panel(Panel::ScratchPad)->isVisible());
        verifyPlaced(dlg);
    }

    void inAndOutMessages() {
        CTavrinDlg dlg;
        startShown(dlg);
        for (Panel p : kAll) {
            FloatingPanel* panel = dlg.panel(p);
            WindowMessages::post(&dlg, panel->inMessage());
            QTRY_VERIFY(panel->isExpanded());
            QCOMPARE(panel->size(), panel->workingSize());
            QVERIFY(panel->findChild<QWidget*>("panelBody")->isVisible());
            QVERIFY(!panel->titleBar()->isCollapsed());
            WindowMessages::post(&dlg, panel->outMessage());
            QTRY_VERIFY(!panel->isExpanded());
            QCOMPARE(panel->height(), panel->collapsedHeight());
        }
        QCOMPARE(dlg.panel(Panel::Navigator)->inMessage(), QString("TNSNavigatorIn"));
        QCOMPARE(dlg.panel(Panel::ScratchPad)->outMessage(), QString("TNSScratchPadOut"));
        verifyPlaced(dlg);
    }

    void restingOnAFoldedTitleBarOpensThePanel() {
        CTavrinDlg dlg;
        startShown(dlg);
        ui::CCustomTitleBar* bar = dlg.panel(Panel::ScratchPad)->titleBar();
        const QPointF inside(10, 5);
        QEnterEvent enter(inside, inside, bar->mapToGlobal(inside));
        QApplication::sendEvent(bar, &enter);
        QTRY_VERIFY(dlg.isPanelExpanded(Panel::ScratchPad));
        QVERIFY(!dlg.isPanelExpanded(Panel::Navigator));
    }

    void clickingTheTitleBarToggles() {
        CTavrinDlg dlg;
        startShown(dlg);
        ui::CCustomTitleBar* bar = dlg.panel(Panel::Navigator)->titleBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
        QVERIFY(dlg.isPanelExpanded(Panel::Navigator));
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
        QVERIFY(!dlg.isPanelExpanded(Panel::Navigator));
    }

    void movingTheWindowFoldsAndPlacesThem() {
        CTavrinDlg dlg;
        startShown(dlg);
        dlg.expandPanel(Panel::Navigator);
        dlg.expandPanel(Panel::ScratchPad);
        const int navX = dlg.panel(Panel::Navigator)->x();
        dlg.move(dlg.pos() + QPoint(40, -30));
        QTRY_VERIFY(!dlg.isPanelExpanded(Panel::Navigator));
        QVERIFY(!dlg.isPanelExpanded(Panel::ScratchPad));
        QCOMPARE(dlg.panel(Panel::Navigator)->x(), navX + 40);
        verifyPlaced(dlg);
    }

    void anOpenPanelStaysOnTheScreen() {
        CTavrinDlg dlg;
        startShown(dlg);
        const QRect screen = dlg.screen()->availableGeometry();
        dlg.move(dlg.x(), screen.bottom() - dlg.height() + 1);
        dlg.expandPanel(Panel::Calculator);
        FloatingPanel* calc = dlg.panel(Panel::Calculator);
        QCOMPARE(calc->size(), calc->workingSize());
        QCOMPARE(calc->geometry().bottom(), screen.bottom());
    }

    void focusElsewhereFoldsThem() {
        CTavrinDlg dlg;
        startShown(dlg);
        dlg.expandPanel(Panel::Navigator);
        dlg.expandPanel(Panel::Calculator);
        // Into an open panel: that one stays open, the others fold.
        FloatingPanel* nav = dlg.panel(Panel::Navigator);
        nav->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(nav));
        QTRY_VERIFY(!dlg.isPanelExpanded(Panel::Calculator));
        QVERIFY(dlg.isPanelExpanded(Panel::Navigator));
        // Back to the window: the panel that lost the focus folds.
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTRY_VERIFY(!dlg.isPanelExpanded(Panel::Navigator));

        // To another window altogether: all fold.
        dlg.expandPanel(Panel::ScratchPad);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(!dlg.isPanelExpanded(Panel::ScratchPad));
    }

    void bodiesComeFromTheModules() {
        FakeBody* body = nullptr;
        fakeModule().panels[Panel::Calculator] = [&](QWidget* parent) {
            return body = new FakeBody(parent);
        };
        CTavrinDlg dlg;
        startShown(dlg);
        FloatingPanel* calc = dlg.panel(Panel::Calculator);
        QVERIFY(body);
        QCOMPARE(calc->content(), static_cast<QWidget*>(body));
        QVERIFY(calc->isAncestorOf(body));
        QVERIFY(!body->isVisible());
        dlg.togglePanel(Panel::Calculator);
        QVERIFY(body->isVisible());
        QCOMPARE(body->expansions, 1);
        dlg.togglePanel(Panel::Calculator);
        dlg.togglePanel(Panel::Calculator);
        QCOMPARE(body->expansions, 2);

        // No module, no body: the panel opens empty.
        FloatingPanel* nav = dlg.panel(Panel::Navigator);
        QVERIFY(!nav->content());
        dlg.togglePanel(Panel::Navigator);
        QVERIFY(nav->isExpanded());
        QVERIFY(nav->findChild<QWidget*>("panelBody")->findChildren<QWidget*>().isEmpty());
    }
};

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
