#pragma once
// The units calculator page of the nutrition window: kitchen measures converted to grams as
// they are typed, and the maintenance calories of a desired weight for a sex and an activity.
// Nothing is stored.

#include "nutrition/logic/UnitsCalculator.h"
#include "ui/CCustomPropertyPage.h"

#include <array>

class QComboBox;
class QLineEdit;

namespace tavrin::nutrition {

class NumberField;

class CTavrinPPCookingCalculator : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    static constexpr const char* kNote =
        "Please remember that these are 'maintenance' calories needed to sustain your body at "
        "that weight,\nif you wish to lose weight, you'll need to consume fewer calories than "
        "this amount.";

    explicit CTavrinPPCookingCalculator(QWidget* parent = nullptr);

    NumberField* input(UnitsCalculator::Unit u) const { return inputs_[std::size_t(u)]; }
    QLineEdit* result(UnitsCalculator::Unit u) const { return results_[std::size_t(u)]; }
    NumberField* weightInput() const { return weight_; }
    QComboBox* sexChoice() const { return sex_; }
    QComboBox* activityChoice() const { return activity_; }
    QLineEdit* caloriesResult() const { return calories_; }

private:
    // Whether the input's number may be used now: false while a number is still being typed;
    // a text that is none is refused with the message.
    bool read(NumberField* in);
    void convert(UnitsCalculator::Unit u);
    void tally();

    std::array<NumberField*, UnitsCalculator::kUnits> inputs_{};
    std::array<QLineEdit*, UnitsCalculator::kUnits> results_{};
    NumberField* weight_;
    QComboBox* sex_;
    QComboBox* activity_;
    QLineEdit* calories_;
};

} // namespace tavrin::nutrition
