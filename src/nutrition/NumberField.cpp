#include "nutrition/NumberField.h"

#include "nutrition/NutritionLook.h"
#include "nutrition/logic/NutritionNumbers.h"
#include "nutrition/logic/UnitsCalculator.h"

namespace tavrin::nutrition {

NumberField::NumberField(const char* objectName, QWidget* parent) : QLineEdit(parent) {
    setObjectName(objectName);
    setMaxLength(12);
    setAlignment(Qt::AlignRight);
    skinnedField(this);
    // An emptied field stands for 0, as the units calculator counts it.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.trimmed().isEmpty())
            last_ = 0;
        else if (const auto v = NutritionNumbers::typedAmount(text.toStdString()))
            last_ = *v;
    });
    setNumber(0);
}

bool NumberField::holdsNumber() const {
    return NutritionNumbers::typedAmount(text().toStdString()).has_value();
}

bool NumberField::unfinished() const {
    return NutritionNumbers::unfinished(text().toStdString());
}

float NumberField::number() const {
    if (text().trimmed().isEmpty()) return 0; // textChanged may not have told last_ yet
    return NutritionNumbers::typedAmount(text().toStdString()).value_or(last_);
}

void NumberField::setNumber(float v) {
    last_ = v;
    setText(QString::fromStdString(UnitsCalculator::shown(v)));
}

} // namespace tavrin::nutrition
