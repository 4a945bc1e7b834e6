#include "diary/CTavrinPPViewBody.h"

#include "diary/PainMapWidget.h"
#include "storage/TN.h"

#include <QVBoxLayout>

namespace tavrin::diary {

CTavrinPPViewBody::CTavrinPPViewBody(QWidget* parent)
    : CCustomPropertyPage("Body Pain Map", parent),
      map_(new PainMapWidget(PainMapWidget::ReadOnly, this)) {
    setObjectName("viewBodyPage");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(map_);
    layout->addStretch(1);
    map_->clearValues();
}

void CTavrinPPViewBody::showEntry(const TN& tn) {
    map_->setValues(PainMapWidget::of(tn.entry));
}

void CTavrinPPViewBody::clearEntry() {
    map_->clearValues();
}

} // namespace tavrin::diary
