#include "nutrition/CTavrinPPCookingCalculator.h"

#include "nutrition/NumberField.h"
#include "nutrition/NutritionLook.h"
#include "nutrition/logic/NutritionNumbers.h"
#include "platform/MessageBox.h"
#include "ui/CCustomStatic.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrin::nutrition {
namespace {

QLineEdit* resultField(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(110);
    return skinnedField(e);
}

ui::CCustomStatic* label(const QString& text, QWidget* parent) {
    return skinnedText(new ui::CCustomStatic(text, parent));
}

} // namespace

CTavrinPPCookingCalculator::CTavrinPPCookingCalculator(QWidget* parent)
    : ui::CCustomPropertyPage("Units Calculator and Miscellaneous", parent),
      weight_(new NumberField("weightInput", this)), sex_(new QComboBox(this)),
      activity_(new QComboBox(this)), calories_(resultField("caloriesResult", this)) {
    setObjectName("unitsCalculatorPage");

    auto* conversions = new ui::CCustomStatic("Conversions", this, ui::CCustomStatic::Group);
    conversions->setObjectName("conversionsGroup");
    auto* grid = new QGridLayout(conversions);
    grid->setContentsMargins(12, 20, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    for (int i = 0; i < UnitsCalculator::kUnits; ++i) {
        const auto u = UnitsCalculator::Unit(i);
        const QString name = QString::fromLatin1(UnitsCalculator::unitLabel(u));
        auto* in = new NumberField("", conversions);
        in->setObjectName(name.toLower() + "Input");
        in->setFixedWidth(90);
        inputs_[std::size_t(i)] = in;
        results_[std::size_t(i)] = resultField(name.toLower() + "Result", conversions);
        results_[std::size_t(i)]->setText("0");
        grid->addWidget(label(name, conversions), i, 0);
        grid->addWidget(in, i, 1);
        grid->addWidget(label("=", conversions), i, 2);
        grid->addWidget(results_[std::size_t(i)], i, 3);
        grid->addWidget(label("grams", conversions), i, 4);
        connect(in, &QLineEdit::textEdited, this, [this, u] { convert(u); });
    }
    grid->setColumnStretch(5, 1);

    auto* tallyGroup = new ui::CCustomStatic("Calory Tally", this, ui::CCustomStatic::Group);
    tallyGroup->setObjectName("tallyGroup");
    sex_->setObjectName("sexChoice");
    sex_->addItems({"MALE", "FEMALE"});
    activity_->setObjectName("activityChoice");
    activity_->addItems({"Active", "Sedentary"});
    skinnedField(sex_);
    skinnedField(activity_);
    weight_->setFixedWidth(90);
    calories_->setText("0.0");
    for (QWidget* w : std::initializer_list<QWidget*>{weight_, sex_, activity_, calories_})
        w->setParent(tallyGroup);
    auto* tallyGrid = new QGridLayout(tallyGroup);
    tallyGrid->setContentsMargins(12, 20, 12, 10);
    tallyGrid->setHorizontalSpacing(8);
    tallyGrid->setVerticalSpacing(4);
    tallyGrid->addWidget(label("Desired (ideal) weight (kg):", tallyGroup), 0, 0);
    tallyGrid->addWidget(weight_, 0, 1);
    tallyGrid->addWidget(sex_, 0, 2);
    tallyGrid->addWidget(activity_, 0, 3);
    tallyGrid->addWidget(label("Calories:", tallyGroup), 1, 0);
    tallyGrid->addWidget(calories_, 1, 1);
    auto* note = label(kNote, tallyGroup);
    note->setObjectName("maintenanceNote");
    note->setWordWrap(true);
    tallyGrid->addWidget(note, 2, 0, 1, 5);
    tallyGrid->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(conversions);
    layout->addWidget(tallyGroup);
    layout->addStretch(1);

    connect(weight_, &QLineEdit::textEdited, this, &CTavrinPPCookingCalculator::tally);
    connect(sex_, &QComboBox::currentIndexChanged, this, &CTavrinPPCookingCalculator::tally);
    connect(activity_, &QComboBox::currentIndexChanged, this, &CTavrinPPCookingCalculator::tally);
}

bool CTavrinPPCookingCalculator::read(NumberField* in) {
    if (in->holdsNumber() || in->text().trimmed().isEmpty()) return true;
    if (in->unfinished()) return false; // wait for the rest of the number
    // No number: the input shows the number it had again, and the page goes on with it.
    platform::MessageBox::warning(NumberField::kNotANumber, this);
    in->restore();
    return true;
}

void CTavrinPPCookingCalculator::convert(UnitsCalculator::Unit u) {
    NumberField* in = inputs_[std::size_t(u)];
    if (!read(in)) return;
    results_[std::size_t(u)]->setText(
        QString::fromStdString(UnitsCalculator::shown(UnitsCalculator::grams(u, in->number()))));
}

void CTavrinPPCookingCalculator::tally() {
    if (!read(weight_)) return;
    const float calories = UnitsCalculator::maintenanceCalories(
        weight_->number(), UnitsCalculator::Sex(std::max(0, sex_->currentIndex())),
        UnitsCalculator::Activity(std::max(0, activity_->currentIndex())));
    calories_->setText(QString::fromStdString(NutritionNumbers::twoDecimals(calories)));
}

} // namespace tavrin::nutrition
