#pragma once
// The sums of the daily calorie sheet: each ticked ingredient scaled to the grams eaten, each
// ticked recipe counted in the proportion of the grams eaten to its weight, kilocalories always
// worked out by the rule from the scaled fat, carbohydrate and protein. Single precision.

#include "storage/IngredientRecord.h"
#include "storage/RecipeRecord.h"

#include <string>

namespace tavrin::nutrition {

class DailyTally {
public:
    static constexpr const char* kNothingYet = "Nothing selected!";
    static constexpr const char* kNothing = "NOTHING SELECTED!";

    void addIngredient(const IngredientRecord& ingredient, float grams);
    // A recipe of no weight has no proportion to count: only the grams eaten are added.
    void addRecipe(const RecipeRecord& recipe, float grams);

    bool counted() const { return counted_; }
    float fat() const { return fat_; }
    float carbohydrate() const { return carbohydrate_; }
    float protein() const { return protein_; }
    float weight() const { return weight_; }
    float kcal() const { return kcal_; }
    // "FAT: ... - KCALORIES: ..." once a row was counted, "NOTHING SELECTED!" before.
    std::string statusText() const;

private:
    // Scaled values to the totals, with their kilocalories by the rule.
    void add(float fat, float carbohydrate, float protein);

    bool counted_ = false;
    float fat_ = 0, carbohydrate_ = 0, protein_ = 0, weight_ = 0, kcal_ = 0;
};

} // namespace tavrin::nutrition
