#include "nutrition/CTavrinPPCookingIngredients.h"

#include "app/DiaryState.h"
#include "nutrition/NumberField.h"
#include "nutrition/NutritionLook.h"
#include "nutrition/logic/IngredientCatalogue.h"
#include "nutrition/logic/NutritionNumbers.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "storage/Cp1252.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomStatic.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QShortcut>
#include <QVBoxLayout>

namespace tavrin::nutrition {
namespace {

using platform::MessageBox;

QString fromStored(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}
QString one(float v) {
    return QString::fromStdString(NutritionNumbers::oneDecimal(v));
}

} // namespace

CTavrinPPCookingIngredients::CTavrinPPCookingIngredients(QWidget* parent)
    : ui::CCustomPropertyPage("Ingredients", parent), name_(new QLineEdit(this)),
      list_(new ui::CCustomListCtrl(this)) {
    setObjectName("ingredientsPage");
    name_->setObjectName("ingredientName");
    name_->setMaxLength(IngredientCatalogue::kMaxName);
    skinnedField(name_);
    const char* names[] = {"fatInput", "carbohydrateInput", "proteinInput", "kcalInput"};
    for (int i = 0; i < 4; ++i) {
        numbers_[std::size_t(i)] = new NumberField(names[i], this);
        numbers_[std::size_t(i)]->setFixedWidth(90);
    }

    list_->setObjectName("ingredientsList");
    list_->setMultiSelect(true);
    list_->insertColumn("Ingredient name", 96);
    list_->insertColumn("Fat", 40, Qt::AlignRight);
    list_->insertColumn("Carbohydrate", 80, Qt::AlignRight);
    list_->insertColumn("Protein", 48, Qt::AlignRight);
    list_->insertColumn("KCalories", 64, Qt::AlignRight);
    list_->restoreWidths(settings::IngredientsList);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(skinnedText(new ui::CCustomStatic("Ingredient name:", this)));
    nameRow->addWidget(name_, 1);

    auto* group = new ui::CCustomStatic("Nutritional information per 100 grams", this,
                                        ui::CCustomStatic::Group);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(10, 18, 10, 8);
    grid->setHorizontalSpacing(8);
    const char* labels[] = {"Fat", "Carbohydrate", "Protein", "KCalories"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(skinnedText(new ui::CCustomStatic(labels[i], group)), 0, i);
        numbers_[std::size_t(i)]->setParent(group);
        grid->addWidget(numbers_[std::size_t(i)], 1, i);
    }
    grid->setColumnStretch(4, 1);

    auto* add = makeButton("Add", "addButton", this);
    auto* remove = makeButton("Delete", "deleteButton", this);
    auto* generate = makeButton("Generate Default", "generateDefaultButton", this);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(4);
    commands->addWidget(add);
    commands->addWidget(remove);
    commands->addStretch(1);
    commands->addWidget(generate);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(nameRow);
    layout->addWidget(group);
    layout->addLayout(commands);
    layout->addWidget(list_, 1);

    for (int i = 0; i < 4; ++i)
        connect(numbers_[std::size_t(i)], &QLineEdit::textEdited, this,
                [this, i] { valueTyped(i); });
    connect(add, &QPushButton::clicked, this, &CTavrinPPCookingIngredients::addIngredient);
    connect(remove, &QPushButton::clicked, this, &CTavrinPPCookingIngredients::deleteIngredient);
    connect(generate, &QPushButton::clicked, this, &CTavrinPPCookingIngredients::generateDefault);

    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), [this] { addIngredient(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] { addIngredient(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { deleteIngredient(); });
}

bool CTavrinPPCookingIngredients::onSetActive() {
    refresh();
    return true;
}

void CTavrinPPCookingIngredients::valueTyped(int which) {
    NumberField* f = numbers_[std::size_t(which)];
    if (f->holdsNumber()) values_[std::size_t(which)] = f->number();
    if (which == Kcal) return;
    values_[Kcal] = NutritionNumbers::kcal(values_[Fat], values_[Carbohydrate], values_[Protein]);
    numbers_[Kcal]->setText(one(values_[Kcal]));
}

void CTavrinPPCookingIngredients::refresh() {
    if (!app::DiaryState::instance().usable()) return;
    std::vector<IngredientRecord> recs;
    listed_.remember();
    app::DiaryState::instance().makeTN()->ingredients.ReadAll(recs);
    QList<QStringList> rows;
    rows.reserve(qsizetype(recs.size()));
    for (const auto& r : recs)
        rows.append({fromStored(r.name()), one(r.fat()), one(r.carbohydrate()), one(r.protein()),
                     one(r.kcal())});
    list_->setRedraw(false);
    list_->clear();
    const int first = list_->addRows(rows);
    for (int i = 0; i < int(rows.size()); ++i)
        list_->setItemData(first + i, i);
    list_->setRedraw(true);
}

void CTavrinPPCookingIngredients::addIngredient() {
    if (!app::DiaryState::instance().usable()) {
        MessageBox::warning(texts::kNoDiary, this);
        return;
    }
    // An input that holds no number keeps the value it last held; Add goes ahead.
    for (NumberField* f : numbers_)
        if (!f->holdsNumber()) {
            MessageBox::warning(NumberField::kNotANumber, this);
            break;
        }
    const IngredientRecord r =
        IngredientCatalogue::makeRecord(cp1252::fromUtf8(name_->text().toStdString()), values_[Fat],
                                        values_[Carbohydrate], values_[Protein], values_[Kcal]);
    if (!IngredientCatalogue::add(*app::DiaryState::instance().makeTN(), r)) return;
    name_->clear();
    for (NumberField* f : numbers_)
        f->setNumber(0);
    values_ = {};
    refresh();
}

void CTavrinPPCookingIngredients::deleteIngredient() {
    const int row = list_->selectedRow();
    if (row < 0) {
        MessageBox::warning(kDeleteNone, this);
        return;
    }
    if (!listed_.current(this, [this] { refresh(); })) return;
    if (settings::read(settings::DeleteIngredient) == 1 &&
        !MessageBox::question(
            QString("Are you sure you wish to delete %1?").arg(list_->itemText(row, 0)), this))
        return;
    IngredientCatalogue::remove(*app::DiaryState::instance().makeTN(), int(list_->itemData(row)));
    refresh();
}

void CTavrinPPCookingIngredients::generateDefault() {
    if (!app::DiaryState::instance().usable()) {
        MessageBox::warning(texts::kNoDiary, this);
        return;
    }
    IngredientCatalogue::addDefaults(*app::DiaryState::instance().makeTN());
    refresh();
}

} // namespace tavrin::nutrition
