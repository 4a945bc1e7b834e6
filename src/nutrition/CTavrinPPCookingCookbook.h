#pragma once
// The cookbook page of the nutrition window: a recipe is composed in the working list (the
// temporary ingredients table, at most thirty lines) from ingredients of the catalogue scaled
// to their grams, shown under a totals row; saved recipes are listed by name (list row n is
// record position n), shown again when selected, deleted and printed.

#include "app/ListedTables.h"
#include "storage/DiaryFileSet.h"
#include "ui/CCustomPropertyPage.h"

#include <vector>

class QComboBox;
class QLineEdit;

namespace tavrin {
class IngredientLineRecord;
class RecipeRecord;
} // namespace tavrin

namespace tavrin::ui {
class CCustomListCtrl;
class StoredTextEdit;
} // namespace tavrin::ui

namespace tavrin::nutrition {

class NumberField;
using RecipeTextEdit = ui::StoredTextEdit;

class CTavrinPPCookingCookbook : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    static constexpr const char* kTooMany = "You cannot add more than 30 ingredients to a recipe!";
    static constexpr const char* kRemoveNone =
        "You must have an ingredient selected in order to delete it!";
    static constexpr const char* kNoName =
        "You don't have a recipe name! You cannot save your recipe!";
    static constexpr const char* kNoIngredients =
        "You have no ingredients! Are you sure you wish to save your recipe?";
    static constexpr const char* kDeleteNone =
        "You must have a recipe selected in order to delete it!";
    static constexpr const char* kNotAvailable = "n/a";
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpCookbook.html";

    explicit CTavrinPPCookingCookbook(QWidget* parent = nullptr);
    // The working list is emptied: a recipe half composed is not kept.
    ~CTavrinPPCookingCookbook() override;

    bool onSetActive() override;
    // The recipe list, the ingredient choices (none chosen) and the working list, read again.
    void reload();

    ui::CCustomListCtrl* ingredientList() const { return lines_; }
    ui::CCustomListCtrl* recipeList() const { return recipes_; }
    QComboBox* ingredientChoice() const { return choice_; }
    NumberField* quantityInput() const { return quantity_; }
    QLineEdit* nameInput() const { return name_; }
    RecipeTextEdit* descriptionInput() const { return description_; }
    RecipeTextEdit* methodInput() const { return method_; }

public slots:
    void addIngredient();
    void removeIngredient();
    void saveRecipe();
    void deleteRecipe();
    void printRecipe();
    void newRecipe();
    void showWorkingList();

private:
    void refreshRecipes();
    void refillChoices();
    void recipeSelected(int row);
    void showLines(const std::vector<IngredientLineRecord>& lines);
    void clearWorkingList();
    void pasteShortcut(int which);

    QLineEdit* name_;
    RecipeTextEdit* description_;
    RecipeTextEdit* method_;
    QComboBox* choice_;
    NumberField* quantity_;
    ui::CCustomListCtrl* lines_;
    ui::CCustomListCtrl* recipes_;
    app::ListedTables recipesListed_{DiaryFileSet::kRecipes};
    app::ListedTables choicesListed_{DiaryFileSet::kIngredients};
};

} // namespace tavrin::nutrition
