#pragma once
// The diary module as the main window sees it: the diary page.

#include "app/Module.h"

namespace tavrin::diary {

class DiaryModule : public app::Module {
public:
    QWidget* createPage(app::Page page, QWidget* parent) override;
};

} // namespace tavrin::diary
