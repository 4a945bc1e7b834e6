#include "nutrition/NumberField.h"

#include "nutrition/NutritionLook.h"
#include "nutrition/logic/NutritionNumbers.h"
#include "nutrition/logic/UnitsCalculator.h"

#include <QRegularExpressionValidator>

namespace tavrin::nutrition {

NumberField::NumberField(const char* objectName, QWidget* parent) : QLineEdit(parent) {
    setObjectName(objectName);
    setMaxLength(12);
    setAlignment(Qt::AlignRight);
    setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*[.]?[0-9]*"), this));
    skinnedField(this);
    setNumber(0);
}

bool NumberField::holdsNumber() const {
    return NutritionNumbers::isNumber(text().toStdString());
}

float NumberField::number() const {
    return float(NutritionNumbers::leading(text().toStdString()));
}

void NumberField::setNumber(float v) {
    setText(QString::fromStdString(UnitsCalculator::shown(v)));
}

} // namespace tavrin::nutrition
