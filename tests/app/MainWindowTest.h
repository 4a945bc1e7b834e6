#pragma once
// The base of the main-window tests: before all, the shipped skin; before each, no settings, no
// diary, nothing recorded, and one fake module (fakeModule()) giving the window its diary,
// cookbook and graph pages.

#include "ShellFakes.h"

#include <QObject>

namespace tavrin::app {
class CTavrinDlg;
}

namespace tavrin::test {

class MainWindowTest : public QObject {
    Q_OBJECT
protected:
    // A shown, active main window with pages unblocked, as after a start without a diary.
    static void startShown(app::CTavrinDlg& dlg);

protected slots:
    void initTestCase();
    void init();
};

} // namespace tavrin::test
