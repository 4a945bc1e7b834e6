#include "nutrition/NutritionModule.h"

#include "nutrition/CTavrinDlgCooking.h"

namespace tavrin::nutrition {

QWidget* NutritionModule::createPage(app::Page page, QWidget* parent) {
    return page == app::Page::Cookbook ? new CTavrinDlgCooking(parent) : nullptr;
}

} // namespace tavrin::nutrition
