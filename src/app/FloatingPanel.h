#pragma once
// A floating panel of the main window (navigator, calculator, scratch pad): a frameless tool
// window that hangs below the main window folded to its title bar, and opens to its working
// size. Its body comes from the module that registered one (Module::createPanelBody);
// without one the body stays empty.
//
// The panel talks to the main window with named messages: its title bar posts "...In" when the
// mouse rests on it while folded, and the panel posts "...Out" when it loses activation.
// Clicking the title bar asks the main window to toggle the panel (titleClicked).

#include "app/ShellHooks.h"

#include <QPointer>
#include <QWidget>

namespace tavrin::ui {
class CCustomTitleBar;
}

namespace tavrin::app {

class FloatingPanel : public QWidget {
    Q_OBJECT
public:
    Panel which() const { return which_; }
    bool isExpanded() const { return expanded_; }
    // Folds or opens the panel; the main window places it afterwards.
    void setExpanded(bool expanded);

    QSize workingSize() const { return working_; }
    int collapsedHeight() const;
    // The size the panel has in its present state.
    QSize currentSize() const;

    ui::CCustomTitleBar* titleBar() const { return bar_; }
    // The registered body, or nullptr.
    QWidget* content() const { return content_; }

    // "TNSNavigatorIn" / "TNSNavigatorOut" and the like.
    QString inMessage() const;
    QString outMessage() const;
    static QString messageBase(Panel panel); // "TNSNavigator", "TNSCalculator", "TNSScratchPad"

signals:
    void titleClicked();

protected:
    // `mainWindow` receives the named messages and is the panel's owner.
    FloatingPanel(Panel which, ui::CCustomTitleBar* bar, const QSize& workingSize,
                  QWidget* mainWindow);

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Panel which_;
    QPointer<QWidget> main_;
    ui::CCustomTitleBar* bar_;
    QWidget* body_;
    QWidget* content_ = nullptr;
    QSize working_;
    bool expanded_ = false;
};

} // namespace tavrin::app
