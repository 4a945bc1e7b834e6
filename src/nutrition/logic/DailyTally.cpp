#include "DailyTally.h"

#include "NutritionNumbers.h"

#include <cstdio>

namespace tavrin::nutrition {

void DailyTally::add(float fat, float carbohydrate, float protein) {
    fat_ += fat;
    carbohydrate_ += carbohydrate;
    protein_ += protein;
    kcal_ += NutritionNumbers::kcal(fat, carbohydrate, protein);
}

void DailyTally::addIngredient(const IngredientRecord& ingredient, float grams) {
    counted_ = true;
    // Value times amount, then over 100, each step in single precision: a factor of
    // amount / 100 rounds differently and shows other hundredths.
    add(ingredient.fat() * grams / 100.0f, ingredient.carbohydrate() * grams / 100.0f,
        ingredient.protein() * grams / 100.0f);
    weight_ += grams;
}

void DailyTally::addRecipe(const RecipeRecord& recipe, float grams) {
    counted_ = true;
    const float total = recipe.weight();
    if (total != 0.0f) {
        const float share = grams / total; // the part of the recipe eaten
        for (int i = 0; i < recipe.usableLineCount(); ++i) {
            const IngredientLineRecord l = recipe.line(i);
            add(l.fat() * share, l.carbohydrate() * share, l.protein() * share);
        }
    }
    weight_ += grams;
}

std::string DailyTally::statusText() const {
    if (!counted_) return kNothing;
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "FAT: %0.2f - CARBOHYDRATE: %0.2f - PROTEIN: %0.2f - WEIGHT: %0.2f - "
                  "KCALORIES: %0.2f",
                  double(fat_), double(carbohydrate_), double(protein_), double(weight_),
                  double(kcal_));
    return buf;
}

} // namespace tavrin::nutrition
