#pragma once
// The organiser module as the main window sees it: its pages.

#include "app/Module.h"

namespace tavrin::organiser {

class OrganiserModule : public app::Module {
public:
    QWidget* createPage(app::Page page, QWidget* parent) override;
};

} // namespace tavrin::organiser
