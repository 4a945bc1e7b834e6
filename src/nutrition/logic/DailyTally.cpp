#include "DailyTally.h"

#include "NutritionNumbers.h"

#include <cstdio>

namespace tavrin::nutrition {

void DailyTally::addScaled(float fat, float carbohydrate, float protein, float factor) {
    const float f = fat * factor, c = carbohydrate * factor, p = protein * factor;
    fat_ += f;
    carbohydrate_ += c;
    protein_ += p;
    kcal_ += NutritionNumbers::kcal(f, c, p);
}

void DailyTally::addIngredient(const IngredientRecord& ingredient, float grams) {
    counted_ = true;
    addScaled(ingredient.fat(), ingredient.carbohydrate(), ingredient.protein(), grams / 100.0f);
    weight_ += grams;
}

void DailyTally::addRecipe(const RecipeRecord& recipe, float grams) {
    counted_ = true;
    const float total = recipe.weight();
    if (total != 0.0f)
        for (int i = 0; i < recipe.usableLineCount(); ++i) {
            const IngredientLineRecord l = recipe.line(i);
            addScaled(l.fat(), l.carbohydrate(), l.protein(), grams / total);
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
