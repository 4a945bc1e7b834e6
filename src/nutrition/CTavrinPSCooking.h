#pragma once
// The nutrition window's tabbed sheet: Cookbook, Ingredients, Daily Calories, Shopping List and
// Units Calculator and Miscellaneous, all made at once, embedded without buttons.

#include "ui/CCustomPropertySheet.h"

namespace tavrin::nutrition {

class CTavrinPPCookingCookbook;
class CTavrinPPCookingIngredients;
class CTavrinPPCookingDaily;
class CTavrinPPCookingShopping;
class CTavrinPPCookingCalculator;

class CTavrinPSCooking : public ui::CCustomPropertySheet {
    Q_OBJECT
public:
    // The pages in tab order (the navigator's numbers for them).
    enum Page { CookbookPage, IngredientsPage, DailyPage, ShoppingPage, CalculatorPage };

    explicit CTavrinPSCooking(QWidget* parent = nullptr);

    CTavrinPPCookingCookbook* cookbook() const { return cookbook_; }
    CTavrinPPCookingIngredients* ingredients() const { return ingredients_; }
    CTavrinPPCookingDaily* daily() const { return daily_; }
    CTavrinPPCookingShopping* shopping() const { return shopping_; }
    CTavrinPPCookingCalculator* calculator() const { return calculator_; }

public slots:
    // Embedded, the sheet has nothing to confirm or close.
    void accept() override {}
    void reject() override {}

protected:
    // Escape goes on to the page of the main window, which minimises it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    CTavrinPPCookingCookbook* cookbook_;
    CTavrinPPCookingIngredients* ingredients_;
    CTavrinPPCookingDaily* daily_;
    CTavrinPPCookingShopping* shopping_;
    CTavrinPPCookingCalculator* calculator_;
};

} // namespace tavrin::nutrition
