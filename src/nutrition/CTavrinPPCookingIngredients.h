#pragma once
// The ingredients page of the nutrition window: the catalogue of foods with fat, carbohydrate,
// protein and kilocalories per 100 g, kept in name order without regard to letter case (list
// row n is record position n). Kilocalories follow the three other values as they are typed
// and may then be overwritten; Generate Default appends the hundred default ingredients.

#include "app/ListedTables.h"
#include "storage/DiaryFileSet.h"
#include "ui/CCustomPropertyPage.h"

#include <array>

class QLineEdit;

namespace tavrin::ui {
class CCustomListCtrl;
}

namespace tavrin::nutrition {

class NumberField;

class CTavrinPPCookingIngredients : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    static constexpr const char* kDeleteNone =
        "You must have an ingredient selected in order to delete it!";

    explicit CTavrinPPCookingIngredients(QWidget* parent = nullptr);

    bool onSetActive() override;

    ui::CCustomListCtrl* list() const { return list_; }
    QLineEdit* nameInput() const { return name_; }
    NumberField* fatInput() const { return numbers_[Fat]; }
    NumberField* carbohydrateInput() const { return numbers_[Carbohydrate]; }
    NumberField* proteinInput() const { return numbers_[Protein]; }
    NumberField* kcalInput() const { return numbers_[Kcal]; }

public slots:
    void refresh();
    void addIngredient();
    void deleteIngredient();
    void generateDefault();

private:
    enum Value { Fat, Carbohydrate, Protein, Kcal };
    void valueTyped(int which);

    QLineEdit* name_;
    std::array<NumberField*, 4> numbers_{};
    // What each numeric input last held as a number: Add stores these.
    std::array<float, 4> values_{};
    ui::CCustomListCtrl* list_;
    app::ListedTables listed_{DiaryFileSet::kIngredients};
};

} // namespace tavrin::nutrition
