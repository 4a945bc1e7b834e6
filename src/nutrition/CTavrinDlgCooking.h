#pragma once
// The nutrition page of the main window: the sheet CTavrinPSCooking filling it. Each time the
// page is shown the cookbook reads its recipes, ingredient choices and working list again, and
// the page in front reads what it lists. The navigator opens its pages by their numbers.

#include "app/Module.h"
#include "ui/CCustomDialog.h"

namespace tavrin::nutrition {

class CTavrinPSCooking;

class CTavrinDlgCooking : public ui::CCustomDialog,
                          public app::ModulePage,
                          public app::SubPageSelector {
    Q_OBJECT
public:
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpCookbook.html";

    explicit CTavrinDlgCooking(QWidget* parent = nullptr);

    void pageShown() override;
    void selectSubPage(int which) override;

    CTavrinPSCooking* sheet() const { return sheet_; }

protected:
    void reject() override {}
    void accept() override {}

private:
    CTavrinPSCooking* sheet_;
};

} // namespace tavrin::nutrition
