#include "nutrition/CTavrinPPCookingCookbook.h"

#include "app/DiaryState.h"
#include "nutrition/NumberField.h"
#include "nutrition/NutritionLook.h"
#include "nutrition/RecipePrinter.h"
#include "nutrition/RecipeTextEdit.h"
#include "nutrition/logic/NutritionNumbers.h"
#include "nutrition/logic/RecipeBook.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "storage/Cp1252.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CCustomStatic.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrinter>
#include <QShortcut>
#include <QVBoxLayout>

namespace tavrin::nutrition {
namespace {

using platform::MessageBox;

QString fromStored(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}
std::string toStored(const QString& s) {
    return cp1252::fromUtf8(s.toStdString());
}
QString one(float v) {
    return QString::fromStdString(NutritionNumbers::oneDecimal(v));
}
QString grams(float v) {
    return one(v) + " g.";
}

bool usable() {
    return app::DiaryState::instance().usable();
}
std::unique_ptr<TN> diary() {
    return app::DiaryState::instance().makeTN();
}

ui::CCustomStatic* label(const char* text, QWidget* parent) {
    return skinnedText(new ui::CCustomStatic(text, parent));
}

} // namespace

CTavrinPPCookingCookbook::CTavrinPPCookingCookbook(QWidget* parent)
    : ui::CCustomPropertyPage("Cookbook", parent), name_(new QLineEdit(this)),
      description_(new RecipeTextEdit(RecipeBook::kMaxDescription, this)),
      method_(new RecipeTextEdit(RecipeBook::kMaxMethod, this)), choice_(new QComboBox(this)),
      quantity_(new NumberField("quantityInput", this)), lines_(new ui::CCustomListCtrl(this)),
      recipes_(new ui::CCustomListCtrl(this)) {
    setObjectName("cookbookPage");
    name_->setObjectName("recipeName");
    name_->setMaxLength(RecipeBook::kMaxName);
    skinnedField(name_);
    description_->setObjectName("recipeDescription");
    description_->setFixedHeight(44);
    skinnedField(description_);
    method_->setObjectName("recipeMethod");
    skinnedField(method_);
    choice_->setObjectName("ingredientChoice");
    choice_->setMinimumWidth(180);
    choice_->setMaxVisibleItems(20);
    skinnedField(choice_);
    quantity_->setFixedWidth(70);

    lines_->setObjectName("recipeIngredientsList");
    lines_->insertColumn("Ingredient name", 84);
    lines_->insertColumn("Quantity", 72, Qt::AlignRight);
    lines_->insertColumn("Fat", 56, Qt::AlignRight);
    lines_->insertColumn("Carbohydrate", 56, Qt::AlignRight);
    lines_->insertColumn("Protein", 56, Qt::AlignRight);
    lines_->insertColumn("KCalories", 56, Qt::AlignRight);
    lines_->restoreWidths(settings::IngredientsInRecipeList);
    recipes_->setObjectName("recipeList");
    recipes_->insertColumn("Recipes", 260);

    auto* addLine = makeButton("Add Ingredient", "addIngredientButton", this);
    auto* removeLine = makeButton("Remove Ingredient", "removeIngredientButton", this);
    auto* save = makeButton("Save Recipe", "saveRecipeButton", this);
    auto* remove = makeButton("Delete Recipe", "deleteRecipeButton", this);
    auto* print = makeButton("Print Recipe", "printRecipeButton", this);
    auto* fresh = makeButton("New Recipe", "newRecipeButton", this);

    // Left: what the recipe is and what goes into it; right: the saved recipes and how it is
    // made.
    auto* left = new QGridLayout;
    left->setHorizontalSpacing(6);
    left->setVerticalSpacing(4);
    left->addWidget(label("Recipe Name", this), 0, 0);
    left->addWidget(name_, 0, 1);
    left->addWidget(label("Recipe Description", this), 1, 0, Qt::AlignTop);
    left->addWidget(description_, 1, 1);
    auto* pick = new QHBoxLayout;
    pick->setSpacing(4);
    pick->addWidget(choice_, 1);
    pick->addWidget(quantity_);
    pick->addWidget(label("g", this));
    left->addWidget(label("Ingredient", this), 2, 0);
    left->addLayout(pick, 2, 1);
    auto* lineButtons = new QHBoxLayout;
    lineButtons->setSpacing(4);
    lineButtons->addWidget(addLine);
    lineButtons->addWidget(removeLine);
    lineButtons->addStretch(1);
    left->addLayout(lineButtons, 3, 1);
    left->addWidget(lines_, 4, 0, 1, 2);
    left->setRowStretch(4, 1);
    left->setColumnStretch(1, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(recipes_, 2);
    right->addWidget(label("Recipe Preparation Method", this));
    right->addWidget(method_, 3);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(4);
    for (auto* b : {save, remove, print})
        commands->addWidget(b);
    commands->addStretch(1);
    commands->addWidget(fresh);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(columns, 1);
    layout->addLayout(commands);

    connect(addLine, &QPushButton::clicked, this, &CTavrinPPCookingCookbook::addIngredient);
    connect(removeLine, &QPushButton::clicked, this, &CTavrinPPCookingCookbook::removeIngredient);
    connect(save, &QPushButton::clicked, this, &CTavrinPPCookingCookbook::saveRecipe);
    connect(remove, &QPushButton::clicked, this, &CTavrinPPCookingCookbook::deleteRecipe);
    connect(print, &QPushButton::clicked, this, &CTavrinPPCookingCookbook::printRecipe);
    connect(fresh, &QPushButton::clicked, this, &CTavrinPPCookingCookbook::newRecipe);
    connect(recipes_, &ui::CCustomListCtrl::rowSelected, this,
            &CTavrinPPCookingCookbook::recipeSelected);

    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), [this] { saveRecipe(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] { saveRecipe(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { deleteRecipe(); });
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
    for (int i = 0; i < 5; ++i)
        shortcut(QKeySequence(Qt::ALT | digits[i]), [this, i] { pasteShortcut(i); });
}

CTavrinPPCookingCookbook::~CTavrinPPCookingCookbook() {
    clearWorkingList();
}

bool CTavrinPPCookingCookbook::onSetActive() {
    reload();
    return true;
}

void CTavrinPPCookingCookbook::reload() {
    refreshRecipes();
    refillChoices();
    showWorkingList();
}

void CTavrinPPCookingCookbook::refreshRecipes() {
    if (!usable()) return;
    std::vector<RecipeRecord> recs;
    recipesListed_.remember();
    diary()->recipes.ReadAll(recs);
    recipes_->setRedraw(false);
    recipes_->clear();
    for (std::size_t i = 0; i < recs.size(); ++i)
        recipes_->setItemData(recipes_->addRow({fromStored(recs[i].name())}), qint64(i));
    recipes_->setRedraw(true);
}

void CTavrinPPCookingCookbook::refillChoices() {
    if (!usable()) return;
    std::vector<IngredientRecord> recs;
    choicesListed_.remember();
    diary()->ingredients.ReadAll(recs);
    const QSignalBlocker block(choice_);
    choice_->clear();
    for (const auto& r : recs)
        choice_->addItem(fromStored(r.name()));
    if (recs.empty()) choice_->addItem(kNotAvailable);
    choice_->setEnabled(!recs.empty());
    choice_->setCurrentIndex(-1);
}

void CTavrinPPCookingCookbook::showLines(const std::vector<IngredientLineRecord>& lines) {
    QList<QStringList> rows;
    for (const auto& l : lines)
        rows.append({fromStored(l.name()), grams(l.weight()), one(l.fat()), one(l.carbohydrate()),
                     one(l.protein()), one(l.kcal())});
    const RecipeBook::Totals t = RecipeBook::totals(lines);
    rows.prepend(
        {"TOTALS:", grams(t.weight), one(t.fat), one(t.carbohydrate), one(t.protein), one(t.kcal)});
    lines_->setRedraw(false);
    lines_->clear();
    lines_->addRows(rows);
    lines_->setRedraw(true);
}

void CTavrinPPCookingCookbook::showWorkingList() {
    if (!usable()) return;
    std::vector<IngredientLineRecord> lines;
    RecipeBook::readLines(*diary(), lines);
    showLines(lines);
}

void CTavrinPPCookingCookbook::clearWorkingList() {
    if (usable()) RecipeBook::clearLines(*diary());
}

void CTavrinPPCookingCookbook::addIngredient() {
    if (!usable()) {
        MessageBox::warning(texts::kNoDiary, this);
        return;
    }
    if (!quantity_->holdsNumber()) {
        MessageBox::warning(NumberField::kNotANumber, this);
        return;
    }
    if (!choicesListed_.current(this, [this] { refillChoices(); })) return;
    const float q = quantity_->number();
    auto tn = diary();
    const int position = choice_->isEnabled() ? choice_->currentIndex() : -1;
    tn->ingredients.index = position;
    if (position < 0 || !tn->ingredients.Read()) {
        showWorkingList();
        quantity_->setNumber(0);
        return;
    }
    const IngredientRecord ingredient = tn->ingredients.record;
    switch (RecipeBook::addLine(*tn, RecipeBook::scale(ingredient, q))) {
    case RecipeBook::AddResult::Full:
        MessageBox::warning(kTooMany, this);
        return;
    case RecipeBook::AddResult::Failed: // reported by the storage layer
        return;
    case RecipeBook::AddResult::Added:
        break;
    }
    showWorkingList();
    quantity_->setNumber(0);
}

void CTavrinPPCookingCookbook::removeIngredient() {
    const int row = lines_->selectedRow();
    if (row <= 0) {
        MessageBox::warning(kRemoveNone, this);
        return;
    }
    auto tn = diary();
    if (row - 1 < tn->tempIngredients.Count()) RecipeBook::removeLine(*tn, row - 1);
    showWorkingList();
}

void CTavrinPPCookingCookbook::saveRecipe() {
    if (!usable()) {
        MessageBox::warning(texts::kNoDiary, this);
        return;
    }
    if (name_->text().isEmpty()) {
        MessageBox::warning(kNoName, this);
        return;
    }
    auto tn = diary();
    std::vector<IngredientLineRecord> lines;
    RecipeBook::readLines(*tn, lines);
    if (lines.empty() && !MessageBox::question(kNoIngredients, this)) return;
    const RecipeRecord r = RecipeBook::makeRecipe(toStored(name_->text()), description_->stored(),
                                                  method_->stored(), lines);
    if (!RecipeBook::save(*tn, r)) return;
    refreshRecipes();
}

void CTavrinPPCookingCookbook::recipeSelected(int row) {
    if (!usable() || row < 0) return;
    if (!recipesListed_.currentLater(this, [this] { refreshRecipes(); })) return;
    auto tn = diary();
    tn->recipes.index = int(recipes_->itemData(row));
    if (!tn->recipes.Read()) return;
    const RecipeRecord r = tn->recipes.record;
    RecipeBook::clearLines(*tn);
    name_->setText(fromStored(r.name()));
    description_->setStored(r.description());
    method_->setStored(r.method());
    quantity_->setNumber(0);
    showLines(RecipeBook::lines(r));
}

void CTavrinPPCookingCookbook::newRecipe() {
    clearWorkingList();
    lines_->clear(); // a new recipe starts from an empty list, not even a totals row
    if (choice_->count() > 0 && choice_->isEnabled()) choice_->setCurrentIndex(0);
    name_->clear();
    description_->clear();
    method_->clear();
    quantity_->setNumber(0);
    recipes_->clearSelection();
}

void CTavrinPPCookingCookbook::deleteRecipe() {
    const int row = recipes_->selectedRow();
    if (row < 0) {
        MessageBox::warning(kDeleteNone, this);
        return;
    }
    if (!recipesListed_.current(this, [this] { refreshRecipes(); })) return;
    if (settings::read(settings::DeleteRecipe) == 1 &&
        !MessageBox::question(
            QString("Are you sure you wish to delete %1?").arg(recipes_->itemText(row, 0)), this))
        return;
    RecipeBook::remove(*diary(), int(recipes_->itemData(row)));
    newRecipe();
    refreshRecipes();
}

void CTavrinPPCookingCookbook::printRecipe() {
    // Nothing to print without a recipe chosen: no printer is asked for.
    const int row = recipes_->selectedRow();
    if (row < 0 || !usable()) return;
    if (!recipesListed_.current(this, [this] { refreshRecipes(); })) return;
    platform::PrintChoice choice = platform::PrintDialog::choose(this, false);
    if (!choice.printer) return;
    auto tn = diary();
    tn->recipes.index = int(recipes_->itemData(row));
    if (!tn->recipes.Read()) return;
    QString text = fromStored(RecipeBook::printText(tn->recipes.record));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    RecipePrinter::print(text, *choice.printer);
}

void CTavrinPPCookingCookbook::pasteShortcut(int which) {
    if (!usable()) return;
    const QStringList& texts = app::DiaryState::instance().shortcuts();
    if (which >= 0 && which < texts.size()) ui::CCustomRichEdit::pasteIntoFocus(texts.at(which));
}

} // namespace tavrin::nutrition
