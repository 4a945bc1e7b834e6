#pragma once
// The daily calories page of the nutrition window: every ingredient of the catalogue, then every
// recipe, each with a tick and an amount in grams typed in place. The status line sums what is
// ticked; the bar beside it shows how the kilocalories divide. Nothing here is stored: each
// showing starts afresh.

#include "app/ListedTables.h"
#include "storage/DiaryFileSet.h"
#include "ui/CCustomPropertyPage.h"

class QLineEdit;

namespace tavrin::ui {
class CCustomListCtrl;
}

namespace tavrin::nutrition {

class MacroBar;

class CTavrinPPCookingDaily : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    static constexpr int kAmountColumn = 5;

    explicit CTavrinPPCookingDaily(QWidget* parent = nullptr);

    bool onSetActive() override;
    void fill();
    void recompute();

    ui::CCustomListCtrl* list() const { return list_; }
    QLineEdit* statusLine() const { return status_; }
    MacroBar* macroBar() const { return bar_; }
    int ingredientRows() const { return ingredients_; }

private:
    ui::CCustomListCtrl* list_;
    QLineEdit* status_;
    MacroBar* bar_;
    int ingredients_ = 0, recipes_ = 0;
    bool filling_ = false;
    app::ListedTables listed_{DiaryFileSet::kIngredients, DiaryFileSet::kRecipes};
};

} // namespace tavrin::nutrition
