#include "ui/CCustomPropertySheet.h"

#include "ui/ActiveSkin.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomPropertyPage.h"
#include "ui/CCustomTabCtrl.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tavrin::ui {

CCustomPropertySheet::CCustomPropertySheet(const QString& caption, QWidget* parent, Mode mode)
    : CCustomDialog(BackAll, parent), tabs_(new CCustomTabCtrl(this)),
      stack_(new QStackedWidget(this)) {
    if (!caption.isEmpty()) setWindowTitle(caption);
    tabs_->setObjectName(QStringLiteral("sheetTabs"));
    stack_->setObjectName(QStringLiteral("sheetPages"));

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(stack_, 1);
    if (mode == Embedded) {
        setWindowFlags(Qt::Widget);
        setFrameVisible(false);
        layout->setContentsMargins(0, 0, 0, 0);
    } else {
        layout->setContentsMargins(8, 8, 8, 8);
        buttonRow_ = new QHBoxLayout;
        buttonRow_->setContentsMargins(0, 8, 0, 0);
        buttonRow_->addStretch(1);
        ok_ = new CCustomButton(QStringLiteral("OK"), this);
        ok_->setObjectName(QStringLiteral("okButton"));
        ok_->setDefault(true);
        cancel_ = new CCustomButton(QStringLiteral("Cancel"), this);
        cancel_->setObjectName(QStringLiteral("cancelButton"));
        buttonRow_->addWidget(ok_);
        buttonRow_->addWidget(cancel_);
        layout->addLayout(buttonRow_);
        connect(ok_, &QAbstractButton::clicked, this, &CCustomPropertySheet::accept);
        connect(cancel_, &QAbstractButton::clicked, this, &CCustomPropertySheet::reject);
    }

    // A click on a tab asks the pages; a refusal puts the tab back.
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (switching_ || index == active_ || index < 0) return;
        if (!setActivePage(index)) {
            switching_ = true;
            tabs_->setCurrentIndex(active_);
            switching_ = false;
        }
    });
}

int CCustomPropertySheet::addPage(CCustomPropertyPage* page) {
    pages_.append(page);
    if (scrollingPages_) {
        auto* area = new QScrollArea(stack_);
        area->setObjectName(QStringLiteral("pageScroller"));
        area->setFrameShape(QFrame::NoFrame);
        area->setWidgetResizable(true);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setWidget(page);
        // The sheet's own background shows through around the page.
        area->setAutoFillBackground(false);
        area->viewport()->setAutoFillBackground(false);
        area->setMinimumWidth(page->minimumSizeHint().width() +
                              area->verticalScrollBar()->sizeHint().width());
        stack_->addWidget(area);
    } else {
        stack_->addWidget(page);
    }
    switching_ = true;
    tabs_->addTab(page->title());
    switching_ = false;
    const int index = pages_.size() - 1;
    // The first page is current from the start; it is told when the sheet is shown.
    if (active_ < 0) {
        active_ = 0;
        stack_->setCurrentIndex(0);
        tabs_->setCurrentIndex(0);
    }
    return index;
}

CCustomPropertyPage* CCustomPropertySheet::page(int index) const {
    return index >= 0 && index < pages_.size() ? pages_.at(index) : nullptr;
}

bool CCustomPropertySheet::setActivePage(int index) {
    CCustomPropertyPage* next = page(index);
    if (!next) return false;
    if (index == active_ && shown_.contains(next)) return true;
    CCustomPropertyPage* current = activePage();
    if (current && current != next && shown_.contains(current) && !current->onKillActive())
        return false;
    if (!next->onSetActive()) return false;
    shown_.insert(next);
    active_ = index;
    stack_->setCurrentIndex(index);
    switching_ = true;
    tabs_->setCurrentIndex(index);
    switching_ = false;
    emit pageChanged(index);
    return true;
}

bool CCustomPropertySheet::setActivePage(CCustomPropertyPage* p) {
    return setActivePage(pages_.indexOf(p));
}

void CCustomPropertySheet::showEvent(QShowEvent* event) {
    CCustomDialog::showEvent(event);
    // The page that is current when the sheet appears is activated then, as a tab click would.
    if (CCustomPropertyPage* p = activePage(); p && !shown_.contains(p)) {
        if (p->onSetActive()) shown_.insert(p);
    }
}

void CCustomPropertySheet::accept() {
    if (CCustomPropertyPage* p = activePage(); p && shown_.contains(p) && !p->onKillActive())
        return;
    for (CCustomPropertyPage* p : pages_)
        if (shown_.contains(p)) p->onOK();
    CCustomDialog::accept();
}

void CCustomPropertySheet::reject() {
    for (CCustomPropertyPage* p : pages_)
        if (shown_.contains(p)) p->onCancel();
    CCustomDialog::reject();
}

} // namespace tavrin::ui
