#include "MainWindowTest.h"

#include "app/CTavrinDlg.h"

namespace tavrin::test {

void MainWindowTest::startShown(app::CTavrinDlg& dlg) {
    dlg.start();
    QVERIFY(dlg.isVisible());
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
}

void MainWindowTest::initTestCase() {
    loadShippedSkin();
}

void MainWindowTest::init() {
    resetShellState();
    registerFakeModule();
}

} // namespace tavrin::test
