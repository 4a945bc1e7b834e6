#pragma once
// The nutrition module as the main window sees it: the cookbook page with its five pages.

#include "app/Module.h"

namespace tavrin::nutrition {

class NutritionModule : public app::Module {
public:
    QWidget* createPage(app::Page page, QWidget* parent) override;
};

} // namespace tavrin::nutrition
