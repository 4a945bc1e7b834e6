#include "diary/CTavrinPPViewParams.h"

#include "diary/FibroRatingsWidget.h"
#include "storage/TN.h"

#include <QVBoxLayout>

namespace tavrin::diary {

CTavrinPPViewParams::CTavrinPPViewParams(QWidget* parent)
    : CCustomPropertyPage("Fibromyalgia Parameters", parent),
      ratings_(new FibroRatingsWidget(true, this)) {
    setObjectName("viewParamsPage");
    auto* layout = new QVBoxLayout(this);
    // Both columns of ratings side by side in the preview's width.
    layout->setContentsMargins(4, 6, 4, 6);
    layout->addWidget(ratings_);
    layout->addStretch(1);
    ratings_->clearEntry();
}

void CTavrinPPViewParams::showEntry(const TN& tn) {
    ratings_->showEntry(tn.entry);
}

void CTavrinPPViewParams::clearEntry() {
    ratings_->clearEntry();
}

} // namespace tavrin::diary
