#pragma once
// The nutrition tables as tavrin-cli's commands read them from JSON: ingredients, recipes made
// of catalogue ingredients and grams, and a day's eaten items. Every object is checked before
// anything is written. Texts are UTF-8 in JSON and Windows-1252 in the diary.

#include "formats/EntryJson.h"
#include "storage/IngredientRecord.h"
#include "storage/RecipeRecord.h"

#include <string>
#include <vector>

namespace tavrin::cli {

using formats::Json;

class NutritionJson {
public:
    // {"name", "fat", "carbohydrate", "protein", "kcal"}: values per 100 g; without "kcal"
    // the kilocalories follow the rule.
    static bool toIngredient(const Json& j, IngredientRecord& out, std::string& error);
    // {"name", "description", "method", "ingredients": [{"name", "grams"}, ...]}: each
    // ingredient is the first of that name in `catalogue`, scaled as the cookbook scales it.
    static bool toRecipe(const Json& j, const std::vector<IngredientRecord>& catalogue,
                         RecipeRecord& out, std::string& error);
    // {"name", "grams"}: an ingredient or recipe eaten, as the daily calorie sheet ticks it.
    static bool toEaten(const Json& j, std::string& name, float& grams, std::string& error);
};

} // namespace tavrin::cli
