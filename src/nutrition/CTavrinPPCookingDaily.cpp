#include "nutrition/CTavrinPPCookingDaily.h"

#include "app/DiaryState.h"
#include "nutrition/MacroBar.h"
#include "nutrition/NutritionLook.h"
#include "nutrition/logic/DailyTally.h"
#include "nutrition/logic/NutritionNumbers.h"
#include "platform/Settings.h"
#include "storage/Cp1252.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomStatic.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrin::nutrition {
namespace {

QString fromStored(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}
QString one(float v) {
    return QString::fromStdString(NutritionNumbers::oneDecimal(v));
}

} // namespace

CTavrinPPCookingDaily::CTavrinPPCookingDaily(QWidget* parent)
    : ui::CCustomPropertyPage("Daily Calories", parent), list_(new ui::CCustomListCtrl(this)),
      status_(new QLineEdit(DailyTally::kNothingYet, this)), bar_(new MacroBar(this)) {
    setObjectName("dailyCaloriesPage");
    list_->setObjectName("dailyList");
    list_->setCheckBoxes(true);
    list_->setEditable(true);
    list_->insertColumn("Ingredient name", 96);
    list_->insertColumn("Fat/100 g", 64, Qt::AlignRight);
    list_->insertColumn("Carbohydrate/100 g", 110, Qt::AlignRight);
    list_->insertColumn("Protein/100 g", 80, Qt::AlignRight);
    list_->insertColumn("KCalories/100 g", 96, Qt::AlignRight);
    list_->insertColumn("Amount (g)", 64, Qt::AlignRight);
    list_->restoreWidths(settings::DailyList);
    status_->setObjectName("dailyStatus");
    status_->setReadOnly(true);
    status_->setFocusPolicy(Qt::NoFocus);
    skinnedField(status_);

    // The status line takes the whole width (its totals grow long); the bar sits under its end.
    auto* share = new QHBoxLayout;
    share->setSpacing(8);
    share->addStretch(1);
    share->addWidget(skinnedText(new ui::CCustomStatic("Kilocalories from:", this)));
    share->addWidget(bar_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(6);
    layout->addWidget(list_, 1);
    layout->addWidget(status_);
    layout->addLayout(share);

    connect(list_, &ui::CCustomListCtrl::checkToggled, this, [this] { recompute(); });
    connect(list_, &ui::CCustomListCtrl::cellEdited, this, [this] { recompute(); });
    connect(list_, &ui::CCustomListCtrl::rowSelected, this, [this] { recompute(); });
    setFocusProxy(list_);
}

bool CTavrinPPCookingDaily::onSetActive() {
    fill();
    list_->setFocus();
    return true;
}

void CTavrinPPCookingDaily::fill() {
    if (!app::DiaryState::instance().usable()) return;
    filling_ = true;
    listed_.remember();
    auto tn = app::DiaryState::instance().makeTN();
    std::vector<IngredientRecord> ingredients;
    std::vector<RecipeRecord> recipes;
    tn->ingredients.ReadAll(ingredients);
    tn->recipes.ReadAll(recipes);
    list_->setRedraw(false);
    list_->clear();
    QList<QStringList> rows;
    for (const auto& r : ingredients)
        rows.append({fromStored(r.name()), one(r.fat()), one(r.carbohydrate()), one(r.protein()),
                     one(r.kcal()), "0"});
    for (const auto& r : recipes)
        rows.append({fromStored(r.name()), "", "", "", "", "0"});
    const int first = list_->addRows(rows);
    ingredients_ = int(ingredients.size());
    recipes_ = int(recipes.size());
    for (int i = 0; i < int(rows.size()); ++i) {
        const int row = first + i;
        list_->setItemData(row, i < ingredients_ ? i : i - ingredients_);
        list_->setTextCell(row, kAmountColumn, "0", false, true);
    }
    list_->setRedraw(true);
    filling_ = false;
}

void CTavrinPPCookingDaily::recompute() {
    if (filling_ || !app::DiaryState::instance().usable()) return;
    // Rows read their records by position: after an outside change they would count others.
    if (!listed_.currentLater(this, [this] {
            fill();
            recompute();
        }))
        return;
    auto tn = app::DiaryState::instance().makeTN();
    DailyTally tally;
    for (int row = 0; row < list_->rowCount(); ++row) {
        if (!list_->isChecked(row)) continue;
        const float grams =
            float(NutritionNumbers::leading(list_->itemText(row, kAmountColumn).toStdString()));
        const int position = int(list_->itemData(row));
        if (row < ingredients_) {
            tn->ingredients.index = position;
            if (tn->ingredients.Read()) tally.addIngredient(tn->ingredients.record, grams);
        } else {
            tn->recipes.index = position;
            if (tn->recipes.Read()) tally.addRecipe(tn->recipes.record, grams);
        }
    }
    status_->setText(QString::fromStdString(tally.statusText()));
    bar_->setGrams(tally.protein(), tally.carbohydrate(), tally.fat());
}

} // namespace tavrin::nutrition
