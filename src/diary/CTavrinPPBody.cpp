#include "diary/CTavrinPPBody.h"

#include "diary/PainMapWidget.h"

#include <QVBoxLayout>

namespace tavrin::diary {

CTavrinPPBody::CTavrinPPBody(const EntryRecord& entry, QWidget* parent)
    : CCustomPropertyPage("Body Pain Map", parent),
      map_(new PainMapWidget(PainMapWidget::Editing, this)) {
    setObjectName("bodyPage");
    map_->setValues(PainMapWidget::of(entry));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 16, 8, 8);
    layout->addWidget(map_);
    layout->addStretch(1);
}

void CTavrinPPBody::storeInto(EntryRecord& e) const {
    PainMapWidget::storeInto(map_->values(), e);
}

} // namespace tavrin::diary
