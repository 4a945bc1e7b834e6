#include "nutrition/CTavrinPSCooking.h"

#include "nutrition/CTavrinPPCookingCalculator.h"
#include "nutrition/CTavrinPPCookingCookbook.h"
#include "nutrition/CTavrinPPCookingDaily.h"
#include "nutrition/CTavrinPPCookingIngredients.h"
#include "nutrition/CTavrinPPCookingShopping.h"

#include <QKeyEvent>

namespace tavrin::nutrition {

CTavrinPSCooking::CTavrinPSCooking(QWidget* parent)
    : ui::CCustomPropertySheet(QString(), parent, Embedded),
      cookbook_(new CTavrinPPCookingCookbook), ingredients_(new CTavrinPPCookingIngredients),
      daily_(new CTavrinPPCookingDaily), shopping_(new CTavrinPPCookingShopping),
      calculator_(new CTavrinPPCookingCalculator) {
    setObjectName("cookingSheet");
    addPage(cookbook_);
    addPage(ingredients_);
    addPage(daily_);
    addPage(shopping_);
    addPage(calculator_);
}

void CTavrinPSCooking::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    ui::CCustomPropertySheet::keyPressEvent(event);
}

} // namespace tavrin::nutrition
