#include "nutrition/CTavrinDlgCooking.h"

#include "nutrition/CTavrinPPCookingCookbook.h"
#include "nutrition/CTavrinPSCooking.h"
#include "platform/Help.h"

#include <QShortcut>
#include <QVBoxLayout>

namespace tavrin::nutrition {

CTavrinDlgCooking::CTavrinDlgCooking(QWidget* parent)
    : ui::CCustomDialog(BackMain, parent), sheet_(new CTavrinPSCooking(this)) {
    setWindowFlags(Qt::Widget);
    setObjectName("nutritionPage");
    sheet_->setWindowFlags(Qt::Widget);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(sheet_);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    help->setContext(Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this,
            [this] { platform::Help::openTopic(kHelpTopic, this); });
}

void CTavrinDlgCooking::pageShown() {
    sheet_->cookbook()->reload();
    if (auto* page = sheet_->activePage(); page && page != sheet_->cookbook()) page->onSetActive();
}

void CTavrinDlgCooking::selectSubPage(int which) {
    if (which < 0 || which >= sheet_->pageCount()) return;
    if (sheet_->activeIndex() == which)
        sheet_->activePage()->onSetActive();
    else
        sheet_->setActivePage(which);
}

} // namespace tavrin::nutrition
