#include "diary/CTavrinPPParams.h"

#include "diary/FibroRatingsWidget.h"
#include "platform/MessageBox.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrin::diary {

CTavrinPPParams::CTavrinPPParams(const EntryRecord& entry, QWidget* parent)
    : CCustomPropertyPage("Fibromyalgia Parameters", parent),
      ratings_(new FibroRatingsWidget(false, this)) {
    setObjectName("paramsPage");
    ratings_->showEntry(entry);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(ratings_);
    layout->addStretch(1);
}

bool CTavrinPPParams::check() {
    FibroValues values;
    FibroValues::Field bad{};
    QString message;
    if (ratings_->takeValues(values, bad, message)) return true;
    platform::MessageBox::warning(message, this);
    QLineEdit* field = ratings_->field(bad);
    field->setFocus();
    field->selectAll();
    return false;
}

bool CTavrinPPParams::onKillActive() {
    return check();
}

bool CTavrinPPParams::storeInto(EntryRecord& e) {
    FibroValues values;
    FibroValues::Field bad{};
    QString message;
    if (!ratings_->takeValues(values, bad, message)) return check();
    ratings_->storeRatings(e);
    values.storeInto(e);
    return true;
}

} // namespace tavrin::diary
