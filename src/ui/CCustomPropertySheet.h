#pragma once
// Tabbed sheet of CCustomPropertyPage pages under a CCustomTabCtrl, in the skin's colours.
// As a window (the options, an entry) it has OK and Cancel buttons; embedded in another window
// (the entry preview, the nutrition pages) it has none.
//
// Switching pages asks the current page (onKillActive) and the new one (onSetActive); OK asks
// the current page, then tells every page that was shown (onOK) and closes with Accepted.

#include "ui/CCustomDialog.h"

#include <QList>
#include <QSet>

class QStackedWidget;
class QHBoxLayout;

namespace tavrin::ui {

class CCustomButton;
class CCustomPropertyPage;
class CCustomTabCtrl;

class CCustomPropertySheet : public CCustomDialog {
    Q_OBJECT
public:
    enum Mode { Window, Embedded };

    explicit CCustomPropertySheet(const QString& caption = QString(), QWidget* parent = nullptr,
                                  Mode mode = Window);

    // The sheet takes ownership of the page.
    int addPage(CCustomPropertyPage* page);
    // Pages added from now on scroll up and down when the sheet is too low for them; they are
    // never narrower than they need, so nothing scrolls sideways. The tabs stay in place.
    void setScrollingPages(bool on) { scrollingPages_ = on; }
    int pageCount() const { return pages_.size(); }
    CCustomPropertyPage* page(int index) const;
    int activeIndex() const { return active_; }
    CCustomPropertyPage* activePage() const { return page(active_); }
    // Makes page `index` current, asking the pages first; false when one of them refused.
    bool setActivePage(int index);
    bool setActivePage(CCustomPropertyPage* page);

    CCustomTabCtrl* tabCtrl() const { return tabs_; }
    // OK and Cancel of a window sheet (nullptr when embedded).
    CCustomButton* okButton() const { return ok_; }
    CCustomButton* cancelButton() const { return cancel_; }
    // Extra buttons (Help, ...) go in the button row, left of OK.
    QHBoxLayout* buttonRow() const { return buttonRow_; }

public slots:
    void accept() override;
    void reject() override;

signals:
    void pageChanged(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    CCustomTabCtrl* tabs_;
    QStackedWidget* stack_;
    QHBoxLayout* buttonRow_ = nullptr;
    CCustomButton* ok_ = nullptr;
    CCustomButton* cancel_ = nullptr;
    QList<CCustomPropertyPage*> pages_;
    QSet<CCustomPropertyPage*> shown_;
    int active_ = -1;
    bool switching_ = false;
    bool scrollingPages_ = false;
};

} // namespace tavrin::ui
